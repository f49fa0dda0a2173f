// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <csignal>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

// orvane-sim as a child process for the benchmarks, with the shipped command definitions; its
// first output line names the line.
class BenchSimulator {
public:
    BenchSimulator() {
        int out[2];
        if (::pipe(out) != 0) throw std::runtime_error("pipe");
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(out[1], STDOUT_FILENO);
            ::close(out[0]);
            const std::string commands = std::string(ORVANE_DATA_DIR) + "/Komendy.ini";
            ::execl(ORVANE_SIM_BIN, ORVANE_SIM_BIN, "--commands", commands.c_str(),
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(out[1]);
        char c = 0;
        while (::read(out[0], &c, 1) == 1 && c != '\n') path_ += c;
        ::close(out[0]);
        if (path_.empty()) throw std::runtime_error("orvane-sim named no line");
    }
    ~BenchSimulator() {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
    BenchSimulator(const BenchSimulator&) = delete;
    BenchSimulator& operator=(const BenchSimulator&) = delete;
    const std::string& Path() const { return path_; }

private:
    pid_t pid_ = -1;
    std::string path_;
};
