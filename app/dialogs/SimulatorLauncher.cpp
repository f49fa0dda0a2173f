// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/SimulatorLauncher.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace orvane::app::dialogs {

namespace {
constexpr int kStartMs = 5000;
constexpr int kStopMs = 3000;
}  // namespace

SimulatorLauncher::SimulatorLauncher(const QString& dataFolder, QObject* parent)
    : QObject(parent), folder_(QDir::cleanPath(dataFolder)) {
    process_.setProcessChannelMode(QProcess::SeparateChannels);
}

SimulatorLauncher::~SimulatorLauncher() {
    if (!IsRunning()) return;
    // SIGTERM lets it save its flash; only one that does not end is killed.
    process_.terminate();
    if (!process_.waitForFinished(kStopMs)) process_.kill();
    process_.waitForFinished(kStopMs);
}

QString SimulatorLauncher::Binary() {
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("orvane-sim"));
    if (QFileInfo(beside).isExecutable()) return beside;
    return QStandardPaths::findExecutable(QStringLiteral("orvane-sim"));
}

bool SimulatorLauncher::EnsureRunning(QString* error) {
    if (IsRunning() && QFileInfo::exists(LinkPath())) return true;
    const QString binary = Binary();
    auto fail = [error](const QString& why) {
        if (error != nullptr) *error = why;
        return false;
    };
    if (binary.isEmpty()) return fail(QStringLiteral("Nie znaleziono programu orvane-sim."));
    QDir().mkpath(folder_);
    process_.start(binary, {QStringLiteral("--link"), LinkPath(), QStringLiteral("--flash"), FlashPath()});
    // Its first line (the pseudo-terminal) comes once the link is in place.
    if (!process_.waitForStarted(kStartMs) || !process_.waitForReadyRead(kStartMs)) {
        const QString why = QString::fromLocal8Bit(process_.readAllStandardError()).trimmed();
        process_.kill();
        process_.waitForFinished(kStopMs);
        return fail(QStringLiteral("Sterownik wirtualny nie uruchomił się.") +
                    (why.isEmpty() ? QString() : QStringLiteral("\n") + why));
    }
    return true;
}

}  // namespace orvane::app::dialogs
