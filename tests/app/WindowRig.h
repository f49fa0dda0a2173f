// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>
#include <string>
#include <vector>

#include <QAction>
#include <QFileDialog>
#include <Qsci/qsciscintilla.h>

#include "app/compile/CompileController.h"
#include "app/compile/ReportWindow.h"
#include "app/dialogs/DeviceDialogs.h"
#include "app/editor/ScriptEditor.h"
#include "app/servo/ServoTools.h"
#include "app/shell/MainWindow.h"
#include "app/shell/StatusPanes.h"
#include "settings/OverlaySettings.h"
#include "settings/QtSettingsStore.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/SimProcess.h"

namespace orvane::test {

// The bytes the simulator heard (R) or sent (T), in order.
inline Traffic Only(char direction, const Traffic& traffic) {
    Traffic only;
    for (const auto& t : traffic) {
        if (t.first == direction) only.push_back(t);
    }
    return only;
}

// The window with its device dialogs, as main() builds it, started on the virtual controller
// through --port's override as `make run` starts it. The periodic check stays off, so only the
// tests' own exchanges reach the controller.
struct WindowRig {
    // `beforeWindow` may talk to the simulator (its device path given) before the window does.
    explicit WindowRig(std::vector<std::string> simArgs = {}, const char* baud = "115,2k",
                       const std::function<void(const std::string&)>& beforeWindow = {})
        : sim(ORVANE_SIM_BIN, std::move(simArgs)), settings(file) {
        if (beforeWindow) beforeWindow(sim.SlavePath());
        file.WriteString("Sprawdzaj odpowiada co", "0");
        file.WriteString("Baud Rate", baud);  // an earlier test of the same home may have changed it
        settings.OverridePort(sim.SlavePath());
        window = std::make_unique<app::shell::MainWindow>(settings, host::PlatformFolders::Detect(ORVANE_DATA_DIR));
        dialogs = &window->Dialogs();
        tools = window->findChild<app::servo::ServoTools*>();
        window->show();
        window->RunStartUp();
    }
    QString Pane() const { return window->Panes().ModeText(); }
    bool Idle() const { return !window->Device().IsBusy(); }
    bool WaitForPane(const QString& mode) const {
        return SpinUntil([&] { return Pane() == QStringLiteral(" Tryb: ") + mode; });
    }
    bool WaitIdle() const { return SpinUntil([&] { return Idle(); }); }
    bool ToKomendy() {
        if (!WaitForPane(QStringLiteral("System"))) return false;
        window->Action(app::window::CommandId::ModeKomendy)->trigger();
        return WaitForPane(QStringLiteral("Komendy")) && WaitIdle();
    }
    QsciScintilla& Text() const { return *window->Editor().Scintilla(); }
    // The whole traffic, read once the simulator has heard `heard` bytes and has ended: it logs
    // a byte after writing it, so the window may have its last reply before the log does.
    Traffic Logged(std::size_t heard = 0) {
        SpinUntil([&] { return Only('R', sim.Traffic()).size() >= heard; }, 3000);
        sim.Stop();
        return sim.Traffic();
    }
    // Whether the whole traffic is `expected`, read once the simulator has heard all it lists:
    // the window may be idle a moment before its last request (a mode query after Koniec) goes.
    bool LoggedExactly(const Traffic& expected) { return Logged(Only('R', expected).size()) == expected; }

    BoxAnswerer boxes;  // first: it answers the start-up's boxes too
    SimProcess sim;
    settings::QtSettingsStore file;
    settings::OverlaySettings settings;
    std::unique_ptr<app::shell::MainWindow> window;
    app::dialogs::DeviceDialogs* dialogs = nullptr;  // owned by the window
    app::servo::ServoTools* tools = nullptr;
};

// A modal dialog runs its own event loop, so a test drives it from a timer: each step waits
// until its condition holds, then acts; the test waits until every step has run.
class DialogScript : public QObject {
public:
    DialogScript() {
        QObject::connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
        timer_.start(20);
    }
    DialogScript& When(std::function<bool()> ready, std::function<void()> act) {
        steps_.emplace_back(std::move(ready), std::move(act));
        return *this;
    }
    // A step taken from the list is done only once its action has begun.
    bool Done() const { return steps_.empty() && !running_; }

private:
    void Poll() {
        if (steps_.empty() || running_ || !steps_.front().first()) return;
        // An action may open a modal loop of its own; the next steps run from inside it.
        running_ = true;
        QTimer::singleShot(0, this, [this, act = std::move(steps_.front().second)] {
            running_ = false;
            act();
        });
        steps_.pop_front();
    }

    QTimer timer_;
    std::deque<std::pair<std::function<bool()>, std::function<void()>>> steps_;
    bool running_ = false;
};

// The longest gap between two beats of a 10 ms timer of the window's event loop while it lives:
// how long the window stalled.
class Heartbeat {
public:
    Heartbeat() {
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] { longest_ = std::max(longest_, since_.restart()); });
        since_.start();
        timer_.start(10);
    }
    qint64 LongestGapMs() const { return longest_; }

private:
    QTimer timer_;
    QElapsedTimer since_;
    qint64 longest_ = 0;
};

// Accepts every file dialog the window opens with the file it offers, as a user pressing Enter
// would; records what was offered.
class FileDialogAnswerer {
public:
    const QStringList& Offered() const { return offered_; }

private:
    QStringList offered_;
    Answerer<QFileDialog> answerer_{[this](QFileDialog& dialog) {
        offered_ << dialog.selectedFiles().value(0);
        QTimer::singleShot(0, &dialog, &QDialog::accept);
    }};
};

// Waits for the compile of F9 to end, running `whileReportShows` on its report if one opens.
inline bool Compile(WindowRig& rig, const std::function<void(app::compile::ReportWindow&)>& whileReportShows = {}) {
    bool finished = false;
    auto done = QObject::connect(&rig.window->Compiles(), &app::compile::CompileController::finished,
                                 [&] { finished = true; });
    Answerer<app::compile::ReportWindow> reports([&](app::compile::ReportWindow& report) {
        if (whileReportShows) whileReportShows(report);
        report.close();
    });
    rig.window->Action(app::window::CommandId::RunCompile)->trigger();
    const bool ended = SpinUntil([&] { return finished; }, 30000);
    QObject::disconnect(done);
    return ended;
}

}  // namespace orvane::test
