#pragma once
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QObject>
#include <QTimer>

#include "app/dialogs/DeviceDialogs.h"
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

// A modal dialog runs its own event loop, so a test drives it from a timer: each step waits
// until its condition holds, then acts; the test waits until every step has run.
class DialogScript : public QObject {
public:
    DialogScript() {
        QObject::connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
        timer_.start(20);
    }
    DialogScript& When(std::function<bool()> ready, std::function<void()> act) {
        steps_.push_back({std::move(ready), std::move(act)});
        return *this;
    }
    bool Done() const { return steps_.empty(); }

private:
    struct Step {
        std::function<bool()> ready;
        std::function<void()> act;
    };
    void Poll() {
        if (steps_.empty() || running_ || !steps_.front().ready()) return;
        Step step = std::move(steps_.front());
        steps_.pop_front();
        // An action may open a modal loop of its own; the next steps run from inside it.
        running_ = true;
        QTimer::singleShot(0, this, [this, act = std::move(step.act)] {
            running_ = false;
            act();
        });
    }

    QTimer timer_;
    std::deque<Step> steps_;
    bool running_ = false;
};

// The window with its device dialogs on the virtual controller, started through --port's
// override as `make run` starts it; the periodic check stays off so only the tests' own
// exchanges reach the controller.
struct DialogRig {
    // `beforeWindow` may talk to the simulator (its device path given) before the window does.
    explicit DialogRig(std::vector<std::string> simArgs, const char* baud = "115,2k",
                       const std::function<void(const std::string&)>& beforeWindow = {})
        : sim(ORVANE_SIM_BIN, std::move(simArgs)), settings(file) {
        if (beforeWindow) beforeWindow(sim.SlavePath());
        file.WriteString("Sprawdzaj odpowiada co", "0");
        file.WriteString("Baud Rate", baud);
        settings.OverridePort(sim.SlavePath());
        window = std::make_unique<app::shell::MainWindow>(settings, host::PlatformFolders::Detect(ORVANE_DATA_DIR));
        dialogs = new app::dialogs::DeviceDialogs(*window);
        window->show();
        window->RunStartUp();
    }
    QString Pane() { return window->Panes().ModeText(); }
    // The whole traffic once the simulator has heard `heard` bytes (a last request that has no
    // reply may still be on its way) and has ended.
    Traffic Logged(std::size_t heard) {
        WaitUntil([&] { return Only('R', sim.Traffic()).size() >= heard; }, 3000);
        sim.Stop();
        return sim.Traffic();
    }
    bool Idle() { return !window->Device().IsBusy(); }

    SimProcess sim;
    settings::QtSettingsStore file;
    settings::OverlaySettings settings;
    std::unique_ptr<app::shell::MainWindow> window;
    app::dialogs::DeviceDialogs* dialogs = nullptr;  // owned by the window
};

}  // namespace orvane::test
