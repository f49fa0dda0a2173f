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

}  // namespace orvane::app::device
