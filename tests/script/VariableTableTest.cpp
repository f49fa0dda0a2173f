#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/script/VariableTable.h"

namespace orvane::script {
namespace {

std::vector<std::string> Names(const VariableTable& t) {
    std::vector<std::string> out;
    for (const auto& e : t.Entries()) out.push_back(e.name);
    return out;
}

TEST(VariableTable, NewestFirstAndNoDuplicates) {
    VariableTable t;
    EXPECT_TRUE(t.Declare("a"));
    EXPECT_TRUE(t.Declare("ab"));
    t.Find("a")->value = 4;
    EXPECT_FALSE(t.Declare("a"));
    EXPECT_EQ(Names(t), (std::vector<std::string>{"ab", "a"}));
    EXPECT_EQ(t.Find("a")->value, 4);
    EXPECT_EQ(t.Find("A"), nullptr);
}

struct DeclCase {
    const char* statement;
    std::vector<std::string> names;  // newest first
};

class Declaration : public ::testing::TestWithParam<DeclCase> {};
TEST_P(Declaration, AddsTheListedNames) {
    VariableTable t;
    t.DeclareStatement(GetParam().statement);
    EXPECT_EQ(Names(t), GetParam().names);
}
INSTANTIATE_TEST_SUITE_P(
    Vars, Declaration,
    ::testing::Values(DeclCase{"Var:a,b,c;", {"c", "b", "a"}},
                      DeclCase{"Var:a;", {"a"}},
                      DeclCase{"Var:;", {}},
                      DeclCase{"Var:a,a;", {"a"}},
                      DeclCase{"Var:a,;", {"a"}},
                      DeclCase{"Var:a;b;", {"ab"}},
                      DeclCase{"Var:a,,b;", {",b", "a"}},
                      DeclCase{"Var:\xB1\xEA;", {"\xB1\xEA"}},
                      DeclCase{"Var", {}}));

TEST(VariableTable, RedeclarationTouchesNothingElse) {
    VariableTable t;
    t.DeclareStatement("Var:a,b;");
    t.Find("a")->value = 1;
    t.Find("b")->value = 2;
    EXPECT_EQ(t.DeclareStatement("Var:b;"), 0);
    EXPECT_EQ(Names(t), (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(t.Find("a")->value, 1);
    EXPECT_EQ(t.Find("b")->value, 2);
}

TEST(VariableTable, CopyIsIndependentForCall) {
    VariableTable caller;
    caller.DeclareStatement("Var:x;");
    VariableTable callee = caller;
    callee.Find("x")->value = 5;
    callee.Declare("local");
    EXPECT_EQ(caller.Find("x")->value, 0);
    EXPECT_EQ(caller.Size(), 1u);
}

TEST(VariableTable, RemoveOneOrAll) {
    VariableTable t;
    t.DeclareStatement("Var:x,y;");
    EXPECT_TRUE(t.Remove("x"));
    EXPECT_FALSE(t.Remove("x"));
    EXPECT_EQ(Names(t), (std::vector<std::string>{"y"}));
    t.Clear();
    EXPECT_TRUE(t.Empty());
}

}  // namespace
}  // namespace orvane::script
