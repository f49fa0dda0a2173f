// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "core/script/LabelTable.h"
#include "core/script/VariableTable.h"

namespace orvane::script {
namespace {

// The name an operand at the start of `text` reads as, or "-".
std::string Operand(const VariableTable& table, std::string_view text) {
    const auto* entry = table.AtStartOf(text);
    return entry ? entry->name : "-";
}

// The tables index their entries: every lookup must land on the table's own entries, the
// newest first, after declarations again, removals, copies (a Call) and moves (its Return).
TEST(SymbolTablesTest, LookupsStayOnTheirOwnEntriesNewestFirst) {
    VariableTable caller;
    for (const char* name : {"a", "ab", "a+b", "z"}) caller.Declare(name);
    EXPECT_EQ(Operand(caller, "ab+1"), "ab");
    EXPECT_EQ(Operand(caller, "a+b"), "a+b");  // newer than "a", which "+b" would also follow
    EXPECT_EQ(Operand(caller, "abc"), "-");
    caller.Remove("a");
    caller.Declare("a");  // now the newest
    EXPECT_EQ(Operand(caller, "a+b"), "a");

    VariableTable called = caller;
    called.Find("z")->value = 5;
    EXPECT_EQ(caller.Find("z")->value, 0);
    const VariableTable back = std::move(called);
    EXPECT_EQ(back.AtStartOf("z*2")->value, 5);
    EXPECT_EQ(back.Entries().front().name, "a");

    LabelTable labels;
    labels.Add("L", 1);
    labels.Add("L", 3);  // a duplicate the user let pass: the later one is found
    const LabelTable copy = labels;
    labels.Clear();
    EXPECT_EQ(copy.Find("L")->position, 3);
}

}  // namespace
}  // namespace orvane::script
