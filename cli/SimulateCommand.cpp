// SPDX-License-Identifier: GPL-3.0-or-later
// simulate: a script compiled and run on the simulated controller chip, without a board.
#include <chrono>
#include <csignal>
#include <thread>

#include "cli/CliCommand.h"
#include "cli/CliSession.h"
#include "cli/ScriptCompile.h"
#include "core/host/Cp1250.h"
#include "simchip/SimulatedChip.h"

namespace orvane::cli {

namespace {

constexpr std::int64_t kSliceUs = 10000;

volatile std::sig_atomic_t gSimulationInterrupted = 0;

void OnSimulationInterrupt(int) { gSimulationInterrupted = 1; }

struct SimulateOptions {
    std::string script;
    std::int64_t limitMs = -1;  // none: in real time until the program ends
    bool trace = false;
};

class TracePrinter : public simchip::ChipObserver {
public:
    explicit TracePrinter(std::FILE* out) : out_(out) {}
    void FirmwareCalled(const simchip::FirmwareCall& call) override {
        std::fprintf(out_, "%s\n", call.Text().c_str());
    }
    void ServoMoved(const simchip::ServoMove&) override {}

private:
    std::FILE* out_;
};

bool ParseLimit(const std::string& text, std::int64_t& ms) {
    if (text.empty() || text.size() > 12 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    ms = std::stoll(text);
    return true;
}

int Parse(CliSession& session, const std::vector<std::string>& arguments, SimulateOptions& options) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--trace") options.trace = true;
        else if (a == "--ms") {
            if (i + 1 == arguments.size() || !ParseLimit(arguments[i + 1], options.limitMs))
                return session.Error("--ms wymaga liczby milisekund"), CliCommand::kUsage;
            ++i;
        } else if (options.script.empty()) options.script = a;
        else return session.Error("nadmiarowy argument " + a), CliCommand::kUsage;
    }
    if (options.script.empty()) return session.Error("brak pliku skryptu"), CliCommand::kUsage;
    return CliCommand::kOk;
}

// With a limit, as fast as the machine goes; without one, paced to the board's own time.
simchip::ChipState Drive(simchip::SimulatedChip& chip, std::int64_t limitMs) {
    const auto start = std::chrono::steady_clock::now();
    simchip::ChipState state = chip.State();
    while (state == simchip::ChipState::Running && !gSimulationInterrupted) {
        std::int64_t slice = kSliceUs;
        if (limitMs >= 0) {
            slice = std::min(slice, limitMs * 1000 - chip.NowUs());
            if (slice <= 0) break;
        }
        state = chip.Run(slice);
        if (limitMs < 0) std::this_thread::sleep_until(start + std::chrono::microseconds(chip.NowUs()));
    }
    return state;
}

int RunSimulate(CliSession& session, const std::vector<std::string>& arguments) {
    SimulateOptions options;
    if (const int code = Parse(session, arguments, options); code != CliCommand::kOk) return code;

    compiler::CompileResult result;
    std::string report;
    if (!ScriptCompile::Run(session, options.script, nullptr, result, report)) return CliCommand::kFailed;
    if (result.outcome != compiler::CompileOutcome::Compiled) {
        std::fputs(report.c_str(), stderr);
        if (result.outcome == compiler::CompileOutcome::NotStarted) session.Error("skrypt jest pusty");
        return CliCommand::kFailed;
    }

    simchip::BoardState board;
    TracePrinter trace(session.Out());
    simchip::SimulatedChip chip(board, options.trace ? &trace : nullptr);
    const std::string hex = host::Cp1250ToUtf8(result.hexPath);
    std::string error;
    if (!chip.Load(hex, simchip::SimulatedChip::MapPathOf(hex), error)) return session.Error(error), CliCommand::kFailed;

    gSimulationInterrupted = 0;
    struct sigaction action {}, old {};
    action.sa_handler = OnSimulationInterrupt;
    ::sigaction(SIGINT, &action, &old);
    const simchip::ChipState state = Drive(chip, options.limitMs);
    ::sigaction(SIGINT, &old, nullptr);

    for (const std::string& line : simchip::SimulatedChip::VariableLines(chip.Variables()))
        std::fprintf(session.Out(), "%s\n", host::Cp1250ToUtf8(line).c_str());
    if (state == simchip::ChipState::Faulted) return session.Error(chip.Fault()->message), CliCommand::kFailed;
    if (gSimulationInterrupted) return session.Error("symulacja przerwana"), CliCommand::kFailed;
    return CliCommand::kOk;
}

const CliCommand::Registrar kSimulate{{"simulate", "simulate SKRYPT.orv [--ms N] [--trace]",
                                       "kompiluje skrypt i wykonuje program na symulowanym sterowniku, bez "
                                       "płytki: do końca programu (w czasie rzeczywistym) albo przez N ms czasu "
                                       "symulacji (najszybciej jak się da); --trace: wypisuje wywołania "
                                       "oprogramowania sterownika z czasem w ms; na końcu wypisuje zmienne",
                                       1, 4, &RunSimulate}};

}  // namespace

}  // namespace orvane::cli
