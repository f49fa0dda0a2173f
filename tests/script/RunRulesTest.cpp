#include "core/script/RunRules.h"

#include <gtest/gtest.h>

#include <string>

namespace orvane::script {
namespace {

// What the "&Wykonaj" menu offers in each situation. `text`: the script is not empty; `editor`:
// the editor is enabled (no run).
struct RulesRow {
    const char* mode;
    const char* runCommand;
    bool text;
    bool editor;
    bool start, step, pause, stop, restart;
};

void PrintTo(const RulesRow& r, std::ostream* os) {
    *os << r.mode << "/" << r.runCommand << (r.text ? "/text" : "/empty")
        << (r.editor ? "/idle" : "/running");
}

class RunRulesTest : public ::testing::TestWithParam<RulesRow> {};

TEST_P(RunRulesTest, EnablesTheRunCommands) {
    const RulesRow& r = GetParam();
    EXPECT_EQ(RunRules::CanStart(r.text, r.mode, r.runCommand), r.start);
    EXPECT_EQ(RunRules::CanStep(r.text, r.mode), r.step);
    EXPECT_EQ(RunRules::CanPause(r.text, r.mode, r.runCommand, r.editor), r.pause);
    EXPECT_EQ(RunRules::CanStop(r.editor), r.stop);
    EXPECT_EQ(RunRules::CanRestart(r.text, r.mode, r.editor), r.restart);
}

INSTANTIATE_TEST_SUITE_P(Menu, RunRulesTest, ::testing::Values(
    //       mode          runCommand text  editor  start  step   pause  stop   restart
    RulesRow{"System",     "Stop",   true,  true,  true,  true,  false, false, false},
    RulesRow{"Program",    "Stop",   true,  true,  true,  true,  false, false, false},
    RulesRow{"Komendy",    "Stop",   true,  true,  true,  true,  false, false, false},
    RulesRow{"Komendy",    "Start",  true,  false, false, true,  true,  true,  true},
    RulesRow{"Komendy",    "Pauza",  true,  false, true,  true,  false, true,  true},
    RulesRow{"Komendy",    "Krok",   true,  false, true,  true,  false, true,  true},
    RulesRow{"Komendy",    "Start",  false, false, false, false, false, true,  false},
    RulesRow{"System",     "Stop",   false, true,  false, false, false, false, false},
    RulesRow{"BootLoader", "Stop",   true,  true,  false, false, false, false, false},
    RulesRow{"Nieznany",   "Stop",   true,  true,  false, false, false, false, false},
    RulesRow{"",           "Stop",   true,  true,  false, false, false, false, false},
    RulesRow{"Nieznany",   "Start",  true,  false, false, false, false, true,  false}));

}  // namespace
}  // namespace orvane::script
