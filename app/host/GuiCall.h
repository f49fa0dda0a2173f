// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <utility>

#include <QMetaObject>
#include <QObject>
#include <QThread>

namespace orvane::app::host {

// Runs `work` on the thread of `target` and waits for it: the device thread's way of showing a
// box or a file dialog on the window thread. Called on that thread already, it runs at once
// (a blocking queued call to one's own thread would never return).
template <typename Work>
void CallOnThreadOf(QObject* target, Work&& work) {
    if (QThread::currentThread() == target->thread()) {
        work();
        return;
    }
    QMetaObject::invokeMethod(target, std::forward<Work>(work), Qt::BlockingQueuedConnection);
}

// The same without waiting, for what the device thread only reports (progress, state).
template <typename Work>
void PostToThreadOf(QObject* target, Work&& work) {
    QMetaObject::invokeMethod(target, std::forward<Work>(work), Qt::QueuedConnection);
}

}  // namespace orvane::app::host
