// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>

#include "core/compiler/BuildPaths.h"

namespace orvane::compiler {

// The generated POSIX shell script that runs the assembler in the script's folder and collects
// everything it prints, standard error included (avra writes its errors there), in Wynik.txt.
// Every path is single-quoted, so no file name can run a command of its own.
class BuildScript {
public:
    struct Inputs {
        std::string folder;     // the script document's folder, with its trailing "/"
        std::string assembler;  // program to run
        std::string appnotes;   // the assembler's include folder
        std::string assemblerFile;
        BuildPaths::Outputs outputs;
    };

    static constexpr const char* kReportName = "Wynik.txt";

    // All paths as the system names its files (UTF-8).
    static std::string Text(const Inputs& in);

    // 'text' with every ' written as '\'' : the shell takes it as one word, unchanged.
    static std::string Quote(std::string_view text);

private:
    // The line that removes this program's own map and listing (the assembler file's name with
    // ".lst") before the assembler writes them again.
    static std::string RemoveOwnOutputs(const Inputs& in);
};

}  // namespace orvane::compiler
