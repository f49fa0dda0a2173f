#include "core/platform/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
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
}  // namespace

bool AtomicFile::Write(const std::string& path, std::string_view bytes, std::string* error) {
    std::string tmp = path + ".XXXXXX";
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0) {
        SetError(error, path);
        return false;
    }
    struct stat old {};
    ::fchmod(fd, ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    const bool written = done == bytes.size() && ::fsync(fd) == 0;
    if (!written) SetError(error, path);
    ::close(fd);
    if (!written || ::rename(tmp.c_str(), path.c_str()) != 0) {
        if (written) SetError(error, path);
        ::unlink(tmp.c_str());
        return false;
    }
    return true;
}

bool AtomicFile::Read(const std::string& path, std::string& bytes) {
    if (!Exists(path)) return false;  // a folder opens as a stream too, reading as empty
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    if (in.bad()) return false;
    bytes = s.str();
    return true;
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
