#include "core/script/RunRules.h"

#include <gtest/gtest.h>

#include <string>

namespace orvane::script {
namespace {

// What the "&Wykonaj" menu offers. `text`: the script is not empty; `editor`: no run holds it.
TEST(RunRules, EnableTheRunCommands) {
    const struct {
        const char* mode;
        const char* runCommand;
        bool text, editor, start, step, pause, stop, restart;
    } rows[] = {
        {"System", "Stop", true, true, true, true, false, false, false},
        {"Komendy", "Start", true, false, false, true, true, true, true},
        {"Komendy", "Pauza", true, false, true, true, false, true, true},
        {"Komendy", "Start", false, false, false, false, false, true, false},
        {"BootLoader", "Stop", true, true, false, false, false, false, false},
        {"Nieznany", "Start", true, false, false, false, false, true, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(r.mode) + "/" + r.runCommand + (r.text ? "/text" : "/empty") +
                     (r.editor ? "/idle" : "/running"));
        EXPECT_EQ(RunRules::CanStart(r.text, r.mode, r.runCommand), r.start);
        EXPECT_EQ(RunRules::CanStep(r.text, r.mode), r.step);
        EXPECT_EQ(RunRules::CanPause(r.text, r.mode, r.runCommand, r.editor), r.pause);
        EXPECT_EQ(RunRules::CanStop(r.editor), r.stop);
        EXPECT_EQ(RunRules::CanRestart(r.text, r.mode, r.editor), r.restart);
    }
}

}  // namespace
}  // namespace orvane::script
