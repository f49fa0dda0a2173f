// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/compiler/AsmSourceMap.h"

namespace orvane::compiler {

void AsmSourceMap::Reset(std::string asmPath, int frameLines, Lines programLines) {
    asmPath_ = std::move(asmPath);
    frameLines_ = frameLines;
    programLines_ = std::move(programLines);
}

std::optional<script::StatementSpan> AsmSourceMap::StatementOfLine(int line) const {
    const long index = static_cast<long>(line) - frameLines_ - 1;
    if (index < 0 || index >= static_cast<long>(programLines_.size())) return std::nullopt;
    return programLines_[static_cast<std::size_t>(index)];
}

}  // namespace orvane::compiler
