// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "sim/SimOptions.h"
#include "tests/support/RowName.h"

namespace orvane::test {
namespace {

using sim::SimOptions;

struct OptionRow {
    const char* name;
    std::vector<std::string> args;
    const char* error;  // nullptr: accepted
    std::function<bool(const SimOptions&)> holds = [](const SimOptions&) { return true; };
};

class SimOptionsTest : public ::testing::TestWithParam<OptionRow> {};

// Every option in both spellings, each value at and past its edges, and the fault plan's words.
TEST_P(SimOptionsTest, ParsesOrRefusesWithTheReason) {
    const OptionRow& row = GetParam();
    SimOptions options;
    std::string error;
    const bool parsed = SimOptions::Parse(row.args, options, error);
    if (row.error == nullptr) {
        ASSERT_TRUE(parsed) << error;
        EXPECT_TRUE(row.holds(options));
    } else {
        EXPECT_FALSE(parsed);
        EXPECT_NE(error.find(row.error), std::string::npos) << error;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SimOptionsTest,
    ::testing::Values(
        OptionRow{"Defaults", {}, nullptr,
                  [](const SimOptions& o) {
                      return o.baud == 115200 && o.version == "31" && o.p1 == 0xFF && o.p2 == 0 &&
                             o.commandsPath.empty() && !o.help && o.faults.hangupAfter == -1;
                  }},
        OptionRow{"EveryPathOptionBothSpellings",
                  {"--commands", "k.ini", "--flash=f.hex", "--log", "l.txt", "--link=/x/y=z"}, nullptr,
                  [](const SimOptions& o) {
                      return o.commandsPath == "k.ini" && o.flashPath == "f.hex" && o.logPath == "l.txt" &&
                             o.linkPath == "/x/y=z";
                  }},
        OptionRow{"SpeedsAtBothEndsOfTheList", {"--baud", "4800", "--baud=230400"}, nullptr,
                  [](const SimOptions& o) { return o.baud == 230400; }},
        OptionRow{"SpeedOffTheList", {"--baud", "1200"}, "zła prędkość \"1200\""},
        OptionRow{"SpeedWithTrailingText", {"--baud=9600x"}, "zła prędkość"},
        OptionRow{"VersionOfTwoCharacters", {"--version", "2A", "-h"}, nullptr,
                  [](const SimOptions& o) { return o.version == "2A" && o.help; }},
        OptionRow{"VersionOfOneCharacter", {"--version=3"}, "dokładnie dwa znaki"},
        OptionRow{"ParamsDecimalAndHex", {"--params", "0x00,255"}, nullptr,
                  [](const SimOptions& o) { return o.p1 == 0 && o.p2 == 255; }},
        OptionRow{"ParamsPastAByte", {"--params", "256,0"}, "złe parametry"},
        OptionRow{"ParamsWithoutComma", {"--params", "0"}, "złe parametry"},
        OptionRow{"ParamsHalfEmpty", {"--params", "0,"}, "złe parametry"},
        OptionRow{"ParamsBareHexPrefix", {"--params", "0x,1"}, "złe parametry"},
        OptionRow{"FaultsAdd", {"--fault", "silent", "--fault=hangup-after:0", "--fault", "delay:60000", "--fault", "reset-after:7"}, nullptr,
                  [](const SimOptions& o) {
                      return o.faults.silent && o.faults.hangupAfter == 0 && o.faults.delayMs == 60000 &&
                             o.faults.resetAfter == 7;
                  }},
        OptionRow{"FaultCountOfZero", {"--fault", "drop:0"}, "dozwolone 1.."},
        OptionRow{"FaultDelayPastItsLimit", {"--fault", "delay:60001"}, "dozwolone 0..60000"},
        OptionRow{"FlagFaultWithAValue", {"--fault", "silent:1"}, "nieznany błąd"},
        OptionRow{"UnknownFault", {"--fault", "explode"}, "nieznany błąd"},
        OptionRow{"UnknownOption", {"--speed", "9600"}, "nieznana opcja: --speed"},
        OptionRow{"OptionWithoutItsValue", {"--baud", "9600", "--log"}, "brak wartości opcji --log"},
        OptionRow{"StrayWord", {"COM1"}, "nieoczekiwany argument: COM1"},
        OptionRow{"SingleDashOption", {"-v"}, "nieoczekiwany argument: -v"}),
    RowName<&OptionRow::name>{});

}  // namespace
}  // namespace orvane::test
