// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QProcess>
#include <QString>

namespace orvane::app::dialogs {

// The virtual controller (orvane-sim) as a user without a board starts it from the RS232
// dialog: on a fixed link in the data folder, which is stored as the device of a COM number, so
// the next start of the program finds it again (and starts it again). Its flash is kept in a
// file beside the link, so a program written into it survives. It ends with the window,
// saving its flash.
class SimulatorLauncher : public QObject {
    Q_OBJECT
public:
    // `dataFolder`: where the link and the flash file live (the shared data folder).
    explicit SimulatorLauncher(const QString& dataFolder, QObject* parent = nullptr);
    ~SimulatorLauncher() override;

    QString LinkPath() const { return folder_ + QStringLiteral("/orvane-sim.tty"); }
    QString FlashPath() const { return folder_ + QStringLiteral("/orvane-sim.hex"); }
    bool IsRunning() const { return process_.state() != QProcess::NotRunning; }
    // Starts it unless it runs; true once its link is there. `error` says why not.
    bool EnsureRunning(QString* error = nullptr);
    // orvane-sim beside this program (as it is built and installed), or on the PATH; empty if none.
    static QString Binary();

private:
    QString folder_;
    QProcess process_;
};

}  // namespace orvane::app::dialogs
