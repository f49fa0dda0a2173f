// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "core/compiler/CompileDriver.h"
#include "tests/compiler/CompileFakes.h"
#include "tests/support/ScriptedPrompts.h"

namespace orvane::test {

// A script compiled by the real compile with the shipped commands: CompileDriver, the generated
// shell script, avra. The document lies in a private folder; its name (CP1250) may hold a subfolder.
struct RealCompile {
    explicit RealCompile(const std::string& script, const std::string& documentName = "prog.orv");
    std::string Report() const;  // Wynik.txt

    TempDir folder;
    ScriptedPrompts prompts;
    compiler::CompileResult result;
    std::string shown;  // what the report window would have shown (empty after a success)
    std::string document;  // CP1250
};

}  // namespace orvane::test
