#include "core/script/RunRules.h"

#include <gtest/gtest.h>

#include <string>

namespace orvane::script {
namespace {

// What the "&Wykonaj" menu offers. `text`: the script is not empty; `editor`: no run holds it.
TEST(RunRules, EnableTheRunCommands) {
    using M = device::DeviceMode;
    using C = RunCommand;
    const struct {
        M mode;
        C runCommand;
        bool text, editor, start, step, pause, stop, restart;
    } rows[] = {
        {M::System, C::Stop, true, true, true, true, false, false, false},
        {M::Komendy, C::Start, true, false, false, true, true, true, true},
        {M::Komendy, C::Pause, true, false, true, true, false, true, true},
        {M::Komendy, C::Start, false, false, false, false, false, true, false},
        {M::BootLoader, C::Stop, true, true, false, false, false, false, false},
        {M::Unknown, C::Start, true, false, false, false, false, true, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(device::ModeName(r.mode)) + "/" + std::to_string(static_cast<int>(r.runCommand)) +
                     (r.text ? "/text" : "/empty") + (r.editor ? "/idle" : "/running"));
        EXPECT_EQ(RunRules::CanStart(r.text, r.mode, r.runCommand), r.start);
        EXPECT_EQ(RunRules::CanStep(r.text, r.mode), r.step);
        EXPECT_EQ(RunRules::CanPause(r.text, r.mode, r.runCommand, r.editor), r.pause);
        EXPECT_EQ(RunRules::CanStop(r.editor), r.stop);
        EXPECT_EQ(RunRules::CanRestart(r.text, r.mode, r.editor), r.restart);
    }
}

}  // namespace
}  // namespace orvane::script
