// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/compiler/BuildScript.h"

namespace orvane::compiler {

std::string BuildScript::Quote(std::string_view text) {
    std::string quoted = "'";
    for (const char c : text) {
        if (c == '\'') quoted += "'\\''";
        else quoted.push_back(c);
    }
    quoted += "'";
    return quoted;
}

// A failed run must not leave an older map or listing of this program looking current; other
// maps and listings in the folder are the user's own and stay. A name the assembler file itself
// has (picked by hand) is never removed.
std::string BuildScript::RemoveOwnOutputs(const Inputs& in) {
    const std::string listing = BuildPaths::FolderOf(in.assemblerFile) + BuildPaths::BaseOf(in.assemblerFile) + ".lst";
    std::string line = "rm -f";
    for (const std::string* own : {&in.outputs.map, &listing})
        if (*own != in.assemblerFile) line += " " + Quote(*own);
    return line + "\n";
}

// A folder path names the drive on this platform, so the old drive-change line has no
// counterpart. When the folder is gone nothing runs and no report appears.
std::string BuildScript::Text(const Inputs& in) {
    std::string text = "#!/bin/sh\n";
    text += "cd " + Quote(in.folder) + " || exit 1\n";
    text += RemoveOwnOutputs(in);
    text += Quote(in.assembler) + " -fI ";
    text += "-o " + Quote(in.outputs.hex) + " ";
    text += "-d " + Quote(in.outputs.object) + " ";
    text += "-e " + Quote(in.outputs.eeprom) + " ";
    text += "-I " + Quote(BuildPaths::WithoutTrailingSlash(in.folder)) + " ";
    text += "-I " + Quote(in.appnotes) + " ";
    text += "-w -m " + Quote(in.outputs.map) + " ";
    text += Quote(in.assemblerFile) + " > " + kReportName + " 2>&1\n";
    return text;
}

}  // namespace orvane::compiler
