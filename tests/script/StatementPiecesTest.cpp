#include <gtest/gtest.h>

#include <string>

#include "core/script/StatementPieces.h"
#include "core/script/VariableTable.h"

namespace orvane::script {
namespace {

const std::string kNo(StatementPieces::kNoValue);

struct PieceCase {
    const char* statement;
    const char* expected;
};

class CommandName : public ::testing::TestWithParam<PieceCase> {};
TEST_P(CommandName, IsTextBeforeFirstParen) {
    EXPECT_EQ(StatementPieces::CommandNameOf(GetParam().statement), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Pieces, CommandName,
                         ::testing::Values(PieceCase{"ServoSet(1,2);", "ServoSet"},
                                           PieceCase{"x=Cmd(1);", "<<BRAK>>"},
                                           PieceCase{"Cmd(a=1);", "Cmd"},
                                           PieceCase{"=(1);", "<<BRAK>>"},
                                           PieceCase{"x=1;", "<<BRAK>>"}));

class Label : public ::testing::TestWithParam<PieceCase> {};
TEST_P(Label, IsTextBeforeFirstColon) {
    EXPECT_EQ(StatementPieces::LabelOf(GetParam().statement), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Pieces, Label,
                         ::testing::Values(PieceCase{"{L:x;}", "{L"},
                                           PieceCase{"x=1;", "<<BRAK>>"}));

struct ArgCase {
    const char* statement;
    int n;
    const char* text;      // ArgumentText
    bool present;          // CutArgument
    const char* raw;       // CutArgument's text
};

class Argument : public ::testing::TestWithParam<ArgCase> {};
TEST_P(Argument, IsCutAtCommasAndClosers) {
    const auto& c = GetParam();
    EXPECT_EQ(StatementPieces::ArgumentText(c.statement, c.n), c.text);
    std::string raw = "junk";
    EXPECT_EQ(StatementPieces::CutArgument(c.statement, c.n, raw), c.present);
    EXPECT_EQ(raw, c.raw);
}
INSTANTIATE_TEST_SUITE_P(
    Pieces, Argument,
    ::testing::Values(ArgCase{"Cmd(1,2);", 2, "2", true, "2"},
                      ArgCase{"Cmd(1,2);", 1, "1", true, "1"},
                      ArgCase{"Cmd(1);", 2, "<<BRAK>>", false, ""},
                      ArgCase{"Cmd();", 1, "<<BRAK>>", true, ""},
                      ArgCase{"Cmd;", 1, "<<BRAK>>", false, ""},
                      ArgCase{"Cmd(1,);", 2, "<<BRAK>>", true, ""},
                      ArgCase{"GoTo(Loop)}", 1, "Loop", true, "Loop"},
                      ArgCase{"{GoTo(Loop);}", 1, "Loop", true, "Loop"},
                      ArgCase{"if(x)}", 1, "x", true, "x"},
                      // Commas split even inside brackets.
                      ArgCase{"Cmd(Max(1,2),3);", 1, "Max(1", true, "Max(1"},
                      ArgCase{"Cmd(Max(1,2),3);", 2, "2)", true, "2)"},
                      ArgCase{"Cmd(a+(b));", 1, "a+(b)", true, "a+(b)"},
                      ArgCase{"Cmd(1)}", 1, "1", true, "1"}));

TEST(AssignedVariable, NeedsAnExactlyNamedVariable) {
    VariableTable vars;
    vars.Declare("x");
    vars.Declare("if(x");
    EXPECT_EQ(StatementPieces::AssignedVariable("x=1;", vars), "x");
    EXPECT_EQ(StatementPieces::AssignedVariable("X=1;", vars), kNo);
    EXPECT_EQ(StatementPieces::AssignedVariable("xy=1;", vars), kNo);
    EXPECT_EQ(StatementPieces::AssignedVariable("x;", vars), kNo);
    EXPECT_EQ(StatementPieces::AssignedVariable("if(x==5)", vars), "if(x");
    vars.Remove("if(x");
    EXPECT_EQ(StatementPieces::AssignedVariable("if(x==5)", vars), kNo);
}

}  // namespace
}  // namespace orvane::script
