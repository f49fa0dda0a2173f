// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/compiler/ExpressionTranslator.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/host/AsciiText.h"
#include "core/host/Cp1250.h"
#include "core/script/ClosingParen.h"
#include "core/script/DecimalText.h"
#include "core/script/MessageQuote.h"
#include "core/script/StatementPieces.h"

namespace orvane::compiler {

namespace {

constexpr std::string_view kPushAccumulator = "push tmp1\npush tmp2\n";
constexpr std::string_view kAdd = "add tmp1,tmp3\nadc tmp2,tmp4\n";
constexpr std::string_view kSubtract = "sub tmp1,tmp3\nsbc tmp2,tmp4\n";

using host::IsDigit;

// A 16-bit pair load of a number that may lie beyond 16 bits: the assembler reports a high byte
// above 255 (a huge literal is kept within what a line can print).
std::string LoadNumber(double value, bool first) {
    const double whole = std::floor(std::min(value, 1e15));
    const auto low = static_cast<long long>(std::fmod(whole, 256.0));
    const auto high = static_cast<long long>(std::floor(whole / 256.0));
    const char* highReg = first ? "tmp2" : "tmp4";
    const char* lowReg = first ? "tmp1" : "tmp3";
    return std::string("ldi ") + highReg + "," + std::to_string(high) + "\nldi " + lowReg + "," +
           std::to_string(low) + "\n";
}

bool IsTrigonometric(std::string_view call) {
    return call.starts_with("sin") || call.starts_with("cos") || call.starts_with("ctg");
}

}  // namespace

ExpressionTranslator::ExpressionTranslator(TranslationContext& context)
    : ctx_(context), commandCalls_(context, *this) {}

std::optional<Constant> ExpressionTranslator::TranslateExpression(std::string_view text) {
    const Folded folded = Nested(text);
    if (folded.value && folded.computed && folded.value->Diverges()) WarnWide(*folded.value);
    return folded.value;
}

void ExpressionTranslator::CheckLiteral(std::string_view digits) {
    const Constant value = Constant::Literal(script::DecimalText::Parse(digits));
    if (!value.Fits()) ctx_.Warn(WarningKind::ConstantOutOfRange, value.BothWays());
}

void ExpressionTranslator::WarnWide(const Constant& value) { ctx_.Warn(WarningKind::WideResult, value.BothWays()); }

ExpressionTranslator::Folded ExpressionTranslator::Nested(std::string_view text) {
    // Each level is a C++ frame and two bytes of the controller's stack: absurd nesting is
    // refused like any other operand that cannot be made sense of.
    if (depth_ >= kMaxNesting) {
        Unrecognised(text, host::Pl("Zbyt głębokie zagnieżdżenie nawiasów (najwyżej ") +
                               std::to_string(kMaxNesting) + host::Pl(" poziomy)."));
        return {};
    }
    ++depth_;
    const Folded folded = Translate(text);
    --depth_;
    return folded;
}

ExpressionTranslator::Folded ExpressionTranslator::Translate(std::string_view text) {
    Pass pass;
    for (const char c : text) {
        if (c == ';') continue;
        pass.text.push_back(c == ',' ? '.' : c);
    }
    if (!pass.text.empty() && std::string_view("-+*/").find(pass.text[0]) != std::string_view::npos)
        ctx_.Write("clr tmp2\nclr tmp1\n");

    while (pass.pos < pass.text.size()) {
        const char ch = pass.text[pass.pos];
        if (ch == '+' || ch == '-') AdditiveOperator(pass, ch);
        else if (ch == '*' || ch == '/') MultiplicativeOperator(pass, ch);
        if (ch == '+' || ch == '-' || ch == '*' || ch == '/') pass.op = ch;
        pass.operand.reset();
        if (!Operand(pass, text)) return {};
        FoldOperand(pass);
        if (pass.waiting == '*' || pass.waiting == '/') {
            ctx_.Write(pass.waiting == '*' ? "rcall Pomnoz\n" : "rcall Podziel\n");
            pass.waiting = 0;
        }
    }
    Finish(pass);
    const auto value = pass.fold.Value();
    // A constant group inside an expression that is no constant is the value the engines keep
    // apart; inside a constant one, only the whole value counts.
    if (!value && pass.wideGroup) WarnWide(*pass.wideGroup);
    return {value, pass.fold.Computed()};
}

// A division by a constant 0 has no value to share: the fold knows none from there on.
void ExpressionTranslator::FoldOperand(Pass& pass) {
    if (pass.op == '/' && pass.operand && pass.operand->pc == 0.0) {
        ctx_.Warn(WarningKind::DivisionByZero, host::Pl("na PC 9.99e+99, w sterowniku 65535"));
        pass.operand.reset();
    }
    pass.fold.Add(pass.op, pass.operand);
    pass.op = '*';  // two operands side by side multiply, as the run reads them
}

void ExpressionTranslator::AdditiveOperator(Pass& pass, char op) {
    ++pass.pos;
    CompleteHeld(pass.held);
    pass.held = 0;
    ApplyWaiting(pass.waiting);
    pass.waiting = op;
}

// A product after "+" or "-" puts their left side on the stack and starts from their right
// operand. Only the first factor does so: in a+b*c*d the second "*" continues the product.
void ExpressionTranslator::MultiplicativeOperator(Pass& pass, char op) {
    if (pass.held == 0) {
        pass.held = pass.waiting;
        if (pass.held != 0) {
            ctx_.Write(kPushAccumulator);
            ctx_.Write("mov tmp1,tmp3\nmov tmp2,tmp4\n");
        }
    }
    pass.waiting = op;
    ++pass.pos;
}

bool ExpressionTranslator::Operand(Pass& pass, std::string_view whole) {
    const char ch = pass.pos < pass.text.size() ? pass.text[pass.pos] : '\0';
    if (ch == '(') {
        Group(pass);
    } else if (IsDigit(ch)) {
        Number(pass);
    } else if (Variable(pass)) {
        // loaded
    } else if (ch == ')') {
        // A ")" where an operand should begin closes nothing: it is no command named "".
        Unrecognised(whole, host::Pl("Nawias ')' bez pasującego nawiasu '('."));
        return false;
    } else if (pass.text.find(')', pass.pos) != std::string::npos) {
        CommandCall(pass);
    } else {
        Unrecognised(whole);
        return false;
    }
    return true;
}

// The operand counts as 1 and the rest of the expression is dropped.
void ExpressionTranslator::Unrecognised(std::string_view whole, const std::string& reason) {
    ctx_.Write("clr tmp2\nldi tmp1,1\n");
    ctx_.NoteFault();
    ctx_.Prompts().Tell(host::Pl("BŁĄD (OASM1)"),
                        host::Pl("Błąd określenia wartości: ") + script::MessageQuote::Of(whole) +
                            (reason.empty() ? "" : "\n\n" + reason),
                        host::Icon::Error);
}

// An unclosed group takes the rest of the text.
void ExpressionTranslator::Group(Pass& pass) {
    const std::size_t inner = pass.pos + 1;
    const std::size_t close = script::ClosingParen(pass.text, pass.pos);
    const std::size_t innerEnd = close == std::string::npos ? pass.text.size() : close;
    if (pass.waiting != 0) ctx_.Write(kPushAccumulator);
    const Folded group = Nested(std::string_view(pass.text).substr(inner, innerEnd - inner));
    pass.operand = group.value;
    if (group.value && group.computed && group.value->Diverges() && !pass.wideGroup) pass.wideGroup = group.value;
    if (pass.waiting != 0) ctx_.Write("mov tmp3,tmp1\nmov tmp4,tmp2\npop tmp2\npop tmp1\n");
    pass.pos = close == std::string::npos ? pass.text.size() : close + 1;
}

void ExpressionTranslator::Number(Pass& pass) {
    const std::string_view rest = std::string_view(pass.text).substr(pass.pos);
    const std::size_t length = script::DecimalText::NumberLength(rest);
    const double value = script::DecimalText::Parse(rest.substr(0, length));
    ctx_.Write(LoadNumber(value, pass.FirstOperand()));
    CheckLiteral(rest.substr(0, length));
    pass.operand = Constant::Literal(value);
    pass.pos += length;
}

// The newest variable whose name the text begins with, when the name is followed by the end or
// by an operator or parenthesis (so that "vw" is not read as "v" followed by "w").
bool ExpressionTranslator::Variable(Pass& pass) {
    const auto* entry = ctx_.Variables().AtStartOf(std::string_view(pass.text).substr(pass.pos));
    if (!entry) return false;
    const std::string& name = entry->name;
    if (noted_ != nullptr) noted_->push_back(name);
    ctx_.Write("ldi ZH,high(" + name + ")\nldi ZL,low(" + name + ")\n");
    ctx_.Write(pass.FirstOperand() ? "ld tmp2,Z\nldd tmp1,Z+1\n" : "ld tmp4,Z\nldd tmp3,Z+1\n");
    pass.pos += name.size();
    return true;
}

void ExpressionTranslator::CommandCall(Pass& pass) {
    const std::string_view rest = std::string_view(pass.text).substr(pass.pos);
    const std::string call = std::string(rest.substr(0, rest.find(')') + 1)) + ";";
    if (pass.waiting != 0) ctx_.Write(kPushAccumulator);
    // A call's arguments are sent, not compared.
    std::vector<std::string>* const noted = std::exchange(noted_, nullptr);
    const std::int32_t translated = commandCalls_.TranslateCommandCall(call);
    noted_ = noted;
    if (translated == 1 && !IsTrigonometric(call)) ctx_.Write("clr tmp2\n");
    if (pass.waiting != 0) ctx_.Write("mov tmp4,tmp2\nmov tmp3,tmp1\npop tmp2\npop tmp1\n");
    const std::size_t open = rest.find('(');
    const std::size_t close =
        open == std::string_view::npos ? open : script::ClosingParen(rest, open);
    pass.pos = close == std::string_view::npos ? pass.text.size() : pass.pos + close + 1;
}

void ExpressionTranslator::Finish(Pass& pass) {
    if (pass.held != 0) {
        if (pass.waiting != 0) ctx_.Write("mov tmp6,tmp4\nmov tmp5,tmp3\n");
        CompleteHeld(pass.held);
        if (pass.waiting != 0) ctx_.Write("mov tmp4,tmp6\nmov tmp3,tmp5\n");
    }
    ApplyWaiting(pass.waiting);
}

// The product is in the accumulator and the held operator's left side on the stack.
void ExpressionTranslator::CompleteHeld(char held) {
    if (held == '+') {
        ctx_.Write("pop tmp4\npop tmp3\n");
        ctx_.Write(kAdd);
    } else if (held == '-') {
        ctx_.Write("mov tmp3,tmp1\nmov tmp4,tmp2\n");
        ctx_.Write("pop tmp2\npop tmp1\n");
        ctx_.Write(kSubtract);
    }
}

void ExpressionTranslator::ApplyWaiting(char waiting) {
    if (waiting == '+') ctx_.Write(kAdd);
    else if (waiting == '-') ctx_.Write(kSubtract);
}

std::int32_t ExpressionTranslator::TranslateArgument(std::string_view statement, int n) {
    if (statement.find('(') == std::string_view::npos) return 1;
    const auto argument = script::StatementPieces::CutArgument(statement, n);
    if (!argument) return -1;
    if (*argument == "0") return 0;
    if (std::all_of(argument->begin(), argument->end(), IsDigit)) {
        CheckLiteral(*argument);
        // Saturates: a literal beyond the 32-bit range means "as large as it gets".
        std::int64_t value = 0;
        for (const char c : *argument) value = std::min<std::int64_t>(value * 10 + (c - '0'), INT32_MAX);
        return value <= 0 ? 0 : static_cast<std::int32_t>(-value);
    }
    TranslateExpression(*argument);
    return 1;
}

}  // namespace orvane::compiler
