// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/compiler/TranslationContext.h"

namespace orvane::compiler {

// An "asm:" label copies assembler lines from the editor as the user wrote them (the statement
// reader drops blanks, which assembler needs): either the one line after the label, or the
// lines of a "{ ... }" block that starts on the label's line or the next one.
class InlineAssembler {
public:
    explicit InlineAssembler(TranslationContext& context);

    // Copies the lines after the "asm:" label at the current statement and moves the statement
    // position to the line after them.
    void Copy();

private:
    std::string Line(std::int32_t line) const;
    void WriteLine(std::int32_t line, const std::string& text);

    TranslationContext& ctx_;
};

}  // namespace orvane::compiler
