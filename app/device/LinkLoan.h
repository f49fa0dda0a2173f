// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <functional>
#include <set>
#include <memory>
#include <mutex>
#include <optional>

#include <QObject>

#include "app/device/DeviceThread.h"
#include "core/device/DeviceLink.h"

namespace orvane::app::device {

// The one way a device dialog gets the controller. Begin posts the hand-over to the device
// thread: its `lend` step ends with DeviceLink::Lend (the run tick and the state check stop,
// the port is closed for the dialog), or gives nothing to refuse. Every exchange of the dialog
// is then ordinary work of the device thread, where it may wait for the controller while the
// window goes on; End posts the taking back (DeviceLink::TakeBack: Reset RS232, the start
// sequence or just the check). The window thread only posts and is called back: it never
// waits, and no thread runs an event loop of its own.
class LinkLoan : public QObject {
    Q_OBJECT
public:
    using Work = DeviceThread::Work;
    using Lend = std::function<std::optional<orvane::device::PortLoan>(DeviceSession&)>;
    using TimerHandler = std::function<bool(int id)>;
    // How long an exchange may keep waiting for a silent controller once the dialog ended.
    static constexpr int kEndGraceMs = 250;

    LinkLoan(DeviceThread& device, QObject* parent);

    // `lent` runs on the window thread with the loan, or `refused` when `lend` gave nothing.
    // Nothing while a loan is out already.
    void Begin(Lend lend, std::function<void(const orvane::device::PortLoan&)> lent,
               std::function<void()> refused = {});
    // One exchange on the device thread; `thenOnWindow` follows on this object's thread (not
    // for a dropped one). An exchange with a nonzero key that has not begun when the next one
    // posted has the same key is dropped (a slider still moving: the controller is sent the
    // latest position, not every one in between).
    void Post(Work work, std::function<void()> thenOnWindow = {}, int key = 0);
    // The dialog's last exchange ("Koniec"): an exchange still waiting for a silent controller
    // when this has not begun kEndGraceMs later has its waits cut.
    void PostLast(Work work, std::function<void()> thenOnWindow = {});
    // While the loan is out, the device thread's timer ticks go to `handler` first (true: taken).
    void SetTimerHandler(TimerHandler handler);
    // Takes the link back after the exchanges posted before, then `afterwards` on the device
    // thread (Program + CTRL's way back to System); as PostLast, a wait in the way is cut.
    void End(Work afterwards = {}, std::function<void()> thenOnWindow = {});
    // Cuts the device thread's waits if no work of PostLast or End has begun within kEndGraceMs.
    void CutWaitsSoon();

    bool IsBusy() const { return pending_ > 0; }
    bool IsLent() const { return lent_; }

signals:
    void busyChanged(bool busy);

private:
    // The exchanges' numbers, shared with the device thread.
    struct Keys {
        std::mutex mutex;
        std::uint64_t next = 0;
        int lastKey = 0;
        std::uint64_t lastNumber = 0;
        std::uint64_t begun = 0;
        std::set<std::uint64_t> dropped;
    };
    void Send(Work work, std::function<void()> thenOnWindow);

    DeviceThread& device_;
    std::shared_ptr<Keys> keys_ = std::make_shared<Keys>();
    int pending_ = 0;
    bool lent_ = false;
};

}  // namespace orvane::app::device
