// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/difftest/EngineRuns.h"

#include <cmath>
#include <sstream>

#include "core/host/Cp1250.h"
#include "tests/simchip/ChipRun.h"
#include "tests/support/RunRig.h"

namespace orvane::test {

namespace {

// The interpreter's value as the 16-bit word the compiled program would hold: whole numbers
// modulo 65536; anything else has no word and says so.
std::string Word(double value) {
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 9007199254740992.0) {
        const auto whole = static_cast<long long>(value);
        return std::to_string(((whole % 65536) + 65536) % 65536);
    }
    std::ostringstream text;
    text << "no word: " << value;
    return text.str();
}

}  // namespace

EngineOutcome RunInterpreted(const std::string& script, const std::vector<std::string>& variables,
                             int maxStatements) {
    RunRig rig(script);
    rig.controller.mode = 0xFE;  // commands mode: the run starts without a switch
    EngineOutcome outcome;
    const int ticks = rig.RunToEnd(maxStatements);
    outcome.ended = ticks < maxStatements && !rig.interpreter.RunExists();
    if (!outcome.ended) outcome.detail = "the run did not end within " + std::to_string(maxStatements) + " ticks";
    outcome.boxes = rig.prompts.Shown();
    for (const auto& name : variables)
        outcome.words[name] = rig.Has(name) ? Word(rig.Value(name)) : "missing";
    return outcome;
}

EngineOutcome RunCompiled(const std::string& script, const std::vector<std::string>& variables) {
    const RealCompile compile(host::Utf8ToCp1250(script));
    EngineOutcome outcome;
    outcome.boxes = compile.prompts.Shown();
    if (compile.result.outcome != compiler::CompileOutcome::Compiled) {
        outcome.detail = "not compiled:\n";
        std::istringstream report(compile.Report());
        for (std::string line; std::getline(report, line);)
            if (line.find("PRAGMA") == std::string::npos) outcome.detail += line + "\n";
        return outcome;
    }
    const ChipRun run(compile);
    outcome.ended = run.state == simchip::ChipState::Ended;
    if (!outcome.ended)
        outcome.detail = "the program did not end: " + (run.fault ? run.fault->message : run.error.empty() ? "still running" : run.error);
    for (const auto& name : variables)
        outcome.words[name] = outcome.ended && run.Has(name) ? std::to_string(run.Variable(name)) : "missing";
    return outcome;
}

std::string Describe(const std::string& engine, const EngineOutcome& outcome) {
    std::ostringstream text;
    text << engine << (outcome.ended ? ": ended" : ": did not end") << "\n";
    // A run that never ends may repeat one box without end.
    for (std::size_t i = 0; i < outcome.boxes.size() && i < 5; ++i) text << "  box: " << outcome.boxes[i] << "\n";
    if (outcome.boxes.size() > 5) text << "  ... " << outcome.boxes.size() << " boxes in all\n";
    for (const auto& [name, word] : outcome.words) text << "  " << name << " = " << word << "\n";
    if (!outcome.detail.empty()) text << "  " << outcome.detail.substr(0, 2000) << "\n";
    return text.str();
}

}  // namespace orvane::test
