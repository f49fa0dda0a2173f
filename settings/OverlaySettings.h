// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <mutex>

#include "core/host/MemorySettings.h"
#include "core/host/SettingsStore.h"

namespace orvane::settings {

// The settings of one run: values given on the command line (--port, --baud, --setting ...)
// lie over the shared settings file, so a run on another device never rewrites the user's
// stored choice. Writes go to the file; a key given on the command line also takes the new
// value for the rest of the run. Safe to share between the window and the device thread.
class OverlaySettings : public host::SettingsStore {
public:
    explicit OverlaySettings(host::SettingsStore& base) : base_(base) {}

    void Override(std::string_view key, std::string_view value);
    // Talk to the device at `path` (CP1250) for this run: COM 1, mapped to that device.
    void OverridePort(std::string_view path);
    std::string ReadString(std::string_view key, std::string_view fallback) const override;
    void WriteString(std::string_view key, std::string_view value) override;

private:
    host::SettingsStore& base_;
    mutable std::mutex mutex_;
    host::MemorySettings overlay_;
};

}  // namespace orvane::settings
