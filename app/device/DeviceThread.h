// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <memory>

#include <QObject>
#include <QString>
#include <QThread>

#include "app/device/DeviceSession.h"
#include "core/device/DeviceMode.h"

namespace orvane::app::device {

class DeviceWorker;

// The one thread that talks to the controller. It owns the DeviceSession (port, device link,
// command table, state-check and run timers); the window posts work to it and never waits for
// it. The work's boxes and file dialogs are shown by the window thread while only the device
// thread waits; progress and mode changes come back as queued signals. A core operation waits
// for the controller in its own thread, so the window keeps painting and answering meanwhile.
class DeviceThread : public QObject {
    Q_OBJECT
public:
    using Work = std::function<void(DeviceSession&)>;

    DeviceThread(orvane::host::SettingsStore& settings, const orvane::host::PlatformFolders& folders,
                 const WindowHost& window, QObject* parent = nullptr);
    ~DeviceThread() override;

    // Runs `work` on the device thread after everything posted before it; `thenOnWindow` runs
    // on the window thread once it is done.
    void Post(Work work, std::function<void()> thenOnWindow = {});

    // Work posted and not finished yet.
    bool IsBusy() const { return pending_ > 0; }
    // Cuts the device thread's waits short (see WaitBreaker); shared with the session.
    host::WaitBreaker& Breaker() { return breaker_; }
    // Ends the thread once the work in hand is done (the window answers boxes meanwhile).
    void Shutdown();
    // True from Shutdown on: what the work in hand asks of the window is then refused.
    bool ShuttingDown() const { return shuttingDown_; }

signals:
    // A mode reply was applied.
    void modeApplied(orvane::device::DeviceMode mode);
    void busyChanged(bool busy);
    // A line for the status bar's message pane.
    void message(const QString& text);

private:
    void Finished(const std::function<void()>& thenOnWindow);

    host::WaitBreaker breaker_;
    QThread thread_;
    DeviceWorker* worker_;
    int pending_ = 0;
    bool shuttingDown_ = false;
};

}  // namespace orvane::app::device
