#pragma once
#include <functional>
#include <memory>

#include <QObject>
#include <QThread>

#include "core/device/SerialCtrl.h"
#include "core/host/Clock.h"
#include "core/host/Prompts.h"
#include "core/host/SettingsStore.h"
#include "core/host/Timers.h"

namespace orvane::app::dialogs {

class DialogPortWorker;

// A device dialog's own serial port, on a thread of its own, as the controller's dialogs have
// always had a port object of their own: the dialog posts each exchange here and shows the
// result when it is done, so the window never waits for the controller. The port's boxes are
// shown by `prompts` on the window thread while this thread waits; its timers fire here.
class DialogPort : public QObject {
    Q_OBJECT
public:
    struct Session {
        orvane::device::CSerialCtrl& serial;
        orvane::host::Timers& timers;
        orvane::host::Clock& clock;
        orvane::host::Prompts& prompts;
    };
    using Work = std::function<void(Session&)>;
    using TimerHandler = std::function<void(Session&, int id)>;

    // `settings` names the device of each COM number; `prompts` lives on the window thread.
    DialogPort(orvane::host::SettingsStore& settings, orvane::host::Prompts& prompts, QObject* parent = nullptr);
    ~DialogPort() override;

    // Runs `work` on the port's thread after what was posted before; `thenOnWindow` runs on
    // this object's thread once it is done (not at all when the port is gone by then).
    void Post(Work work, std::function<void()> thenOnWindow = {});
    // Timer ticks of the port's session go to `handler`, on the port's thread.
    void SetTimerHandler(TimerHandler handler);
    bool IsBusy() const { return pending_ > 0; }

signals:
    void busyChanged(bool busy);

private:
    QThread thread_;
    DialogPortWorker* worker_;
    int pending_ = 0;
};

}  // namespace orvane::app::dialogs
