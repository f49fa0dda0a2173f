#include <gtest/gtest.h>

#include <string>

#include "core/script/StatementPieces.h"
#include "core/script/VariableTable.h"

namespace orvane::script {
namespace {

const std::string kNo(StatementPieces::kNoValue);

TEST(StatementPieces, NameAndLabelAreTheTextBeforeTheFirstParenOrColon) {
    const std::pair<const char*, const char*> names[] = {
        {"ServoSet(1,2);", "ServoSet"}, {"x=Cmd(1);", "<<BRAK>>"}, {"Cmd(a=1);", "Cmd"}, {"=(1);", "<<BRAK>>"}};
    for (const auto& [statement, name] : names) EXPECT_EQ(StatementPieces::CommandNameOf(statement), name) << statement;
    EXPECT_EQ(StatementPieces::LabelOf("{L:x;}"), "{L");
    EXPECT_EQ(StatementPieces::LabelOf("x=1;"), "<<BRAK>>");
}

TEST(StatementPieces, ArgumentsAreCutAtCommasAndClosers) {
    const struct {
        const char* statement;
        int n;
        const char* text;  // ArgumentText
        bool present;      // CutArgument, with its text `raw`
        const char* raw;
    } rows[] = {
        {"Cmd(1,2);", 2, "2", true, "2"},         {"Cmd(1);", 2, "<<BRAK>>", false, ""},
        {"Cmd();", 1, "<<BRAK>>", true, ""},      {"Cmd;", 1, "<<BRAK>>", false, ""},
        {"Cmd(1,);", 2, "<<BRAK>>", true, ""},    {"GoTo(Loop)}", 1, "Loop", true, "Loop"},
        {"{GoTo(Loop);}", 1, "Loop", true, "Loop"}, {"if(x)}", 1, "x", true, "x"},
        {"Cmd(Max(1,2),3);", 1, "Max(1", true, "Max(1"}, {"Cmd(Max(1,2),3);", 2, "2)", true, "2)"},
        {"Cmd(a+(b));", 1, "a+(b)", true, "a+(b)"},
    };
    for (const auto& c : rows) {
        SCOPED_TRACE(std::string(c.statement) + " #" + std::to_string(c.n));
        EXPECT_EQ(StatementPieces::ArgumentText(c.statement, c.n), c.text);
        std::string raw = "junk";
        EXPECT_EQ(StatementPieces::CutArgument(c.statement, c.n, raw), c.present);
        EXPECT_EQ(raw, c.raw);
    }
}

TEST(StatementPieces, AssignedVariableNeedsAnExactlyNamedVariable) {
    VariableTable vars;
    vars.Declare("x");
    vars.Declare("if(x");
    for (const char* s : {"X=1;", "xy=1;", "x;"}) EXPECT_EQ(StatementPieces::AssignedVariable(s, vars), kNo) << s;
    EXPECT_EQ(StatementPieces::AssignedVariable("x=1;", vars), "x");
    EXPECT_EQ(StatementPieces::AssignedVariable("if(x==5)", vars), "if(x");
    vars.Remove("if(x");
    EXPECT_EQ(StatementPieces::AssignedVariable("if(x==5)", vars), kNo);
}

}  // namespace
}  // namespace orvane::script
