// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "core/compiler/CompileDriver.h"

namespace orvane::cli {

class CliSession;

// The Kompiluj command over a script file named on the command line, shared by compile and
// simulate: the script read, the shipped commands loaded, the compile run beside the script.
class ScriptCompile {
public:
    // False when the script or the commands could not be read (the reason printed). Otherwise
    // true, with the compile's result and the assembler's output in `report`; `writer` (may be
    // null) writes the program into the controller after a successful assembly.
    static bool Run(CliSession& session, const std::string& scriptPath, compiler::ProgramWriter* writer,
                    compiler::CompileResult& result, std::string& report);
};

}  // namespace orvane::cli
