// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/CliProcess.h"

#include "tests/support/ChildProcess.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>
#include <unistd.h>

namespace orvane::test {

CliProcess::CliProcess(std::string binary) : binary_(std::move(binary)) {
    char folderTemplate[] = "/tmp/orvane-cli-XXXXXX";
    if (!::mkdtemp(folderTemplate)) throw std::runtime_error("CliProcess: no temporary folder");
    home_ = folderTemplate;
}

CliProcess::~CliProcess() {
    std::error_code ignored;
    std::filesystem::remove_all(home_, ignored);
}

CliProcess::Result CliProcess::Run(const std::vector<std::string>& args,
                                   const Interaction& interaction, int timeoutMs) const {
    const std::string outPath = home_ + "/stdout.txt";
    const std::string errPath = home_ + "/stderr.txt";
    const std::string inPath = home_ + "/stdin.txt";
    std::ofstream(inPath, std::ios::binary | std::ios::trunc) << interaction.input;
    bool interrupted = interaction.interruptOn.empty();
    std::vector<std::string> argStore{binary_};
    argStore.insert(argStore.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : argStore) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> envStore{"HOME=" + home_, "XDG_CONFIG_HOME=" + home_ + "/config",
                                      "XDG_DATA_HOME=" + home_ + "/data", "LANG=C.UTF-8"};
    std::vector<char*> envp;
    for (auto& e : envStore) envp.push_back(e.data());
    envp.push_back(nullptr);

    Result result;
    const std::int64_t start = NowMs();
    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("CliProcess: fork failed");
    if (pid == 0) {
        const int in = ::open(inPath.c_str(), O_RDONLY);
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (in < 0 || out < 0 || err < 0) ::_exit(126);
        ::dup2(in, STDIN_FILENO);
        ::dup2(out, STDOUT_FILENO);
        ::dup2(err, STDERR_FILENO);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    int status = 0;
    for (;;) {
        const pid_t r = ::waitpid(pid, &status, WNOHANG);
        if (r == pid) break;
        if (r < 0 && errno != EINTR) break;
        if (!interrupted && ReadWhole(outPath).find(interaction.interruptOn) != std::string::npos) {
            interrupted = true;
            ::kill(pid, SIGINT);
        }
        if (NowMs() - start > timeoutMs) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    result.elapsedMs = NowMs() - start;
    result.exitCode = ExitCodeOf(status);
    result.out = ReadWhole(outPath);
    result.err = ReadWhole(errPath);
    return result;
}

}  // namespace orvane::test
