// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "core/commands/CommandDef.h"
#include "core/compiler/TranslationContext.h"

namespace orvane::compiler {

class ExpressionTranslator;

// A defined command becomes a call of its firmware routine: each argument is loaded (a literal
// scaled here, an expression scaled by generated code), its bytes go to the next parameter
// registers p1, p2, ..., then "rcall" and the scaling of the result left in tmp1:tmp2.
class CommandCallTranslator {
public:
    CommandCallTranslator(TranslationContext& context, ExpressionTranslator& expressions);

    // The command's result size in bytes, or -1 (after the WPASM1 box, nothing written) when
    // no command of that name is defined.
    std::int32_t TranslateCommandCall(std::string_view statement);

    // tmp1:tmp2 multiplied or divided by `factor` (> 1): one `shift` line per factor of two,
    // then the routine with what is left.
    static std::string FactorCode(std::int32_t factor, std::string_view shift,
                                  std::string_view routine);

private:
    // Each returns the next free parameter register.
    int LiteralArgument(std::int32_t literal, const commands::CommandArg& arg, int reg);
    int ZeroArgument(const commands::CommandArg& arg, int reg);
    int ExpressionArgument(const commands::CommandArg& arg, int reg);
    void MoveAccumulator(std::int32_t size, int reg);

    TranslationContext& ctx_;
    ExpressionTranslator& expressions_;
};

}  // namespace orvane::compiler
