// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/device/LinkLoan.h"

#include <QPointer>
#include <QTimer>

namespace orvane::app::device {

LinkLoan::LinkLoan(DeviceThread& device, QObject* parent) : QObject(parent), device_(device) {}

void LinkLoan::Send(Work work, std::function<void()> thenOnWindow) {
    if (pending_++ == 0) emit busyChanged(true);
    QPointer<LinkLoan> self(this);
    device_.Post(std::move(work), [self, then = std::move(thenOnWindow)] {
        if (!self) return;
        if (--self->pending_ == 0) emit self->busyChanged(false);
        if (then) then();
    });
}

void LinkLoan::Begin(Lend lend, std::function<void(const orvane::device::PortLoan&)> lent,
                     std::function<void()> refused) {
    if (lent_) return;  // the command again before its dialog showed
    lent_ = true;
    auto loan = std::make_shared<std::optional<orvane::device::PortLoan>>();
    Send([lend = std::move(lend), loan](DeviceSession& session) { *loan = lend(session); },
         [this, loan, lent = std::move(lent), refused = std::move(refused)] {
             if (*loan) {
                 lent(**loan);
                 return;
             }
             lent_ = false;
             if (refused) refused();
         });
}

void LinkLoan::Post(Work work, std::function<void()> thenOnWindow, int key) {
    std::uint64_t number = 0;
    {
        const std::lock_guard lock(keys_->mutex);
        number = ++keys_->next;
        if (key != 0 && keys_->lastKey == key && keys_->lastNumber > keys_->begun) {
            keys_->dropped.insert(keys_->lastNumber);
        }
        keys_->lastKey = key;
        keys_->lastNumber = number;
    }
    auto ran = std::make_shared<bool>(false);
    Send([keys = keys_, number, ran, work = std::move(work)](DeviceSession& session) {
        {
            const std::lock_guard lock(keys->mutex);
            keys->begun = number;
            if (keys->dropped.erase(number) > 0) return;
        }
        *ran = true;
        work(session);
    }, [ran, then = std::move(thenOnWindow)] {
        if (*ran && then) then();
    });
}

void LinkLoan::SetTimerHandler(TimerHandler handler) {
    device_.Post([handler = std::move(handler)](DeviceSession& session) { session.SetLoanTimerHandler(handler); });
}

void LinkLoan::CutWaitsSoon() {
    host::WaitBreaker& breaker = device_.Breaker();
    breaker.Arm();
    QTimer::singleShot(kEndGraceMs, this, [&breaker] { breaker.FireIfArmed(); });
}

void LinkLoan::PostLast(Work work, std::function<void()> thenOnWindow) {
    CutWaitsSoon();
    host::WaitBreaker& breaker = device_.Breaker();
    Post([&breaker, work = std::move(work)](DeviceSession& session) {
        breaker.Disarm();
        work(session);
    }, std::move(thenOnWindow));
}

void LinkLoan::End(Work afterwards, std::function<void()> thenOnWindow) {
    if (!lent_) return;
    lent_ = false;
    CutWaitsSoon();
    host::WaitBreaker& breaker = device_.Breaker();
    Send([&breaker, afterwards = std::move(afterwards)](DeviceSession& session) {
        breaker.Disarm();
        session.SetLoanTimerHandler({});
        session.Link().TakeBack();
        if (afterwards) afterwards(session);
    }, std::move(thenOnWindow));
}

}  // namespace orvane::app::device
