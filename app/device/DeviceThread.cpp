// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/device/DeviceThread.h"

#include <QCoreApplication>

#include "app/device/DeviceWorker.h"
#include "app/host/GuiCall.h"

namespace orvane::app::device {

DeviceThread::DeviceThread(orvane::host::SettingsStore& settings,
                           const orvane::host::PlatformFolders& folders, const WindowHost& window,
                           QObject* parent)
    : QObject(parent), worker_(new DeviceWorker) {
    thread_.setObjectName(QStringLiteral("orvane-device"));
    worker_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
    connect(worker_, &DeviceWorker::modeApplied, this, &DeviceThread::modeApplied);
    connect(worker_, &DeviceWorker::message, this, &DeviceThread::message);
    thread_.start();
    DeviceWorker* worker = worker_;
    WindowHost withBreaker = window;
    withBreaker.breaker = &breaker_;
    host::PostToThreadOf(worker_, [worker, &settings, folders, withBreaker] {
        worker->CreateSession(settings, folders, withBreaker);
    });
}

DeviceThread::~DeviceThread() { Shutdown(); }

void DeviceThread::Post(Work work, std::function<void()> thenOnWindow) {
    if (shuttingDown_ || !thread_.isRunning()) return;
    if (pending_++ == 0) emit busyChanged(true);
    DeviceWorker* worker = worker_;
    host::PostToThreadOf(worker_, [this, worker, work = std::move(work), then = std::move(thenOnWindow)] {
        if (DeviceSession* session = worker->Session()) work(*session);
        host::PostToThreadOf(this, [this, then] { Finished(then); });
    });
}

void DeviceThread::Finished(const std::function<void()>& thenOnWindow) {
    if (--pending_ == 0) emit busyChanged(false);
    if (thenOnWindow && !shuttingDown_) thenOnWindow();
}

void DeviceThread::Shutdown() {
    shuttingDown_ = true;
    if (!thread_.isRunning()) return;
    thread_.quit();
    // The work in hand may still ask the window for a box: keep answering until it is done.
    while (!thread_.wait(10)) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

}  // namespace orvane::app::device
