#pragma once
#include <cstdint>
#include <map>
#include <string>

#include "core/host/IniSettingsDocument.h"
#include "core/host/SettingsStore.h"

namespace orvane::host {

// The ORVANE section of the settings file the CLI shares with the window application:
// $XDG_CONFIG_HOME/ORVANE/ORVANE.ini (~/.config/ORVANE/ORVANE.ini), the file the window's
// settings library keeps for the organisation and application "ORVANE" in its INI format.
// Reads see the file as it is on disk (it is read again when it changed); every write takes the
// library's lock, reads the file afresh, changes the one key and replaces the file atomically,
// so keys the other program wrote meanwhile are kept. Key lookup ignores case, as the profile
// store did; a new key is written as spelled.
class IniSettingsFile : public SettingsStore {
public:
    // `lockTimeoutMs`: how long a write waits for the other program to release the file.
    explicit IniSettingsFile(std::string path, std::string section = "ORVANE",
                             int lockTimeoutMs = 5000);
    static std::string DefaultPath();

    std::string ReadString(std::string_view key, std::string_view fallback) const override;
    // A value that could not be saved is still seen by this program's later reads; the reason
    // is kept in LastError().
    void WriteString(std::string_view key, std::string_view value) override;

    const std::string& Path() const { return path_; }
    const std::string& LastError() const { return lastError_; }

private:
    struct Stamp {
        bool exists = false;
        std::uint64_t inode = 0;  // the file is replaced, never rewritten in place
        std::int64_t size = 0;
        std::int64_t mtimeNs = 0;
        bool operator==(const Stamp&) const = default;
    };
    Stamp CurrentStamp() const;
    IniSettingsDocument Load() const;
    void Refresh() const;

    std::string path_;
    std::string section_;
    int lockTimeoutMs_;
    mutable IniSettingsDocument doc_;
    mutable Stamp loaded_;
    mutable bool everLoaded_ = false;
    std::map<std::string, std::string> unsaved_;  // folded key -> value
    std::string lastError_;
};

}  // namespace orvane::host
