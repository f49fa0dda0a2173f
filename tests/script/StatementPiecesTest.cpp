#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/script/StatementPieces.h"
#include "core/script/VariableTable.h"

namespace orvane::script {
namespace {

using Piece = std::optional<std::string>;
constexpr std::nullopt_t kNone = std::nullopt;

TEST(StatementPieces, NameAndLabelAreTheTextBeforeTheFirstParenOrColon) {
    const std::pair<const char*, Piece> names[] = {
        {"ServoSet(1,2);", "ServoSet"}, {"x=Cmd(1);", kNone}, {"Cmd(a=1);", "Cmd"}, {"=(1);", kNone}};
    for (const auto& [statement, name] : names) EXPECT_EQ(StatementPieces::CommandNameOf(statement), name) << statement;
    EXPECT_EQ(StatementPieces::LabelOf("{L:x;}"), "{L");
    EXPECT_EQ(StatementPieces::LabelOf("x=1;"), kNone);
}

TEST(StatementPieces, ArgumentsAreCutAtCommasAndClosers) {
    const struct {
        const char* statement;
        int n;
        Piece text;  // ArgumentText
        Piece raw;   // CutArgument
    } rows[] = {
        {"Cmd(1,2);", 2, "2", "2"},         {"Cmd(1);", 2, kNone, kNone},
        {"Cmd();", 1, kNone, ""},           {"Cmd;", 1, kNone, kNone},
        {"Cmd(1,);", 2, kNone, ""},         {"GoTo(Loop)}", 1, "Loop", "Loop"},
        {"{GoTo(Loop);}", 1, "Loop", "Loop"}, {"if(x)}", 1, "x", "x"},
        {"Cmd(Max(1,2),3);", 1, "Max(1", "Max(1"}, {"Cmd(Max(1,2),3);", 2, "2)", "2)"},
        {"Cmd(a+(b));", 1, "a+(b)", "a+(b)"},
    };
    for (const auto& c : rows) {
        SCOPED_TRACE(std::string(c.statement) + " #" + std::to_string(c.n));
        EXPECT_EQ(StatementPieces::ArgumentText(c.statement, c.n), c.text);
        EXPECT_EQ(StatementPieces::CutArgument(c.statement, c.n), c.raw);
    }
}

TEST(StatementPieces, AssignedVariableNeedsAnExactlyNamedVariable) {
    VariableTable vars;
    vars.Declare("x");
    vars.Declare("if(x");
    for (const char* s : {"X=1;", "xy=1;", "x;"}) EXPECT_EQ(StatementPieces::AssignedVariable(s, vars), kNone) << s;
    EXPECT_EQ(StatementPieces::AssignedVariable("x=1;", vars), "x");
    EXPECT_EQ(StatementPieces::AssignedVariable("if(x==5)", vars), "if(x");
    vars.Remove("if(x");
    EXPECT_EQ(StatementPieces::AssignedVariable("if(x==5)", vars), kNone);
}

}  // namespace
}  // namespace orvane::script
