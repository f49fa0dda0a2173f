// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>

#include <QObject>
#include <QString>

#include "app/device/DeviceSession.h"
#include "core/device/ModeObserver.h"

namespace orvane::app::device {

// Lives on the device thread and owns the session there, so the session's timers and port
// belong to that thread; passes mode replies on as a signal.
class DeviceWorker : public QObject, public orvane::device::ModeObserver {
    Q_OBJECT
public:
    DeviceWorker() = default;
    ~DeviceWorker() override;

    // Called on the device thread before any work.
    void CreateSession(orvane::host::SettingsStore& settings, const orvane::host::PlatformFolders& folders,
                       const WindowHost& window);
    DeviceSession* Session() { return session_.get(); }

    void ModeApplied(orvane::device::DeviceMode mode) override;
    // Said once in the status bar; the mode pane shows "Nieznany" meanwhile.
    void LinkLost(bool lost) override;

signals:
    void modeApplied(orvane::device::DeviceMode mode);
    void message(const QString& text);

private:
    std::unique_ptr<DeviceSession> session_;
};

}  // namespace orvane::app::device
