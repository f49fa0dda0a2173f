#pragma once
#include <memory>
#include <optional>

#include <QObject>

#include "app/dialogs/DialogPort.h"
#include "app/host/QtTimers.h"
#include "app/host/ThreadPrompts.h"

namespace orvane::app::dialogs {

// Lives on the dialog port's thread and owns what talks to the device there: the opener, the
// clock, the serial port and the timers, all created on that thread.
class DialogPortWorker : public QObject {
    Q_OBJECT
public:
    DialogPortWorker(const orvane::host::SettingsStore& settings, orvane::host::Prompts& prompts,
                     QObject* windowContext);

    // Called on the port's thread.
    DialogPort::Session& Session();
    void SetTimerHandler(DialogPort::TimerHandler handler) { timerHandler_ = std::move(handler); }

private:
    struct Parts {
        Parts(const orvane::host::SettingsStore& settings, orvane::host::Prompts& prompts, QObject* context,
              host::QtTimers::Handler onTimer);
        orvane::device::PosixPortOpener opener;
        orvane::host::SteadyClock clock;
        host::ThreadPrompts prompts;
        orvane::device::CSerialCtrl serial;
        host::QtTimers timers;
        DialogPort::Session session;
    };

    const orvane::host::SettingsStore& settings_;
    orvane::host::Prompts& prompts_;
    QObject* windowContext_;
    std::unique_ptr<Parts> parts_;
    DialogPort::TimerHandler timerHandler_;
};

}  // namespace orvane::app::dialogs
