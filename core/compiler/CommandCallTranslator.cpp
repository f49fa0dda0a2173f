// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/compiler/CommandCallTranslator.h"

#include <algorithm>

#include "core/compiler/AsmBytes.h"
#include "core/compiler/ExpressionTranslator.h"
#include "core/host/Cp1250.h"
#include "core/script/MessageQuote.h"
#include "core/script/StatementPieces.h"
#include "core/script/WireScaling.h"

namespace orvane::compiler {

namespace {

constexpr std::string_view kShiftLeft = "lsl tmp1\nrol tmp2\n";
constexpr std::string_view kShiftRight = "lsr tmp2\nror tmp1\n";
constexpr std::string_view kMultiply = "rcall Pomnoz\n";
constexpr std::string_view kDivide = "rcall Podziel\n";

// Appended rather than "p" + to_string(): GCC 12 at -O3 warns falsely about the latter.
std::string Param(int reg) {
    std::string name = "p";
    name += std::to_string(reg);
    return name;
}

}  // namespace

CommandCallTranslator::CommandCallTranslator(TranslationContext& context,
                                             ExpressionTranslator& expressions)
    : ctx_(context), expressions_(expressions) {}

std::int32_t CommandCallTranslator::TranslateCommandCall(std::string_view statement) {
    const commands::CommandDef* def = script::StatementPieces::CommandOf(statement, ctx_.Commands());
    if (def == nullptr) {
        ctx_.NoteFault();
        ctx_.Prompts().Tell(
            host::Pl("Komenda nie zdefiniowana! (WPASM1)"),
            host::Pl("Komenda niezdefiniowana:  \"") + script::MessageQuote::Of(statement) + "\"!",
            host::Icon::Error);
        return -1;
    }
    int reg = 1;
    const int count = std::clamp(def->argumentCount, 0, commands::CommandDef::kMaxArguments);
    for (int i = 1; i <= count; ++i) {
        const commands::CommandArg& arg = def->arguments[static_cast<std::size_t>(i - 1)];
        const std::int32_t v = expressions_.TranslateArgument(statement, i);
        if (v < 0) reg = LiteralArgument(-v, arg, reg);
        else if (v == 0) reg = ZeroArgument(arg, reg);
        else reg = ExpressionArgument(arg, reg);
    }
    ctx_.Write("rcall " + def->asmName + "\n");
    if (def->resultMultiplier > 1) ctx_.Write(FactorCode(def->resultMultiplier, kShiftLeft, kMultiply));
    if (def->resultDivisor > 1) ctx_.Write(FactorCode(def->resultDivisor, kShiftRight, kDivide));
    return def->resultSize;
}

// A missing argument arrives as the literal 1 and is scaled like any other.
int CommandCallTranslator::LiteralArgument(std::int32_t literal, const commands::CommandArg& arg,
                                           int reg) {
    const std::int32_t n = script::WireScaling::ScaleArgument(literal, arg);
    if (arg.size == 2) {
        ctx_.Write("ldi tmp1," + AsmBytes::Low(n) + "\nldi tmp2," + AsmBytes::High(n) + "\n");
        MoveAccumulator(2, reg);
        return reg + 2;
    }
    if (arg.size == 1) {
        // Too large for its byte: the largest the byte holds.
        ctx_.Write("ldi tmp1," + (n > 255 ? std::string("255") : AsmBytes::Low(n)) + "\n");
        MoveAccumulator(1, reg);
        return reg + 1;
    }
    return reg;
}

// The literal 0 is sent as 0, unscaled.
int CommandCallTranslator::ZeroArgument(const commands::CommandArg& arg, int reg) {
    if (arg.size == 2) {
        ctx_.Write("mov " + Param(reg) + ",zero\nmov " + Param(reg + 1) + ",zero\n");
        return reg + 2;
    }
    if (arg.size == 1) {
        ctx_.Write("mov " + Param(reg) + ",zero\n");
        return reg + 1;
    }
    return reg;
}

int CommandCallTranslator::ExpressionArgument(const commands::CommandArg& arg, int reg) {
    if (arg.multiplier > 1) ctx_.Write(FactorCode(arg.multiplier, kShiftLeft, kMultiply));
    if (arg.divisor > 1) ctx_.Write(FactorCode(arg.divisor, kShiftRight, kDivide));
    if (arg.size == 2) {
        if (arg.constant != 0)
            ctx_.Write("ldi tmp3," + AsmBytes::Low(arg.constant) + "\nldi tmp4," + AsmBytes::High(arg.constant) +
                       "\nadd tmp1,tmp3\nadc tmp2,tmp4\n");
        MoveAccumulator(2, reg);
        return reg + 2;
    }
    if (arg.size == 1) {
        if (arg.constant != 0) ctx_.Write("ldi tmp3," + AsmBytes::Low(arg.constant) + "\nadd tmp1,tmp3\n");
        MoveAccumulator(1, reg);
        return reg + 1;
    }
    return reg;
}

void CommandCallTranslator::MoveAccumulator(std::int32_t size, int reg) {
    ctx_.Write("mov " + Param(reg) + ",tmp1\n");
    if (size == 2) ctx_.Write("mov " + Param(reg + 1) + ",tmp2\n");
}

std::string CommandCallTranslator::FactorCode(std::int32_t factor, std::string_view shift,
                                              std::string_view routine) {
    std::string code;
    std::int32_t k = factor;
    while (k > 0 && k % 2 == 0) {
        code.append(shift);
        k /= 2;
    }
    if (k > 1) {
        code += "ldi tmp4," + std::to_string(k / 256) + "\nldi tmp3," + std::to_string(k % 256) + "\n";
        code.append(routine);
    }
    return code;
}

}  // namespace orvane::compiler
