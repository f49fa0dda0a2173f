// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/compiler/CommandCallTranslator.h"
#include "core/compiler/ConstantFold.h"
#include "core/compiler/TranslationContext.h"

namespace orvane::compiler {

// Arithmetic expressions to AVR code in one left-to-right pass, leaving the 16-bit value in
// tmp1 (low) : tmp2 (high). "*" and "/" are applied at once; a "+" or "-" waits one step, its
// left side on the stack, so that a following product binds tighter. Parentheses and command
// calls save the accumulator on the stack around their own code.
class ExpressionTranslator {
public:
    explicit ExpressionTranslator(TranslationContext& context);

    // The text may end with ";" and may use "," as the decimal point. The value when the
    // expression is made of constants alone. On the way it warns where the two engines part: a
    // number outside 0…65535, a division by a constant 0, a constant value beyond the word.
    std::optional<Constant> TranslateExpression(std::string_view text);
    // Warns when a number as written (digits) is more than the program's word holds.
    void CheckLiteral(std::string_view digits);
    // The variables read by the expressions translated from now on, outside command calls, go
    // into `into` (null: none are noted).
    void NoteVariables(std::vector<std::string>* into) { noted_ = into; }

    // The n-th argument (from 1) of the call in `statement`: -N for the positive decimal
    // literal N (nothing written), 0 for the literal 0 (also empty, or digits worth 0), 1 after
    // writing code that leaves the value in tmp1:tmp2 (or when there is no "("), -1 when the
    // call has fewer than n arguments.
    std::int32_t TranslateArgument(std::string_view statement, int n);

    CommandCallTranslator& CommandCalls() { return commandCalls_; }

private:
    // One translation's place in its text; nested parentheses get their own.
    struct Pass {
        std::string text;
        std::size_t pos = 0;
        char waiting = 0;  // the operator whose right operand is being read
        char held = 0;     // "+" or "-" whose left side waits on the stack during a product
        bool FirstOperand() const { return waiting == 0 && held == 0; }
        char op = '+';  // the operator before the operand being read
        std::optional<Constant> operand;  // the operand just read, when it is a constant
        ConstantFold fold;
        std::optional<Constant> wideGroup;  // a constant group the word does not hold
    };
    struct Folded {
        std::optional<Constant> value;
        bool computed = false;
    };

    static constexpr int kMaxNesting = 64;

    Folded Nested(std::string_view text);
    Folded Translate(std::string_view text);
    void FoldOperand(Pass& pass);
    void WarnWide(const Constant& value);
    // OASM1, with what went wrong when it is more than an operand that could not be made out.
    void Unrecognised(std::string_view whole, const std::string& reason = {});
    void AdditiveOperator(Pass& pass, char op);
    void MultiplicativeOperator(Pass& pass, char op);
    // False after an operand nothing could make sense of (the box is shown).
    bool Operand(Pass& pass, std::string_view whole);
    void Group(Pass& pass);
    void Number(Pass& pass);
    bool Variable(Pass& pass);
    void CommandCall(Pass& pass);
    void Finish(Pass& pass);

    void CompleteHeld(char held);
    void ApplyWaiting(char waiting);

    TranslationContext& ctx_;
    CommandCallTranslator commandCalls_;
    int depth_ = 0;
    std::vector<std::string>* noted_ = nullptr;
};

}  // namespace orvane::compiler
