#pragma once
#include "core/host/MemorySettings.h"
#include "core/host/SettingsStore.h"

namespace orvane::cli {

// The settings of one run: values given on the command line (--port, --baud, --commands,
// --setting) lie over the shared settings file. Writes go to the file; a key given on the
// command line also takes the new value for the rest of the run.
class OverlaySettings : public host::SettingsStore {
public:
    explicit OverlaySettings(host::SettingsStore& base) : base_(base) {}

    void Override(std::string_view key, std::string_view value) { overlay_.WriteString(key, value); }
    std::string ReadString(std::string_view key, std::string_view fallback) const override;
    void WriteString(std::string_view key, std::string_view value) override;

private:
    host::SettingsStore& base_;
    host::MemorySettings overlay_;
};

}  // namespace orvane::cli
