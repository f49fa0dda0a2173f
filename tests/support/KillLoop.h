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
// Header-only and free of any test framework, so the window's tests can drive their own save
// (QSaveFile) through it as the core's tests drive theirs.
class KillLoop {
public:
    // Writes version 0 or 1 of the file completely, as the program does.
    using Writer = std::function<void(int version)>;

    struct Outcome {
        int rounds = 0;
        int killedInWrite = 0;             // kills that landed inside a writer call
        int litter = 0;                    // other files left in the folder (then removed)
        std::vector<std::string> damaged;  // what the file was after a kill, when no version
    };

    // `path` is the file `write` writes; its folder holds nothing else.
    static Outcome Run(const std::string& path, const Writer& write, int rounds, unsigned seed) {
        std::string versions[2];
        versions[1] = Version(path, write, 1);
        versions[0] = Version(path, write, 0);  // the old file stands when the first kill comes
        const auto once = TimeOneWrite(write);
        Shared* shared = NewShared();
        std::mt19937 random(seed);
        std::uniform_int_distribution<std::int64_t> delay(0, 3 * once.count());
        Outcome outcome;
        for (int r = 0; r < rounds; ++r) {
            shared->started = 0;
            const pid_t pid = ::fork();
            if (pid < 0) break;
            if (pid == 0) WriteForEver(*shared, write);
            while (shared->started == 0) std::this_thread::yield();
            std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
            ::kill(pid, SIGKILL);
            int status = 0;
            ::waitpid(pid, &status, 0);
            ++outcome.rounds;
            if (shared->inWrite != 0) ++outcome.killedInWrite;
            const std::string now = ReadAll(path);
            if (now != versions[0] && now != versions[1]) outcome.damaged.push_back(Describe(now, versions));
            outcome.litter += RemoveOthers(path);
        }
        ::munmap(shared, sizeof(Shared));
        return outcome;
    }

private:
    struct Shared {
        std::atomic<int> started;
        std::atomic<int> inWrite;
    };

    static Shared* NewShared() {
        void* p = ::mmap(nullptr, sizeof(Shared), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
        return new (p) Shared{};
    }

    [[noreturn]] static void WriteForEver(Shared& shared, const Writer& write) {
        for (int v = 1;; v ^= 1) {
            shared.inWrite = 1;
            shared.started = 1;
            write(v);
            shared.inWrite = 0;
        }
    }

    static std::string Version(const std::string& path, const Writer& write, int v) {
        write(v);
        return ReadAll(path);
    }

    static std::chrono::microseconds TimeOneWrite(const Writer& write) {
        const auto start = std::chrono::steady_clock::now();
        write(1);
        write(0);
        const auto spent = std::chrono::steady_clock::now() - start;
        return std::max(std::chrono::duration_cast<std::chrono::microseconds>(spent / 2),
                        std::chrono::microseconds(100));
    }

    static std::string ReadAll(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        if (!in.is_open()) return "<missing>";
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

    static std::string Describe(const std::string& now, const std::string (&versions)[2]) {
        if (now == "<missing>") return "no file";
        return std::to_string(now.size()) + " bytes instead of " + std::to_string(versions[0].size()) +
               " or " + std::to_string(versions[1].size());
    }

    static int RemoveOthers(const std::string& path) {
        namespace fs = std::filesystem;
        int removed = 0;
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(fs::path(path).parent_path(), ec)) {
            if (e.path() != fs::path(path)) removed += fs::remove(e.path(), ec) ? 1 : 0;
        }
        return removed;
    }
};

}  // namespace orvane::test
