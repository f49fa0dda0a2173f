// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/host/SettingsStore.h"

namespace orvane::tools {

// The settings as a dialog sees them while it is open: its own writes are read back at once
// (the RS232 dialog tests the device just picked) but reach the stored settings only on
// Commit, so Anuluj leaves them as they were.
class StagedSettings : public host::SettingsStore {
public:
    explicit StagedSettings(host::SettingsStore& stored) : stored_(stored) {}

    std::string ReadString(std::string_view key, std::string_view fallback) const override;
    void WriteString(std::string_view key, std::string_view value) override;

    // Writes the staged values to the stored settings in the order they were first staged, with
    // the keys spelled as staged, and forgets them.
    void Commit();
    void Discard() { staged_.clear(); }
    bool HasStaged(std::string_view key) const { return Index(key) < staged_.size(); }

private:
    // The position of a staged key, or staged_.size() when it is not staged.
    std::size_t Index(std::string_view key) const;

    host::SettingsStore& stored_;
    std::vector<std::pair<std::string, std::string>> staged_;  // key as spelled, value
};

}  // namespace orvane::tools
