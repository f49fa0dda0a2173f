// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QProcess>
#include <QString>
#include <QStringList>

namespace orvane::soak {

// The virtual controller the soak's window talks to: orvane-sim on a fixed link in the soak's
// folder, so that it can be started again (with other faults, or after a hang-up fault ended it)
// and the window reaches it again through the same path.
class SoakSim {
public:
    SoakSim(QString binary, QString folder);
    ~SoakSim();

    QString Link() const { return folder_ + QStringLiteral("/orvane-sim.tty"); }
    const QStringList& Faults() const { return faults_; }
    bool IsRunning() const { return process_.state() != QProcess::NotRunning; }
    // Ends a running one, then starts it with `faults` ("delay:40", "drop:7"...); true once its
    // link is there. `error` tells why not.
    bool Restart(const QStringList& faults, QString* error);
    void Stop();

private:
    QString binary_;
    QString folder_;
    QStringList faults_;
    QProcess process_;
};

}  // namespace orvane::soak
