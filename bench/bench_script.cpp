// SPDX-License-Identifier: GPL-3.0-or-later
// Script engine timings: reading statements, evaluating an assignment, and one device command
// against the virtual controller compared with the time its bytes need on the wire.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <exception>
#include <cstdint>
#include <memory>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "core/commands/CommandFile.h"
#include "core/device/ComPortMap.h"
#include "core/device/SerialCtrl.h"
#include "core/device/SerialStack.h"
#include "core/host/EditorText.h"
#include "core/host/MemorySettings.h"
#include "core/platform/SteadyClock.h"
#include "core/platform/TimerQueue.h"
#include "core/script/ScriptContext.h"
#include "core/script/ScriptEngine.h"
#include "core/script/StatementPieces.h"

extern char** environ;

namespace {

using namespace orvane;

// Counts boxes instead of showing them; a box in a benchmark run means something broke.
class CountingPrompts : public host::Prompts {
public:
    host::Answer Ask(const std::string&, const std::string&, host::Buttons buttons,
                     host::Icon) override {
        ++boxes;
        return buttons == host::Buttons::YesNo ? host::Answer::Yes : host::Answer::Ok;
    }
    int boxes = 0;
};

// The objects a run owns, on the port of COM1 (mapped to `devicePath` when given).
struct Engine {
    explicit Engine(std::string script = {}, const std::string& devicePath = {})
        : text(std::move(script)) {
        if (!devicePath.empty()) settings.WriteString(device::ComPortMap::OverrideKey(1), devicePath);
    }
    host::MemorySettings settings;
    platform::SteadyClock clock;
    CountingPrompts prompts;
    platform::TimerQueue timers{[] { return std::int64_t{0}; }};
    device::SerialStack stack{settings, clock, prompts, timers};
    device::CSerialCtrl& serial = stack.Serial();
    host::TextBuffer text;
    script::StatementReader reader{text};
    script::VariableTable variables;
    commands::CommandTable commands;
    script::ScriptContext context{reader, variables, commands, serial, prompts, 0};
    script::ScriptEngine engine{context};
};

std::string ScriptOf(int statements) {
    static const char* const kLines[] = {
        "  x = a * 2 + (b - 3) / 4;   // scaled\n",
        "  if (a < 3) { a = a + 1; }\n",
        "  else b = 2;\n",
        "  /* the servo */ ServoSet(1, 0, 0, 0, 1500);\n",
        "Loop:\n",
        "  while (i < 3) { i = i + 1; Wait(10); }\n",
        "  Var: c, d;\n",
        "  GoTo(Loop);\n",
    };
    std::string text;
    for (int i = 0; i < statements; ++i) text += kLines[i % 8];
    return text;
}

void BM_ReadEveryStatement(benchmark::State& state) {
    const int statements = static_cast<int>(state.range(0));
    Engine e(ScriptOf(statements));
    std::int64_t read = 0;
    for (auto _ : state) {
        e.reader.StartAt(0);
        while (e.reader.Start() < e.reader.TextLength()) {
            benchmark::DoNotOptimize(e.reader.ReadStatement(-1));
            e.reader.Next();
            ++read;
        }
    }
    state.SetItemsProcessed(read);
    state.SetBytesProcessed(state.iterations() * e.reader.TextLength());
}
BENCHMARK(BM_ReadEveryStatement)->Arg(20'000)->Unit(benchmark::kMillisecond);

// The assignment as the run loop carries it out: the variable, then the text after "=".
void BM_EvaluateAssignment(benchmark::State& state) {
    Engine e;
    e.variables.DeclareStatement("Var:a,b,x;");
    e.variables.Find("a")->value = 5;
    e.variables.Find("b")->value = 7;
    const std::string statement = "x=a*2+(b-3)/4;";
    for (auto _ : state) {
        const std::string name = *script::StatementPieces::AssignedVariable(statement, e.variables);
        const double value =
            e.engine.Evaluator().EvaluateExpression(std::string_view(statement).substr(name.size() + 1));
        e.variables.Find(name)->value = value;
        benchmark::DoNotOptimize(value);
    }
    if (e.variables.Find("x")->value != 11 || e.prompts.boxes != 0) state.SkipWithError("wrong value");
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EvaluateAssignment);

// orvane-sim on a pseudo-terminal for the length of one benchmark.
class Simulator {
public:
    Simulator() {
        int out[2];
        if (::pipe(out) != 0) throw std::runtime_error("pipe");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        std::string binary = ORVANE_SIM_BIN;
        std::string option = "--commands";
        std::string commands = std::string(ORVANE_DATA_DIR) + "/Komendy.ini";
        char* argv[] = {binary.data(), option.data(), commands.data(), nullptr};
        const int error = posix_spawn(&pid_, binary.c_str(), &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        if (error != 0) {
            ::close(out[0]);
            throw std::runtime_error("cannot start " + binary);
        }
        pollfd pfd{out[0], POLLIN, 0};
        char c = 0;
        while (::poll(&pfd, 1, 5000) > 0 && ::read(out[0], &c, 1) == 1 && c != '\n') slave_ += c;
        ::close(out[0]);
        if (slave_.empty()) throw std::runtime_error("orvane-sim named no device");
    }
    ~Simulator() {
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
    const std::string& SlavePath() const { return slave_; }

private:
    pid_t pid_ = -1;
    std::string slave_;
};

void BM_ServoSetRoundTrip(benchmark::State& state) {
    constexpr int kBaud = 115200;
    // Frame of 7 bytes, echo, confirmation, acknowledgement; 10 bit times per byte.
    constexpr double kWireMicros = 10.0 * 10 * 1e6 / kBaud;

    std::unique_ptr<Simulator> sim;
    try {
        sim = std::make_unique<Simulator>();
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
        return;
    }
    Engine e({}, sim->SlavePath());
    std::vector<std::string> warnings;
    commands::CommandFile::ReadFile(std::string(ORVANE_DATA_DIR) + "/Komendy.ini", e.commands, &warnings);
    const std::uint8_t toKomendy = 0xFE;
    if (!e.serial.OpenPort(0) || !e.serial.SetBaud(kBaud, 0) || !e.serial.WriteBytes(&toKomendy, 1, 0) ||
        e.serial.ReadByteTimeout(0, 2) != 0xFE) {
        state.SkipWithError("the virtual controller did not enter commands mode");
        return;
    }
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        if (e.engine.Executor().ExecuteCommand("ServoSet(1,0,0,0,1500);") != 0 || e.prompts.boxes) {
            state.SkipWithError("command failed");
            break;
        }
    }
    const double roundTrip =
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count() /
        static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
    state.counters["wire_us"] = kWireMicros;
    state.counters["roundtrip_us"] = roundTrip;
    state.counters["per_wire"] = roundTrip / kWireMicros;
    e.serial.ClosePort(0);
}
BENCHMARK(BM_ServoSetRoundTrip)->UseRealTime()->Unit(benchmark::kMicrosecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
