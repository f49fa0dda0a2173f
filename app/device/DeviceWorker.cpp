#include "app/device/DeviceWorker.h"

#include "core/host/Cp1250.h"

namespace orvane::app::device {

DeviceWorker::~DeviceWorker() = default;

void DeviceWorker::CreateSession(orvane::host::SettingsStore& settings,
                                 const orvane::host::PlatformFolders& folders, const WindowHost& window) {
    session_ = std::make_unique<DeviceSession>(settings, folders, window, this, [this](const std::string& text) {
        emit message(QString::fromStdString(text));
    });
}

void DeviceWorker::ModeApplied(int commandId, const std::string& mode) {
    emit modeApplied(commandId, QString::fromStdString(orvane::host::Cp1250ToUtf8(mode)));
}

}  // namespace orvane::app::device
