// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane::platform {

namespace {

std::string Folder(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

void SetError(std::string* error, const std::string& what) {
    if (error) *error = what + ": " + std::strerror(errno);
}

// The bytes on the disk, with the mode the target has (or 0644 for a new file).
bool Fill(int fd, const std::string& path, std::string_view bytes) {
    struct stat old {};
    ::fchmod(fd, ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return ::fsync(fd) == 0;
}

// Gives a finished unnamed file a fresh name beside `path`, for the rename over it.
bool NameBeside(int fd, const std::string& path, std::string& name) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = path + "." + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
        if (errno != EEXIST) break;
    }
    name.clear();
    return false;
}

// Fills `fd`, names it `name` when `unnamed` (it is named already otherwise) and renames it
// over `path`; the name goes again on failure.
bool Finish(int fd, bool unnamed, std::string& name, const std::string& path, std::string_view bytes) {
    const bool done = Fill(fd, path, bytes) && (!unnamed || NameBeside(fd, path, name)) &&
                      ::rename(name.c_str(), path.c_str()) == 0;
    if (!done && !name.empty()) ::unlink(name.c_str());
    return done;
}

}  // namespace

// Unnamed while it is written where the file system allows it, so a process killed meanwhile
// leaves nothing behind; else, or when it cannot be named (no /proc), a named temporary file.
bool AtomicFile::Write(const std::string& path, std::string_view bytes, std::string* error) {
    std::string name;
    int fd = ::open(Folder(path).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd >= 0) {
        const bool done = Finish(fd, true, name, path, bytes);
        ::close(fd);
        if (done) return true;
    }
    name = path + ".XXXXXX";
    fd = ::mkstemp(name.data());
    if (fd < 0) {
        SetError(error, path);
        return false;
    }
    const bool done = Finish(fd, false, name, path, bytes);
    if (!done) SetError(error, path);
    ::close(fd);
    return done;
}

bool AtomicFile::Read(const std::string& path, std::string& bytes) {
    if (!Exists(path)) return false;  // a folder opens as a stream too, reading as empty
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    // Read with the error of each read seen: a stream would take a failing read for the end of
    // an empty file.
    std::string read;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ::close(fd);
            if (n < 0) return false;
            bytes = std::move(read);
            return true;
        }
        read.append(buffer, static_cast<std::size_t>(n));
    }
}

bool AtomicFile::Exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool AtomicFile::CanWrite(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        return S_ISREG(st.st_mode) && ::access(path.c_str(), W_OK) == 0 &&
               ::access(Folder(path).c_str(), W_OK) == 0;
    }
    return ::access(Folder(path).c_str(), W_OK) == 0;
}

}  // namespace orvane::platform
