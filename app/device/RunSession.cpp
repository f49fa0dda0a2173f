// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/device/RunSession.h"

#include "app/host/GuiCall.h"
#include "app/host/QtTimers.h"
#include "core/script/VariableLines.h"

namespace orvane::app::device {

using orvane::script::Interpreter;

RunSession::RunSession(orvane::device::DeviceLink& link, const orvane::commands::CommandTable& commands,
                       host::QtTimers& timers)
    : interpreter_(editor_, link, commands, timers), timers_(timers) {
    interpreter_.SetBreakCheck([this](std::int32_t start, std::int32_t) { return BreaksAt(start); });
}

void RunSession::Carry(Order order, const host::EditorSnapshot& snapshot, RunDisplay& display, QObject* context,
                       std::shared_ptr<const BreakpointLines> breakpoints) {
    display_ = &display;
    context_ = context;
    breakpoints_ = std::move(breakpoints);
    const bool starts = order == Order::Start || order == Order::Step || order == Order::Pause;
    if (starts && !interpreter_.RunExists()) {
        editor_.Reset(snapshot, display, context);
        lastLine_ = -1;
    }
    switch (order) {
        case Order::Start: interpreter_.Start(); break;
        case Order::Step: interpreter_.Step(); break;
        case Order::Pause: interpreter_.Pause(); break;
        case Order::Stop: interpreter_.Stop(); break;
        case Order::Restart: interpreter_.Restart(); break;
    }
    Publish();
}

void RunSession::OnTimer(int id) {
    interpreter_.OnTimer(id);
    if (id == Interpreter::kTimerRunTick) Publish();
}

// A run halts on entering a line that holds a breakpoint: not again for the next statement of
// the same line, nor for the statement it halted at when it goes on.
bool RunSession::BreaksAt(std::int32_t start) {
    const std::int32_t line = editor_.LineFromPosition(start);
    const bool entered = line != lastLine_;
    lastLine_ = line;
    return entered && breakpoints_ && breakpoints_->Contains(line);
}

// The window hears of every change of the run's state; at the end it is also given the values
// the run left, which a short run may never have shown on its timer.
void RunSession::Publish() {
    const bool exists = interpreter_.RunExists();
    const RunStatus status{exists, interpreter_.LastRunCommand(),
                           exists && interpreter_.StepMode() && !timers_.IsRunning(Interpreter::kTimerRunTick)};
    if (published_ == status || display_ == nullptr) return;
    if (published_ && published_->exists && !exists) {
        editor_.SetVariableLines(orvane::script::VariableLines::Of(interpreter_.State().variables));
    }
    published_ = status;
    host::PostToThreadOf(context_, [display = display_, status] { display->ShowStatus(status); });
}

}  // namespace orvane::app::device
