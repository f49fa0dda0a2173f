// SPDX-License-Identifier: GPL-3.0-or-later
#include "soak/SoakSim.h"

#include <QFileInfo>

namespace orvane::soak {

namespace {
constexpr int kStartMs = 5000;
}

SoakSim::SoakSim(QString binary, QString folder) : binary_(std::move(binary)), folder_(std::move(folder)) {
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

SoakSim::~SoakSim() { Stop(); }

void SoakSim::Stop() {
    if (!IsRunning()) return;
    process_.terminate();
    if (!process_.waitForFinished(kStartMs)) {
        process_.kill();
        process_.waitForFinished(kStartMs);
    }
}

// The simulator prints its terminal's path once the link is in place.
bool SoakSim::Restart(const QStringList& faults, QString* error) {
    Stop();
    faults_ = faults;
    QStringList args{QStringLiteral("--link"), Link(), QStringLiteral("--flash"),
                     folder_ + QStringLiteral("/orvane-sim.hex")};
    for (const QString& fault : faults) args << QStringLiteral("--fault") << fault;
    process_.start(binary_, args);
    if (!process_.waitForStarted(kStartMs) || !process_.waitForReadyRead(kStartMs) ||
        !QFileInfo::exists(Link())) {
        *error = QStringLiteral("orvane-sim did not start: ") + process_.errorString();
        Stop();
        return false;
    }
    process_.readAllStandardOutput();
    return true;
}

}  // namespace orvane::soak
