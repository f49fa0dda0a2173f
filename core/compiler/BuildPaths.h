// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>

namespace orvane::compiler {

// The names of the files one compile writes, all derived from the script document's path.
// Paths are CP1250 text like everything in the core.
class BuildPaths {
public:
    struct Outputs {
        std::string hex;
        std::string object;
        std::string eeprom;
        std::string map;
    };

    // The folder with its trailing "/"; empty when the path has none.
    static std::string FolderOf(std::string_view path);
    // The file name without its folder and without its last extension. A name without an
    // extension is kept whole, so that "prog" gives prog.asm, not a hidden ".asm".
    static std::string BaseOf(std::string_view path);
    static std::string WithoutTrailingSlash(std::string_view folder);

    // The assembler's outputs beside the build script, with the script's extension replaced.
    // The four names always differ from each other and from the script, whatever it is called:
    // an extension of the outputs' own kind (x.hex) is kept and the suffix appended to it.
    static Outputs OutputsOf(std::string_view scriptPath);

    // Two names of the same file (relative parts, "..", symbolic links resolved where they
    // exist).
    static bool SameFile(const std::string& a, const std::string& b);
};

}  // namespace orvane::compiler
