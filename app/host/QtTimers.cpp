// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/host/QtTimers.h"

#include <algorithm>

#include <QTimer>

namespace orvane::app::host {

QtTimers::QtTimers(Handler handler) : handler_(std::move(handler)) {}

QtTimers::~QtTimers() = default;

void QtTimers::Start(int id, int periodMs) {
    auto& timer = timers_[id];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer.get(), &QTimer::timeout, [this, id] { handler_(id); });
    }
    timer->start(std::max(periodMs, 1));
}

void QtTimers::Kill(int id) {
    const auto it = timers_.find(id);
    if (it != timers_.end()) it->second->stop();
}

bool QtTimers::IsRunning(int id) const {
    const auto it = timers_.find(id);
    return it != timers_.end() && it->second->isActive();
}

}  // namespace orvane::app::host
