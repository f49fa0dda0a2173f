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
                      DeclCase{"Var:;", {}},
                      DeclCase{"Var:a,A,a;", {"A", "a"}},
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
