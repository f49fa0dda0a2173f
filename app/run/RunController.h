#pragma once
#include <memory>

#include <QObject>

#include "app/run/BreakpointLines.h"
#include "app/run/RunDisplay.h"
#include "app/run/RunSession.h"

namespace orvane::app::shell { class MainWindow; }

namespace orvane::app::run {

class VariableDock;

// The window's side of a run: the "&Wykonaj" run commands and the breakpoints, handed to the
// run on the device thread; what the run shows (the statement it stands at, marked in the
// symbol margin, its hold on the editor, the variable list) put into the window. Stop is always
// carried out: when the device thread stays caught in a wait for the controller, the wait is
// cut short so the stop is not kept waiting.
class RunController : public QObject, public RunDisplay {
    Q_OBJECT
public:
    // How long Stop lets a statement finish its exchange before cutting the wait short.
    static constexpr int kStopGraceMs = 250;

    explicit RunController(shell::MainWindow& window);

    VariableDock& Dock() { return *dock_; }
    // Toggles the breakpoint of an editor line (from 0).
    void ToggleBreakpoint(int line);
    const RunStatus& Status() const { return status_; }

    void ShowSelection(std::int32_t start, std::int32_t end) override;
    void ShowEnabled(bool enabled) override;
    void ShowFocus() override;
    void ShowVariableList(bool show) override;
    void ShowVariableLines(const std::vector<std::string>& lines) override;
    void ShowStatus(const RunStatus& status) override;

private:
    void Give(RunSession::Order order);
    void Stop();
    void SyncBreakpoints();
    void MarkCurrentLine(int line);

    shell::MainWindow& window_;
    VariableDock* dock_;
    std::shared_ptr<BreakpointLines> breakpoints_ = std::make_shared<BreakpointLines>();
    RunStatus status_;
    bool held_ = false;
    int startsOnTheirWay_ = 0;  // commands that may start a run, not yet carried out
};

}  // namespace orvane::app::run
