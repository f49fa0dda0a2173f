#include "core/host/IniSettingsFile.h"

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

#include "core/host/Cp1250.h"
#include "core/host/IniSettingsEscaping.h"
#include "core/host/IniSettingsLock.h"
#include "core/platform/AtomicFile.h"

namespace orvane::host {

IniSettingsFile::IniSettingsFile(std::string path, std::string section, int lockTimeoutMs)
    : path_(std::move(path)), section_(std::move(section)), lockTimeoutMs_(lockTimeoutMs) {}

std::string IniSettingsFile::DefaultPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string folder;
    if (config && *config) {
        folder = config;
    } else {
        const char* home = std::getenv("HOME");
        folder = std::string(home && *home ? home : "/tmp") + "/.config";
    }
    return folder + "/ORVANE/ORVANE.ini";
}

IniSettingsFile::Stamp IniSettingsFile::CurrentStamp() const {
    struct stat st {};
    if (::stat(path_.c_str(), &st) != 0) return {};
    return {true, static_cast<std::uint64_t>(st.st_ino), static_cast<std::int64_t>(st.st_size),
            static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
}

IniSettingsDocument IniSettingsFile::Load() const {
    std::string text;
    if (!platform::AtomicFile::Read(path_, text)) return {};
    return IniSettingsDocument::Parse(text);
}

void IniSettingsFile::Refresh() const {
    const Stamp now = CurrentStamp();
    if (everLoaded_ && now == loaded_) return;
    doc_ = Load();
    loaded_ = now;
    everLoaded_ = true;
}

std::string IniSettingsFile::ReadString(std::string_view key, std::string_view fallback) const {
    const auto unsaved = unsaved_.find(FoldCase(key));
    if (unsaved != unsaved_.end()) return unsaved->second;
    Refresh();
    const std::string* raw = doc_.Find(section_, key);
    return raw ? IniSettingsEscaping::UnescapeValue(*raw) : std::string(fallback);
}

void IniSettingsFile::WriteString(std::string_view key, std::string_view value) {
    lastError_.clear();
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path_).parent_path(), ignored);
    {
        const IniSettingsLock lock(path_, lockTimeoutMs_);
        if (lock.Held()) {
            IniSettingsDocument fresh = Load();
            fresh.Set(section_, key, IniSettingsEscaping::EscapeValue(value));
            if (platform::AtomicFile::Write(path_, fresh.Text(), &lastError_)) {
                unsaved_.erase(FoldCase(key));
                doc_ = std::move(fresh);
                loaded_ = CurrentStamp();
                everLoaded_ = true;
                return;
            }
        } else {
            lastError_ = lock.Error();
        }
    }
    unsaved_[FoldCase(key)] = std::string(value);
}

}  // namespace orvane::host
