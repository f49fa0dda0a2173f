// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "core/script/Statement.h"

namespace orvane::compiler {

// Which statement of the script each line of the generated assembler file came from, so that a
// complaint of the assembler can lead back to the script. The file itself carries no trace of
// it; lines of the fixed frame belong to no statement.
class AsmSourceMap {
public:
    using Lines = std::vector<std::optional<script::StatementSpan>>;

    // `asmPath` (CP1250) holds `frameLines` lines of the frame, then the translated program,
    // whose lines came from `programLines`.
    void Reset(std::string asmPath, int frameLines, Lines programLines);

    const std::string& AsmPath() const { return asmPath_; }
    // The statement of line `line` (from 1) of the assembler file.
    std::optional<script::StatementSpan> StatementOfLine(int line) const;

private:
    std::string asmPath_;
    int frameLines_ = 0;
    Lines programLines_;
};

}  // namespace orvane::compiler
