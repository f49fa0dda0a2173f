// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/PosixProcessRunner.h"

#include <cerrno>
#include <spawn.h>
#include <sys/wait.h>

#include "core/host/Cp1250.h"
#include "core/platform/AtomicFile.h"

extern char** environ;

namespace orvane::platform {

PosixProcessRunner::PosixProcessRunner(std::ostream& reportOut) : reportOut_(reportOut) {}

int PosixProcessRunner::Run(const std::vector<std::string>& argv) {
    if (argv.empty() || argv.front().empty()) return -1;
    std::vector<std::string> args;
    args.reserve(argv.size());
    for (const auto& a : argv) args.push_back(host::Cp1250ToUtf8(a));
    std::vector<char*> raw;
    for (auto& a : args) raw.push_back(a.data());
    raw.push_back(nullptr);

    pid_t pid = 0;
    const bool searchPath = args.front().find('/') == std::string::npos;
    const int started = searchPath
                            ? ::posix_spawnp(&pid, raw[0], nullptr, nullptr, raw.data(), environ)
                            : ::posix_spawn(&pid, raw[0], nullptr, nullptr, raw.data(), environ);
    if (started != 0) return -1;

    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return -1;
}

void PosixProcessRunner::ShowReport(const std::string& path) {
    std::string text;
    if (!AtomicFile::Read(host::Cp1250ToUtf8(path), text)) {
        reportOut_ << "Nie można odczytać raportu: " << host::Cp1250ToUtf8(path) << '\n';
        return;
    }
    reportOut_ << text;
    if (!text.empty() && text.back() != '\n') reportOut_ << '\n';
    reportOut_.flush();
}

}  // namespace orvane::platform
