#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/script/LabelTable.h"
#include "core/script/VariableTable.h"

namespace orvane::script {
namespace {

std::vector<std::string> Names(const VariableTable& table) {
    std::vector<std::string> names;
    for (const auto& e : table.Entries()) names.push_back(e.name);
    return names;
}

// The name an operand at the start of `text` reads as, or "-" when none.
std::string Operand(const VariableTable& table, std::string_view text) {
    const auto* entry = table.AtStartOf(text);
    return entry ? entry->name : "-";
}

TEST(SymbolTablesTest, AnOperandIsTheNewestNameFollowedByAnOperator) {
    VariableTable table;
    for (const char* name : {"a", "ab", "a+b"}) table.Declare(name);
    const struct {
        const char* text;
        const char* operand;
    } rows[] = {
        {"ab+1", "ab"}, {"a+b", "a+b"}, {"a+c", "a"}, {"a(2)", "a"},
        {"abc", "-"},   {"b", "-"},     {"", "-"},
    };
    for (const auto& row : rows) EXPECT_EQ(Operand(table, row.text), row.operand) << row.text;

    table.Remove("a+b");
    table.Declare("a+b");  // declared again: now the newest
    table.Remove("a");
    table.Declare("a");  // and now this one
    EXPECT_EQ(Operand(table, "a+b"), "a");
    EXPECT_EQ(Names(table), (std::vector<std::string>{"a", "a+b", "ab"}));
}

// A Call runs on a copy of the table and Return puts the caller's back: each must find its own
// entries, whatever was removed or moved before.
TEST(SymbolTablesTest, CopiesMovesAndRemovalsKeepEveryLookupOnItsOwnEntries) {
    VariableTable caller;
    for (const char* name : {"x", "y", "z"}) caller.Declare(name);
    caller.Remove("y");
    caller.Find("x")->value = 1;

    VariableTable called = caller;
    called.Find("x")->value = 5;
    called.Declare("w");
    EXPECT_EQ(caller.Find("x")->value, 1);
    EXPECT_EQ(caller.Find("w"), nullptr);
    EXPECT_EQ(Names(called), (std::vector<std::string>{"w", "z", "x"}));

    called = caller;
    EXPECT_EQ(called.Find("x")->value, 1);
    VariableTable back = std::move(called);
    back.Find("z")->value = 7;
    EXPECT_EQ(back.AtStartOf("z*2")->value, 7);
    EXPECT_EQ(caller.Find("z")->value, 0);

    LabelTable labels;
    labels.Add("L", 1);
    labels.Add("M", 2);
    labels.Add("L", 3);  // a duplicate the user let pass: the later one is found
    const LabelTable copy = labels;
    labels.Clear();
    EXPECT_EQ(copy.Find("L")->position, 3);
    EXPECT_EQ(copy.Find("M")->position, 2);
    EXPECT_EQ(copy.Size(), 3u);
    EXPECT_EQ(labels.Find("L"), nullptr);
}

}  // namespace
}  // namespace orvane::script
