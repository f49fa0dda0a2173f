// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "core/host/Cp1250.h"

namespace orvane::host {
namespace {

TEST(Cp1250Test, PolishLettersRoundTripAndUnmappableBecomeQuestionMarks) {
    const std::string utf8 = "Błąd zapisu: ąćęłńóśźż ĄĆĘŁŃÓŚŹŻ „€”";
    const std::string cp = Utf8ToCp1250(utf8);
    EXPECT_EQ(cp.size(), 36u) << "one byte per character";
    EXPECT_EQ(static_cast<unsigned char>(cp[1]), 0xB3);  // ł
    EXPECT_EQ(Cp1250ToUtf8(cp), utf8);
    EXPECT_EQ(Utf8ToCp1250("日本 ß"), "?? \xDF");
    // Malformed UTF-8 never reads past the end.
    EXPECT_EQ(Utf8ToCp1250("a\xC5"), "a?");
    EXPECT_EQ(Utf8ToCp1250("\xE2\x82"), "??");
    // Unassigned bytes decode to the replacement character rather than vanish.
    EXPECT_EQ(Cp1250ToUtf8("\x81"), "\xEF\xBF\xBD");
    EXPECT_TRUE(EqualsIgnoreCase(Pl("ŻÓŁĆ Ś Ź Ą Ń PAMIĘCI"), Pl("żółć ś ź ą ń pamięci")));
    EXPECT_FALSE(EqualsIgnoreCase("a", "ab"));
}

}  // namespace
}  // namespace orvane::host
