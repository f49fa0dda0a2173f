// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <new>
#include <random>
#include <sstream>
#include <string>
#include <sys/mman.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace orvane::test {

// Kills a process at random moments while it keeps rewriting one file through the program's
// own path for it; after every kill the file must be one of the versions written, whole.
// Free of any test framework, so any test binary can drive its own save through it.
class KillLoop {
public:
    // Writes version 0 or 1 of the file completely, as the program does.
    using Writer = std::function<void(int version)>;

    struct Outcome {
        int rounds = 0;
        int killedInWrite = 0;             // kills that landed inside a writer call
        int litter = 0;                    // other files left in the folder (then removed)
        std::vector<std::string> damaged;  // the size of the file after a kill, when no version
    };

    // `path` is the file `write` writes; its folder holds nothing else.
    static Outcome Run(const std::string& path, const Writer& write, int rounds, unsigned seed) {
        using namespace std::chrono;
        std::string versions[2];
        for (const int v : {1, 0}) write(v), versions[v] = ReadAll(path);  // the old file stands at the first kill
        const auto start = steady_clock::now();
        write(1), write(0);
        const auto once = std::max<std::int64_t>(duration_cast<microseconds>(steady_clock::now() - start).count() / 2, 100);
        void* memory = ::mmap(nullptr, sizeof(Shared), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
        Shared& shared = *new (memory) Shared{};
        std::mt19937 random(seed);
        std::uniform_int_distribution<std::int64_t> delay(0, 3 * once);
        Outcome outcome;
        for (; outcome.rounds < rounds; ++outcome.rounds) {
            shared.started = 0;
            const pid_t pid = ::fork();
            if (pid < 0) break;
            if (pid == 0) {
                for (int v = 1;; v ^= 1) shared.inWrite = 1, shared.started = 1, write(v), shared.inWrite = 0;
            }
            while (shared.started == 0) std::this_thread::yield();
            std::this_thread::sleep_for(microseconds(delay(random)));
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
            outcome.killedInWrite += shared.inWrite;
            const std::string now = ReadAll(path);
            if (now != versions[0] && now != versions[1]) outcome.damaged.push_back(std::to_string(now.size()) + " bytes");
            std::error_code ec;
            for (const auto& e : std::filesystem::directory_iterator(std::filesystem::path(path).parent_path(), ec))
                if (e.path() != path) outcome.litter += std::filesystem::remove(e.path(), ec) ? 1 : 0;
        }
        ::munmap(memory, sizeof(Shared));
        return outcome;
    }

private:
    struct Shared {
        std::atomic<int> started;
        std::atomic<int> inWrite;
    };

    static std::string ReadAll(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return in.is_open() ? s.str() : "<missing>";
    }
};

}  // namespace orvane::test
