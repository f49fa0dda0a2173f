#pragma once
#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>

namespace orvane::app::host {

// Lets the event loop run until `done` holds or `timeoutMs` have passed; true when done. For the
// tools that drive the window from outside it: the screenshot tool and the benchmarks.
inline bool SpinUntil(const std::function<bool()>& done, int timeoutMs, int sliceMs = 20) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, sliceMs);
    }
    return true;
}

}  // namespace orvane::app::host
