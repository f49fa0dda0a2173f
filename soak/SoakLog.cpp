// SPDX-License-Identifier: GPL-3.0-or-later
#include "soak/SoakLog.h"

#include <algorithm>

namespace orvane::soak {

namespace {
constexpr int kKeptLines = 400;
}

SoakLog::SoakLog(const QString& path, std::uint64_t seed) : file_(path), seed_(seed) {
    (void)file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text | QIODevice::Unbuffered);
    Write(QStringLiteral("seed %1").arg(seed_));
}

void SoakLog::Write(const QString& line) {
    recent_ << line;
    if (recent_.size() > kKeptLines) recent_.removeFirst();
    if (file_.isOpen()) file_.write((line + QLatin1Char('\n')).toUtf8());
}

void SoakLog::Action(const QString& what) { Write(QStringLiteral("#%1 %2").arg(++actions_).arg(what)); }

void SoakLog::Note(const QString& what) { Write(QStringLiteral("   %1").arg(what)); }

void SoakLog::Fail(const QString& why) {
    Write(QStringLiteral("FAIL %1").arg(why));
    if (failure_.isEmpty()) failure_ = why;
}

QString SoakLog::Report(int tail) const {
    QString text = QStringLiteral("orvane-soak: seed %1, %2 actions\n").arg(seed_).arg(actions_);
    if (Failed()) text += QStringLiteral("FAILED: %1\n").arg(failure_);
    text += QStringLiteral("full log: %1\n").arg(file_.fileName());
    const int from = std::max(0, static_cast<int>(recent_.size()) - tail);
    for (int i = from; i < recent_.size(); ++i) text += recent_[i] + QLatin1Char('\n');
    return text;
}

}  // namespace orvane::soak
