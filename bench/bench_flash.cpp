// SPDX-License-Identifier: GPL-3.0-or-later
// A Program write of a full 6 144-byte image to the virtual controller at 115200 baud, with and
// without the read-back check: wall time, CPU time, and where the time goes — the prescribed
// pause before entering the boot loader, waiting for replies, and the rest, set against the
// time the bytes would take on a real line (10 bits per byte). Last, what the read-back check
// adds beyond the prescribed pauses (the whole-second pause before the write varies by up to a
// second from run to run and is not the check's): its floor is the read-out's closing silence of just over one second plus the bytes of the
// check (two mode switches, the read request, the 6 144-byte stream and the way back), which a
// pseudo-terminal carries in next to no time; the target is 1.2 s.
//
//   bench_flash [RUNS]        (default 3 runs of each)
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "bench/BenchPrompts.h"
#include "bench/BenchSimulator.h"
#include "core/device/ComPortMap.h"
#include "core/device/DeviceLink.h"
#include "core/device/FlashOperations.h"
#include "core/device/ForwardingPort.h"
#include "core/device/HexFile.h"
#include "core/device/PosixPortOpener.h"
#include "core/device/SerialStack.h"
#include "core/host/Cp1250.h"
#include "core/host/MemorySettings.h"
#include "core/platform/AtomicFile.h"
#include "core/platform/SteadyClock.h"

namespace {

using namespace orvane;

constexpr int kBaud = 115200;
constexpr double kVerifyTargetS = 1.2;

std::int64_t NowUs() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::int64_t CpuUs() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto us = [](const timeval& t) { return t.tv_sec * 1'000'000LL + t.tv_usec; };
    return us(usage.ru_utime) + us(usage.ru_stime);
}

// The real clock, noting how long the operation slept in its prescribed pauses.
class MeasuringClock : public platform::SteadyClock {
public:
    void SleepMs(std::int64_t ms) override {
        const std::int64_t start = NowUs();
        SteadyClock::SleepMs(ms);
        sleptUs += NowUs() - start;
    }
    std::int64_t sleptUs = 0;
};

struct LineCounts {
    std::int64_t bytesOut = 0;
    std::int64_t bytesIn = 0;
    std::int64_t replyWaitUs = 0;
};

// The real port, counting the bytes and the time spent waiting for replies.
class CountingPort : public device::ForwardingPort {
public:
    CountingPort(std::unique_ptr<device::PortBackend> port, LineCounts& counts)
        : ForwardingPort(std::move(port)), counts_(counts) {}
    int Read(std::uint8_t* buffer, int max) override {
        const int n = Wrapped().Read(buffer, max);
        if (n > 0) counts_.bytesIn += n;
        return n;
    }
    bool Write(const std::uint8_t* buffer, int count) override {
        counts_.bytesOut += count;
        return Wrapped().Write(buffer, count);
    }
    bool WaitReadable(std::int64_t timeoutMs) override {
        const std::int64_t start = NowUs();
        const bool ready = Wrapped().WaitReadable(timeoutMs);
        counts_.replyWaitUs += NowUs() - start;
        return ready;
    }

private:
    LineCounts& counts_;
};

class CountingOpener : public device::PortOpener {
public:
    CountingOpener(const host::SettingsStore& settings, LineCounts& counts) : real_(settings), counts_(counts) {}
    std::unique_ptr<device::PortBackend> Open(int portIndex, std::string& error) override {
        auto port = real_.Open(portIndex, error);
        if (!port) return nullptr;
        return std::make_unique<CountingPort>(std::move(port), counts_);
    }

private:
    device::PosixPortOpener real_;
    LineCounts& counts_;
};

class FixedFile : public host::FileChooser {
public:
    explicit FixedFile(std::string path) : path_(std::move(path)) {}
    std::optional<std::string> ChooseOpen(const host::FileRequest&) override { return path_; }
    std::optional<std::string> ChooseSave(const host::FileRequest&) override { return path_; }

private:
    std::string path_;
};

struct NoProgress : host::Progress {
    void Begin(int) override {}
    void SetPosition(int) override {}
    void End() override {}
};
struct NoTimers : host::Timers {
    void Start(int, int) override {}
    void Kill(int) override {}
};

struct Measurement {
    double wallS, cpuS, pauseS, replyWaitS, otherS, wireS;
    std::int64_t bytes;
    bool ok;
};

Measurement WriteOnce(const std::string& hexPath, bool verify) {
    BenchSimulator sim;
    host::MemorySettings settings;
    settings.WriteString(device::ComPortMap::OverrideKey(1), sim.Path());
    if (verify) settings.WriteString(device::FlashOperations::kVerifySetting, "1");
    LineCounts counts;
    MeasuringClock clock;
    CountingOpener opener(settings, counts);
    BenchPrompts prompts;
    NoTimers timers;
    NoProgress progress;
    FixedFile file(hexPath);
    device::SerialStack stack(opener, settings, clock, prompts, timers);
    device::DeviceLink& link = stack.Link();
    device::FlashOperations flash(link, file, progress, "/tmp/");
    link.OpenPortAtStartUp();
    link.QueryDeviceMode();
    counts = {};

    const std::int64_t wall0 = NowUs(), cpu0 = CpuUs();
    const auto result = flash.Write(device::FlashArea::Kind::Program);
    const std::int64_t wall = NowUs() - wall0, cpu = CpuUs() - cpu0;

    Measurement m{};
    m.wallS = wall / 1e6;
    m.cpuS = cpu / 1e6;
    m.pauseS = clock.sleptUs / 1e6;
    m.replyWaitS = counts.replyWaitUs / 1e6;
    m.otherS = m.wallS - m.pauseS - m.replyWaitS;
    m.bytes = counts.bytesOut + counts.bytesIn;
    m.wireS = m.bytes * 10.0 / kBaud;
    m.ok = result == device::FlashResult::Done && prompts.shown == 0;
    return m;
}

std::string FullProgramHex() {
    device::FlashImage image;
    std::mt19937 random(2024);
    for (int a = device::FlashImage::kProgramStart; a < device::FlashImage::kProgramEnd; ++a) {
        image[a] = static_cast<std::uint8_t>(random() % 255);
    }
    const std::string path = std::filesystem::temp_directory_path() / "orvane-bench-program.hex";
    if (!platform::AtomicFile::Write(path, device::HexFile::WriteProgramHex(image))) throw std::runtime_error(path);
    return path;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const std::string hex = FullProgramHex();
    bool allMet = true;
    double unpausedSum[2] = {0, 0};
    std::printf("Program write, 6144 bytes (96 pages), orvane-sim at %d baud\n", kBaud);
    std::printf("%-8s %3s %7s %7s %5s %7s %8s %7s %6s %7s  %s\n", "", "run", "wall s", "cpu s", "cpu%",
                "pause s", "replies s", "other s", "bytes", "wire s", "target");
    for (const bool verify : {false, true}) {
        for (int run = 1; run <= runs; ++run) {
            const Measurement m = WriteOnce(hex, verify);
            unpausedSum[verify] += m.wallS - m.pauseS;
            // Beyond the prescribed waits (the pause, the replies, the read-out's closing silence)
            // only the bytes themselves may take time: at most 1.2 times their time on the line.
            const bool timeMet = m.wallS <= m.pauseS + m.replyWaitS + 1.2 * m.wireS;
            const bool cpuMet = m.cpuS < 0.05 * m.wallS;
            allMet = allMet && m.ok && timeMet && cpuMet;
            std::printf("%-8s %3d %7.3f %7.3f %4.1f%% %7.3f %8.3f %7.3f %6lld %7.3f  %s%s%s\n",
                        verify ? "+verify" : "write", run, m.wallS, m.cpuS, 100.0 * m.cpuS / m.wallS, m.pauseS,
                        m.replyWaitS, m.otherS, static_cast<long long>(m.bytes), m.wireS,
                        timeMet ? "time ok" : "TIME MISSED", cpuMet ? ", cpu ok" : ", CPU MISSED",
                        m.ok ? "" : ", WRITE FAILED");
        }
    }
    const double addedS = (unpausedSum[1] - unpausedSum[0]) / runs;
    const bool verifyMet = addedS <= kVerifyTargetS;
    allMet = allMet && verifyMet;
    std::printf("verify adds %.3f s on average (floor: the 1 s closing silence and the check's bytes; target <= %.1f s)  %s\n",
                addedS, kVerifyTargetS, verifyMet ? "ok" : "MISSED");
    std::filesystem::remove(hex);
    return allMet ? 0 : 1;
}
