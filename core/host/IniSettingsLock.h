#pragma once
#include <string>

namespace orvane::host {

// The lock file the window application's settings library takes beside the settings file
// ("<file>.lock", holding the owner's process id, name and host) while it rewrites it; taking
// the same lock keeps the two programs from overwriting each other's changes. A lock left by a
// process that no longer runs on this host, or older than 30 s, is taken over.
class IniSettingsLock {
public:
    // Tries for up to `timeoutMs`; Held() tells whether it succeeded.
    explicit IniSettingsLock(const std::string& settingsPath, int timeoutMs = 5000);
    ~IniSettingsLock();
    IniSettingsLock(const IniSettingsLock&) = delete;
    IniSettingsLock& operator=(const IniSettingsLock&) = delete;

    bool Held() const { return fd_ >= 0; }
    // Why the lock was not taken.
    const std::string& Error() const { return error_; }

private:
    bool TryCreate();
    bool Stale() const;

    std::string path_;
    std::string error_;
    int fd_ = -1;
};

}  // namespace orvane::host
