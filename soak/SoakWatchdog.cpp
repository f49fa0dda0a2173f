// SPDX-License-Identifier: GPL-3.0-or-later
#include "soak/SoakWatchdog.h"

#include <sys/prctl.h>
#include <unistd.h>

#include <QFile>
#include <QStringList>
#include <cstdio>
#include <cstdlib>

namespace orvane::soak {

namespace {
constexpr int kTailLines = 60;

void PrintLogTail(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    const qsizetype from = std::max<qsizetype>(0, lines.size() - kTailLines);
    for (qsizetype i = from; i < lines.size(); ++i) std::fprintf(stderr, "%s\n", qUtf8Printable(lines[i]));
}
}  // namespace

SoakWatchdog::SoakWatchdog(QString logPath, std::chrono::seconds limit) : logPath_(std::move(logPath)) {
    prctl(PR_SET_PTRACER, PR_SET_PTRACER_ANY);  // gdb, started from here, may read our stacks
    thread_ = std::thread([this, limit] { Watch(limit); });
}

SoakWatchdog::~SoakWatchdog() {
    {
        const std::lock_guard lock(mutex_);
        over_ = true;
    }
    done_.notify_all();
    thread_.join();
}

void SoakWatchdog::Watch(std::chrono::seconds limit) {
    std::unique_lock lock(mutex_);
    if (done_.wait_for(lock, limit, [this] { return over_; })) return;
    Bite(limit);
}

void SoakWatchdog::Bite(std::chrono::seconds limit) const {
    std::fprintf(stderr, "orvane-soak: FAILED: still running %lld s after it began; the last actions:\n",
                 static_cast<long long>(limit.count()));
    PrintLogTail(logPath_);
    std::fflush(stderr);
    const std::string stacks = "command -v gdb >/dev/null && gdb -p " + std::to_string(getpid()) +
                               " -batch -nx -ex 'thread apply all bt 30' 1>&2";
    (void)std::system(stacks.c_str());
    std::fflush(stderr);
    _exit(3);
}

}  // namespace orvane::soak
