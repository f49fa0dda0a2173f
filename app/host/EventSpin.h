// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <functional>

namespace orvane::app::host {

// Lets the event loop run until `done` holds or `timeoutMs` have passed; true when done. Between
// two looks at `done` it sleeps in the event loop for at most `sliceMs`, waking for any event, and
// lets objects deleted later go. For whatever drives the window from outside: the screenshot
// tool, the benchmarks and the window's tests.
inline bool SpinUntil(const std::function<bool()>& done, int timeoutMs = 10000, int sliceMs = 10) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs) return false;
        QEventLoop slice;
        QTimer::singleShot(sliceMs, &slice, &QEventLoop::quit);
        slice.exec();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

}  // namespace orvane::app::host
