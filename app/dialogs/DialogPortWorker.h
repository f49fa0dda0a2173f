#pragma once
#include <memory>
#include <optional>

#include <QObject>

#include "app/dialogs/DialogPort.h"
#include "app/host/QtTimers.h"
#include "app/host/ThreadPrompts.h"
#include "core/device/SerialStack.h"
#include "core/platform/SteadyClock.h"

namespace orvane::app::dialogs {

// Lives on the dialog port's thread and owns what talks to the device there: the opener, the
// clock, the serial port and the timers, all created on that thread.
class DialogPortWorker : public QObject {
    Q_OBJECT
public:
    DialogPortWorker(orvane::host::SettingsStore& settings, orvane::host::Prompts& prompts, QObject* windowContext);

    // Called on the port's thread.
    DialogPort::Session& Session();
    void SetTimerHandler(DialogPort::TimerHandler handler) { timerHandler_ = std::move(handler); }

private:
    struct Parts {
        Parts(orvane::host::SettingsStore& settings, orvane::host::Prompts& prompts, QObject* context,
              host::QtTimers::Handler onTimer);
        orvane::platform::SteadyClock clock;
        host::ThreadPrompts prompts;
        host::QtTimers timers;
        // The port as every host builds it; the dialog uses only its serial port slots.
        orvane::device::SerialStack stack;
        DialogPort::Session session;
    };

    orvane::host::SettingsStore& settings_;
    orvane::host::Prompts& prompts_;
    QObject* windowContext_;
    std::unique_ptr<Parts> parts_;
    DialogPort::TimerHandler timerHandler_;
};

}  // namespace orvane::app::dialogs
