#include "core/host/IniSettingsLock.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace orvane::host {

namespace {

constexpr int kStaleSeconds = 30;
constexpr int kRetryMs = 10;

std::string HostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0) return {};
    return name;
}

}  // namespace

IniSettingsLock::IniSettingsLock(const std::string& settingsPath, int timeoutMs)
    : path_(settingsPath + ".lock") {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!TryCreate()) {
        if (errno != EEXIST) {
            error_ = path_ + ": " + std::strerror(errno);
            return;
        }
        if (Stale()) {
            ::unlink(path_.c_str());
            continue;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            error_ = path_ + ": the settings file is locked by another program";
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(kRetryMs));
    }
}

IniSettingsLock::~IniSettingsLock() {
    if (fd_ < 0) return;
    ::unlink(path_.c_str());
    ::close(fd_);
}

bool IniSettingsLock::TryCreate() {
    const int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const std::string owner =
        std::to_string(::getpid()) + "\norvane-cli\n" + HostName() + "\n";
    const bool written = ::write(fd, owner.data(), owner.size()) == static_cast<ssize_t>(owner.size());
    if (!written) {
        ::unlink(path_.c_str());
        ::close(fd);
        errno = EIO;
        return false;
    }
    ::flock(fd, LOCK_EX | LOCK_NB);
    fd_ = fd;
    return true;
}

bool IniSettingsLock::Stale() const {
    struct stat st {};
    if (::stat(path_.c_str(), &st) != 0) return false;  // gone meanwhile: simply retry
    if (::time(nullptr) - st.st_mtime > kStaleSeconds) return true;
    std::ifstream in(path_);
    long pid = 0;
    std::string app, host;
    if (!(in >> pid) || pid <= 0) return false;
    std::getline(in, app);  // rest of the pid line
    std::getline(in, app);
    std::getline(in, host);
    if (host != HostName()) return false;
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

}  // namespace orvane::host
