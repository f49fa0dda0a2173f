// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <memory>
#include <optional>

#include "app/host/EditorSnapshot.h"
#include "app/host/ThreadEditor.h"
#include "app/device/BreakpointLines.h"
#include "app/device/RunDisplay.h"
#include "core/script/Interpreter.h"

class QObject;

namespace orvane::app::host { class QtTimers; }

namespace orvane::app::device {

// A run of the script on the device thread: the interpreter over the text as it stood when the
// run began, its tick and variable-list timers, the breakpoints, and what the window is shown of
// it. The window reaches it only through work posted to the device thread.
class RunSession {
public:
    enum class Order { Start, Step, Pause, Stop, Restart };

    RunSession(orvane::device::DeviceLink& link, const orvane::commands::CommandTable& commands,
               host::QtTimers& timers);

    // A run command of the window. The snapshot is taken up only when no run exists yet; the
    // run shows itself on `display`, which lives on the thread of `context`.
    void Carry(Order order, const host::EditorSnapshot& snapshot, RunDisplay& display, QObject* context,
               std::shared_ptr<const BreakpointLines> breakpoints);
    // The run's timers (1141 and 1138).
    void OnTimer(int id);

    const orvane::script::Interpreter& Interpreter() const { return interpreter_; }

private:
    bool BreaksAt(std::int32_t start);
    void Publish();

    host::ThreadEditor editor_;
    orvane::script::Interpreter interpreter_;
    host::QtTimers& timers_;
    RunDisplay* display_ = nullptr;
    QObject* context_ = nullptr;
    std::shared_ptr<const BreakpointLines> breakpoints_;
    std::int32_t lastLine_ = -1;
    std::optional<RunStatus> published_;
};

}  // namespace orvane::app::device
