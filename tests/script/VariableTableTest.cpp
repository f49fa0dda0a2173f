#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/script/VariableTable.h"

namespace orvane::script {
namespace {

using Names = std::vector<std::string>;

Names NamesOf(const VariableTable& t) {
    Names out;
    for (const auto& e : t.Entries()) out.push_back(e.name);
    return out;
}

TEST(VariableTable, DeclarationAddsTheListedNamesNewestFirst) {
    const std::pair<const char*, Names> rows[] = {
        {"Var:a,b,c;", {"c", "b", "a"}}, {"Var:;", {}}, {"Var:a,A,a;", {"A", "a"}}, {"Var:a,;", {"a"}},
        {"Var:a;b;", {"ab"}}, {"Var:a,,b;", {",b", "a"}}, {"Var:\xB1\xEA;", {"\xB1\xEA"}}, {"Var", {}}};
    for (const auto& [statement, names] : rows) {
        VariableTable t;
        t.DeclareStatement(statement);
        EXPECT_EQ(NamesOf(t), names) << statement;
    }
}

TEST(VariableTable, RedeclarationKeepsValuesAndRemoveTakesOneOrAll) {
    VariableTable t;
    t.DeclareStatement("Var:a,b;");
    t.Find("a")->value = 1;
    t.Find("b")->value = 2;
    EXPECT_EQ(t.DeclareStatement("Var:b;"), 0);
    EXPECT_EQ(NamesOf(t), (Names{"b", "a"}));
    EXPECT_EQ(t.Find("a")->value, 1);
    EXPECT_EQ(t.Find("b")->value, 2);
    EXPECT_TRUE(t.Remove("a"));
    EXPECT_FALSE(t.Remove("a"));
    EXPECT_EQ(NamesOf(t), Names{"b"});
    t.Clear();
    EXPECT_TRUE(t.Empty());
}

}  // namespace
}  // namespace orvane::script
