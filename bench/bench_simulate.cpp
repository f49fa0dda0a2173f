// SPDX-License-Identifier: GPL-3.0-or-later
// A servo sweep of 5 000 firmware calls (2 500 servo moves, each followed by a 20 ms wait: 50 s
// of the board's time) through `orvane-cli simulate --ms`, compile included. Target: the
// "speedup" counter, simulated time over wall-clock time, at least 10.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr int kMoves = 2500;
constexpr int kWaitMs = 20;
constexpr int kSimulatedMs = kMoves * kWaitMs + 1000;  // the whole sweep, with room to end

std::string Sweep() {
    return "Var: n, p;\np = 1000;\nwhile (n < " + std::to_string(kMoves) +
           ") {\n  ServoSet(1, 5, 0, 0, p);\n  Wait(" + std::to_string(kWaitMs) +
           ");\n  n = n + 1;\n  p = p + 1;\n}\n";
}

void BM_SimulateSweep(benchmark::State& state) {
    const auto folder = std::filesystem::temp_directory_path() / ("orvane-bench-sim-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string script = (folder / "sweep.orv").string();
    std::ofstream(script) << Sweep();
    // The CLI keeps its settings under HOME: a private one leaves the user's alone.
    const std::string command = "HOME='" + folder.string() + "' '" ORVANE_CLI_BIN "' --commands '" ORVANE_DATA_DIR
                                "/Komendy.ini' simulate '" + script + "' --ms " + std::to_string(kSimulatedMs) +
                                " > '" + (folder / "out.txt").string() + "'";
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (std::system(command.c_str()) != 0) state.SkipWithError("simulate failed");
        const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(took);
        seconds += took;
    }
    std::ifstream out(folder / "out.txt");
    std::string first;
    std::getline(out, first);
    if (first != "p = " + std::to_string(1000 + kMoves) + ".00") state.SkipWithError(("the sweep left " + first).c_str());
    state.counters["calls"] = 2 * kMoves;
    state.counters["speedup"] = kSimulatedMs / 1000.0 * static_cast<double>(state.iterations()) / seconds;
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_SimulateSweep)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
