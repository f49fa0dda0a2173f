// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>

#include "app/host/FlashSteps.h"
#include "app/window/CommandIds.h"
#include "core/device/FlashOperations.h"

namespace orvane::app::device { class DeviceThread; }
namespace orvane::app::host { class QtProgress; }
namespace orvane::app::window {
class CommandBoard;
class StatusLine;
}

namespace orvane::app::flash {

// The "Program" and "System" submenus of "&Wykonaj": write, read out, erase and the System's
// version, each carried out on the device thread with its progress in the window.
class FlashCommands : public QObject {
    Q_OBJECT
public:
    // What the flash commands need of the window: the commands they carry out, the status line
    // for their outcome, the device thread they run on and their progress window.
    struct Parts {
        window::CommandBoard& commands;
        window::StatusLine& status;
        device::DeviceThread& device;
        host::QtProgress& progress;
    };

    FlashCommands(const Parts& parts, QObject* parent);

signals:
    // An operation has ended, whichever way.
    void finished(orvane::device::FlashResult result);

private:
    void Connect(window::CommandId id, host::FlashTask task, orvane::device::FlashArea::Kind area);
    void Start(host::FlashTask task, orvane::device::FlashArea::Kind area);
    void Report(host::FlashTask task, orvane::device::FlashArea::Kind area, orvane::device::FlashResult result);

    Parts parts_;
};

}  // namespace orvane::app::flash
