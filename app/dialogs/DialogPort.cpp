#include "app/dialogs/DialogPort.h"

#include <QCoreApplication>
#include <QPointer>

#include "app/dialogs/DialogPortWorker.h"
#include "app/host/GuiCall.h"

namespace orvane::app::dialogs {

DialogPort::DialogPort(orvane::host::SettingsStore& settings, orvane::host::Prompts& prompts, QObject* parent)
    : QObject(parent), worker_(new DialogPortWorker(settings, prompts, this)) {
    thread_.setObjectName(QStringLiteral("orvane-dialog-port"));
    worker_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
    thread_.start();
}

DialogPort::~DialogPort() {
    thread_.quit();
    // Work in hand may still ask the window for a box: keep answering until it is done.
    while (!thread_.wait(10)) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void DialogPort::Post(Work work, std::function<void()> thenOnWindow) {
    if (pending_++ == 0) emit busyChanged(true);
    DialogPortWorker* worker = worker_;
    QPointer<DialogPort> self(this);
    host::PostToThreadOf(worker_, [self, worker, work = std::move(work), then = std::move(thenOnWindow)] {
        work(worker->Session());
        if (!self) return;
        host::PostToThreadOf(self.data(), [self, then] {
            if (!self) return;
            if (--self->pending_ == 0) emit self->busyChanged(false);
            if (then) then();
        });
    });
}

void DialogPort::SetTimerHandler(TimerHandler handler) {
    DialogPortWorker* worker = worker_;
    host::PostToThreadOf(worker_, [worker, handler = std::move(handler)] { worker->SetTimerHandler(handler); });
}

}  // namespace orvane::app::dialogs
