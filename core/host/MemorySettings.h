// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <map>
#include <string>

#include "core/host/SettingsStore.h"

namespace orvane::host {

// Settings held in memory: the store of the tests, and the overlay the CLI puts over the
// file store for `--setting KEY=VALUE`. Key lookup ignores ASCII case, as the profile store does.
class MemorySettings : public SettingsStore {
public:
    std::string ReadString(std::string_view key, std::string_view fallback) const override;
    void WriteString(std::string_view key, std::string_view value) override;
    bool Contains(std::string_view key) const;
    const std::map<std::string, std::string>& Values() const { return values_; }

private:
    std::map<std::string, std::string> values_;  // key folded to lower case -> value
};

}  // namespace orvane::host
