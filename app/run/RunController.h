// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>

#include <QObject>

#include "app/device/BreakpointLines.h"
#include "app/device/RunDisplay.h"
#include "app/device/RunSession.h"

namespace orvane::app::device { class DeviceThread; }
namespace orvane::app::document { class ScriptDocument; }
namespace orvane::app::editor {
class EditorHolds;
class ScriptEditor;
}
namespace orvane::app::window {
class CommandBoard;
class DockArea;
class StatusLine;
}

namespace orvane::app::run {

class VariableDock;

// The window's side of a run: the "&Wykonaj" run commands and the breakpoints, handed to the
// run on the device thread; what the run shows (the statement it stands at, marked in the
// symbol margin, its hold on the editor, the variable list) put into the window. Stop is always
// carried out: when the device thread stays caught in a wait for the controller, the wait is
// cut short so the stop is not kept waiting.
class RunController : public QObject, public device::RunDisplay {
    Q_OBJECT
public:
    // How long Stop lets a statement finish its exchange before cutting the wait short.
    static constexpr int kStopGraceMs = 250;

    // What a run needs of the window: its commands, status line and dock; the editor with the
    // hold on it; the document, whose replacement ends a run; the device thread the run is on.
    struct Parts {
        window::CommandBoard& commands;
        window::StatusLine& status;
        window::DockArea& docks;
        editor::ScriptEditor& editor;
        editor::EditorHolds& holds;
        document::ScriptDocument& document;
        device::DeviceThread& device;
    };

    RunController(const Parts& parts, QObject* parent);

    VariableDock& Dock() { return *dock_; }
    // Toggles the breakpoint of an editor line (from 0).
    void ToggleBreakpoint(int line);
    const device::RunStatus& Status() const { return status_; }

    void ShowSelection(std::int32_t start, std::int32_t end) override;
    void ShowEnabled(bool enabled) override;
    void ShowFocus() override;
    void ShowVariableList(bool show) override;
    void ShowVariableLines(const std::vector<std::string>& lines) override;
    void ShowStatus(const device::RunStatus& status) override;

private:
    void Give(device::RunSession::Order order);
    void Stop();
    void SyncBreakpoints();

    Parts parts_;
    VariableDock* dock_;
    std::shared_ptr<device::BreakpointLines> breakpoints_ = std::make_shared<device::BreakpointLines>();
    device::RunStatus status_;
    bool held_ = false;
    int startsOnTheirWay_ = 0;  // commands that may start a run, not yet carried out
};

}  // namespace orvane::app::run
