// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "core/host/EditorAccess.h"
#include "core/script/StatementReader.h"

namespace orvane::compiler {

// The names a variable may not take in a compiled program: a variable becomes a label of the
// memory file, so one named like the generated program's own labels, the firmware's entry
// points or anything the include files define stops the assembler ("Can't redefine
// label") or, worse, gives a register's name (.DEF tmp1) a second meaning the assembler accepts
// silently. The assembler ignores case, so
// does the comparison. (A run on the PC has no such names and accepts them.)
class ReservedNames {
public:
    struct Clash {
        std::int32_t line = 0;  // from 1
        script::StatementSpan span;
        std::string statement;  // as the reader gives it
        std::string name;
    };

    ReservedNames();
    // Adds every name the assembler file `path` defines (.DEF, .EQU, .SET, labels), and those of
    // the files it includes, found beside it or in `includeFolder`. Paths as the system names
    // its files (UTF-8); a file that cannot be read adds nothing.
    void AddDefinitionsOf(const std::string& path, const std::string& includeFolder);

    bool Contains(std::string_view name) const;
    // The first variable declaration of the script that takes a reserved name.
    std::optional<Clash> FirstClash(script::StatementReader& reader, const host::EditorAccess& editor) const;

private:
    void AddFile(const std::string& path, const std::string& includeFolder, int depth);
    void AddLine(std::string_view line, const std::string& folder, const std::string& includeFolder, int depth);

    std::set<std::string> names_;  // case folded
    std::set<std::string> read_;   // files already read, so an include cycle ends
};

}  // namespace orvane::compiler
