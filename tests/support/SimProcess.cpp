// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/SimProcess.h"

#include "tests/support/ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/prctl.h>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <unistd.h>

namespace orvane::test {

namespace {

constexpr int kStartTimeoutMs = 5000;
constexpr int kStopTimeoutMs = 5000;

}  // namespace

SimProcess::SimProcess(const std::string& binary, std::vector<std::string> args) {
    char folderTemplate[] = "/tmp/orvane-sim-XXXXXX";
    if (!::mkdtemp(folderTemplate)) throw std::runtime_error("SimProcess: no temporary folder");
    folder_ = folderTemplate;
    logPath_ = folder_ + "/traffic.log";
    errPath_ = folder_ + "/stderr.txt";
    args.insert(args.begin(), binary);
    args.push_back("--log");
    args.push_back(logPath_);

    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    const std::string outPath = folder_ + "/stdout.txt";
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("SimProcess: fork failed");
    if (pid == 0) {
        // Only async-signal-safe calls between fork and exec. The simulator dies with the test
        // (a crashed or killed test leaves none behind) and holds none of the test's files open,
        // such as a lock the test runner was started under.
        if (::prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || ::getppid() != parent) ::_exit(125);
        ::close_range(3, ~0U, 0);
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(errPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || err < 0) ::_exit(126);
        ::dup2(out, STDOUT_FILENO);
        ::dup2(err, STDERR_FILENO);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    pid_ = pid;
    // The first line on standard output names the device; none when it ended or took too long.
    for (const std::int64_t deadline = NowMs() + kStartTimeoutMs; NowMs() < deadline && !WaitExit(5);) {
        const std::string out = ReadWhole(outPath);
        if (out.find('\n') != std::string::npos) {
            slavePath_ = out.substr(0, out.find('\n'));
            break;
        }
    }
    if (slavePath_.empty()) {
        Stop();
        const std::string errors = ReadWhole(errPath_);
        std::filesystem::remove_all(folder_);
        throw std::runtime_error("SimProcess: " + binary + " named no device: " + errors);
    }
}

SimProcess::~SimProcess() {
    Stop();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

void SimProcess::Reap(int status) {
    pid_ = -1;
    exitCode_ = ExitCodeOf(status);
}

bool SimProcess::WaitExit(int timeoutMs) {
    if (pid_ <= 0) return true;
    int status = 0;
    if (!WaitChild(pid_, timeoutMs, status)) return false;
    if (status == -1) pid_ = -1;
    else Reap(status);
    return true;
}

void SimProcess::Stop() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    if (WaitExit(kStopTimeoutMs)) return;
    ::kill(pid_, SIGKILL);
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    Reap(status);
}

std::size_t SimProcess::WaitHeard(std::size_t count, int timeoutMs) const {
    std::size_t heard = 0;
    for (const std::int64_t deadline = NowMs() + timeoutMs; heard < count && NowMs() < deadline;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        heard = 0;
        for (const auto& [direction, byte] : Traffic()) heard += direction == 'R' ? 1 : 0;
    }
    return heard;
}

std::string SimProcess::Log() const { return ReadWhole(logPath_); }

test::Traffic SimProcess::Traffic() const { return ParseTraffic(Log()); }

test::Traffic SimProcess::ParseTraffic(const std::string& log) {
    test::Traffic traffic;
    std::istringstream lines(log);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string stamp, direction, hex, mark;
        if (!(fields >> stamp >> direction >> hex)) continue;
        if ((direction != "RX" && direction != "TX") || hex.size() != 2) continue;
        if (fields >> mark && (mark == "ignored" || mark == "dropped")) continue;
        const auto value = static_cast<std::uint8_t>(std::strtoul(hex.c_str(), nullptr, 16));
        traffic.emplace_back(direction[0], value);
    }
    return traffic;
}

}  // namespace orvane::test
