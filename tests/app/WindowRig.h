#pragma once
#include <memory>
#include <string>
#include <vector>

#include <QElapsedTimer>
#include <QFileDialog>

#include "app/shell/MainWindow.h"
#include "app/shell/StatusPanes.h"
#include "settings/OverlaySettings.h"
#include "settings/QtSettingsStore.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/SimProcess.h"

namespace orvane::test {

// A window started on the virtual controller through --port's override, as `make run` starts
// it. Only the tests' own queries reach the controller: the periodic check stays off.
struct WindowRig {
    explicit WindowRig(std::vector<std::string> simArgs) : sim(ORVANE_SIM_BIN, std::move(simArgs)), settings(file) {
        file.WriteString("Sprawdzaj odpowiada co", "0");
        settings.OverridePort(sim.SlavePath());
        window = std::make_unique<app::shell::MainWindow>(settings,
                                                          host::PlatformFolders::Detect(ORVANE_DATA_DIR));
        window->show();
        window->RunStartUp();
    }
    QString Pane() const { return window->Panes().ModeText(); }
    bool WaitForPane(const QString& mode, int timeoutMs = 10000) const {
        return WaitUntil([&] { return Pane() == QStringLiteral(" Tryb: ") + mode; }, timeoutMs);
    }
    bool WaitIdle(int timeoutMs = 10000) const {
        return WaitUntil([&] { return !window->Device().IsBusy(); }, timeoutMs);
    }

    SimProcess sim;
    settings::QtSettingsStore file;
    settings::OverlaySettings settings;
    std::unique_ptr<app::shell::MainWindow> window;
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
// would; counts them.
class FileDialogAnswerer : public QObject {
public:
    FileDialogAnswerer() {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<QFileDialog*>(widget);
                if (dialog == nullptr || !dialog->isVisible() || dialog->property("answered").toBool()) continue;
                dialog->setProperty("answered", true);
                offered_ << dialog->selectedFiles().value(0);
                QTimer::singleShot(0, dialog, &QDialog::accept);
            }
        });
        timer_.start();
    }
    const QStringList& Offered() const { return offered_; }

private:
    QTimer timer_;
    QStringList offered_;
};

}  // namespace orvane::test
