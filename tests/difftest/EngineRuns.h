// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <map>
#include <string>
#include <vector>

namespace orvane::test {

// What one engine made of a script.
struct EngineOutcome {
    bool ended = false;               // the run ended / the program returned to the firmware
    std::vector<std::string> boxes;   // every box, "caption | text" in UTF-8
    std::map<std::string, std::string> words;  // each variable as a 16-bit word, or why not
    std::string detail;               // what went wrong, when something did

    // Both engines ended quietly with the same words.
    bool SameAs(const EngineOutcome& other) const {
        return ended && other.ended && boxes.empty() && other.boxes.empty() && words == other.words;
    }
};

// The interpreter, tick by tick on a fake clock, against a scripted controller in commands mode.
// Its values are reduced to 16-bit words as the compiled program holds them.
EngineOutcome RunInterpreted(const std::string& script, const std::vector<std::string>& variables,
                             int maxStatements = 2000000);

// The compile (the script in UTF-8, as the interpreter's) with the shipped commands, avra, and
// the program run on the simulated chip; its variables read back from the SRAM.
EngineOutcome RunCompiled(const std::string& script, const std::vector<std::string>& variables);

// An outcome for a failure message.
std::string Describe(const std::string& engine, const EngineOutcome& outcome);

}  // namespace orvane::test
