// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/device/DeviceWorker.h"


namespace orvane::app::device {

DeviceWorker::~DeviceWorker() = default;

void DeviceWorker::CreateSession(orvane::host::SettingsStore& settings,
                                 const orvane::host::PlatformFolders& folders, const WindowHost& window) {
    session_ = std::make_unique<DeviceSession>(settings, folders, window, this, [this](const std::string& text) {
        emit message(QString::fromStdString(text));
    });
}

void DeviceWorker::ModeApplied(orvane::device::DeviceMode mode) { emit modeApplied(mode); }

void DeviceWorker::LinkLost(bool lost) {
    emit message(lost ? QStringLiteral("Połączenie z urządzeniem zerwane: port zostanie otwarty ponownie, gdy urządzenie wróci.")
                      : QStringLiteral("Połączenie z urządzeniem przywrócone."));
}

}  // namespace orvane::app::device
