// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/compiler/StatementTranslator.h"

#include <algorithm>
#include <array>

#include "core/compiler/AsmBytes.h"
#include "core/compiler/AsmFrame.h"
#include "core/compiler/SymbolCollector.h"
#include "core/host/Cp1250.h"
#include "core/script/MessageQuote.h"
#include "core/script/StatementPieces.h"

namespace orvane::compiler {

namespace {

using script::StatementPieces;

constexpr std::string_view kSaveRegisters =
    "push tmp1\npush tmp2\npush tmp3\npush tmp4\npush tmp5\npush tmp6\n"
    "push p1\npush p2\npush p3\npush p4\npush p5\npush p6\n";
constexpr std::string_view kRestoreRegisters =
    "pop p6\npop p5\npop p4\npop p3\npop p2\npop p1\n"
    "pop tmp6\npop tmp5\npop tmp4\npop tmp3\npop tmp2\npop tmp1\n";

constexpr std::array<std::string_view, 11> kKeywords{
    "GoTo", "Call", "Run", "RetINT", "Return", "Exit", "Restart", "Wait", "Remove", "while", "if"};

std::string LoadZ(const std::string& name) {
    return "ldi ZH,high(" + name + ")\nldi ZL,low(" + name + ")\n";
}

}  // namespace

StatementTranslator::StatementTranslator(TranslationContext& context)
    : ctx_(context),
      expressions_(context),
      conditions_(context, expressions_),
      inlineAssembler_(context) {}

bool StatementTranslator::TranslateStatement(std::int32_t limit) {
    if (ctx_.Stopped()) return false;
    script::StatementReader& reader = ctx_.Reader();
    const script::Statement statement = reader.ReadStatement(limit);
    ctx_.Editor().SetSelection(reader.Start(), reader.End());
    if (limit >= 0 && reader.Start() >= limit) return false;
    const TranslationContext::StatementScope scope(ctx_, reader.Span(), statement.Quoted());
    if (!statement.isElse && statement.text.empty()) return Advance();
    // Every level is a C++ frame: absurdly deep nesting stops instead of exhausting the stack.
    if (nesting_ >= kMaxNesting) {
        ctx_.Stop(statement.Quoted(), host::Pl("Zbyt głębokie zagnieżdżenie instrukcji."));
        return false;
    }
    ++nesting_;
    const bool more = Dispatch(statement, limit);
    --nesting_;
    return more && !ctx_.Stopped();
}

// An else reaches here only when no if took it.
bool StatementTranslator::Dispatch(const script::Statement& read, std::int32_t limit) {
    if (read.isElse) return Unknown(read);
    const std::string& statement = read.text;
    if (statement[0] == '}') {
        if (ctx_.BlockDepth() > 0) return false;  // the end of the enclosing block
        ctx_.Stop(statement, host::Pl("Znak '}' bez znaku '{'!"));
        return false;
    }
    if (statement[0] == '{') return Block(limit);

    if (const auto label = StatementPieces::StatementLabel(read)) {
        LabelStatement(statement, *label);
        return Advance();
    }
    if (const auto name = StatementPieces::CommandNameOf(statement))
        return ControlOrCommand(statement, *name, limit);

    if (const auto variable = StatementPieces::AssignedVariable(statement, ctx_.Variables())) {
        Assignment(statement, *variable);
        return Advance();
    }
    return Unknown(read);
}

// The statements inside are translated until the "}" that closes the block returns false.
bool StatementTranslator::Block(std::int32_t limit) {
    script::StatementReader& reader = ctx_.Reader();
    reader.JumpTo(reader.Start() + 1);  // just inside the "{"
    ctx_.EnterBlock();
    while (TranslateStatement(limit)) {
    }
    ctx_.LeaveBlock();
    if (ctx_.Stopped()) return false;
    return Advance();
}

void StatementTranslator::LabelStatement(const std::string& statement, const std::string& label) {
    if (label == "Var") {
        Declaration(statement);
    } else if (label == "asm") {
        inlineAssembler_.Copy();
    } else {
        ctx_.Write("ORVANExl" + label + ":\n");
        if (label == "INT0" || label == "INT1") ctx_.Write(kSaveRegisters);
    }
}

// In a compile every declared name was collected beforehand, so this normally adds nothing. A
// name that is known already ends the statement.
void StatementTranslator::Declaration(const std::string& statement) {
    for (const std::string& name : SymbolCollector::DeclaredNames(statement)) {
        if (ctx_.Variables().Find(name) != nullptr) return;
        ctx_.Variables().Declare(name);
        ctx_.WriteMemory(AsmFrame::Reservation(name));
    }
}

bool StatementTranslator::ControlOrCommand(const std::string& statement, const std::string& name,
                                           std::int32_t limit) {
    const auto argument = StatementPieces::ArgumentText(statement, 1);
    if (name == "GoTo") {
        // Not looked up: the assembler reports a label that does not exist.
        ctx_.Write("rjmp ORVANExl" + StatementPieces::Shown(argument) + "\n");
    } else if (name == "Run") {
        if (!Run(statement, StatementPieces::Shown(argument))) return false;
    } else if (name == "Call") {
        if (!Call(statement, StatementPieces::Shown(argument))) return false;
    } else if (name == "RetINT") {
        ctx_.Write(kRestoreRegisters);
        ctx_.Write("ret\n");
    } else if (name == "Return") {
        ctx_.Write("ret\n");
    } else if (name == "Exit") {
        ctx_.NoteExit();
        ctx_.Write(AsmFrame::kExitJump);
    } else if (name == "Restart") {
        ctx_.Write("rjmp SMALLBOOTSTART\n");
    } else if (name == "Wait") {
        Wait(statement);
    } else if (name == "Remove") {
        Remove(argument);
    } else if (name == "while") {
        While(statement, limit);
    } else if (name == "if") {
        If(statement, limit);
    } else if (expressions_.CommandCalls().TranslateCommandCall(statement) < 0) {
        // The WPASM1 box has said which command is missing.
        ctx_.Stop(statement, host::Pl("Komenda niezdefiniowana."), false);
        return false;
    }
    return Advance();
}

bool StatementTranslator::Run(const std::string& statement, const std::string& label) {
    if (!ctx_.Labels().Contains(label)) {
        ctx_.Stop(statement,
                  host::Pl("Niezdefiniowana etykieta: ") + script::MessageQuote::Of(label));
        return false;
    }
    ctx_.Write("rcall ORVANExl" + label + "\n");
    return true;
}

// Whatever the subroutine stores into variables is undone when it returns.
bool StatementTranslator::Call(const std::string& statement, const std::string& label) {
    if (!ctx_.Labels().Contains(label)) {
        ctx_.Stop(statement,
                  host::Pl("Niezdefiniowana etykieta: ") + script::MessageQuote::Of(label));
        return false;
    }
    const auto& variables = ctx_.Variables().Entries();
    for (const auto& v : variables)
        ctx_.Write(LoadZ(v.name) + "ld tmp2,Z\nldd tmp1,Z+1\npush tmp1\npush tmp2\n");
    ctx_.Write("rcall ORVANExl" + label + "\n");
    for (auto v = variables.rbegin(); v != variables.rend(); ++v)
        ctx_.Write("pop tmp2\npop tmp1\n" + LoadZ(v->name) + "st Z,tmp2\nstd Z+1,tmp1\n");
    return true;
}

void StatementTranslator::Wait(const std::string& statement) {
    const std::int32_t v = expressions_.TranslateArgument(statement, 1);
    if (v < 0) {
        ctx_.Write("ldi tmp1," + AsmBytes::Low(-v) + "\nldi tmp2," + AsmBytes::High(-v) + "\n");
        ctx_.Write("mov p1,tmp1\nmov p2,tmp2\n");
    } else if (v == 0) {
        ctx_.Write("mov p1,zero\nmov p2,zero\n");
    } else {
        ctx_.Write("mov p1,tmp1\nmov p2,tmp2\n");
    }
    ctx_.Write("rcall WaitS\n");
}

// A run forgets removed variables and a later declaration starts them at 0; a compiled program
// keeps every variable in its place, so removing one clears it. Remove() clears them all, and a
// name that is no variable is passed over, as in a run.
void StatementTranslator::Remove(const std::optional<std::string>& argument) {
    for (const auto& v : ctx_.Variables().Entries())
        if (!argument || v.name == *argument)
            ctx_.Write(LoadZ(v.name) + "st Z,zero\nstd Z+1,zero\n");
}

// The body is the statement after the condition's closing parenthesis. It is translated with
// the enclosing limit, so that a body which is itself an if with its own body stays whole.
void StatementTranslator::While(const std::string& statement, std::int32_t limit) {
    const int n = ctx_.TakeLabelNumber();
    const std::string loop = "ORVwhileLoop" + std::to_string(n);
    ctx_.Write(loop + ":\n");
    conditions_.Translate(statement, n, ConditionTranslator::Form::While);

    script::StatementReader& reader = ctx_.Reader();
    reader.JumpTo(reader.PastClosingParen(reader.Start(), reader.End()));
    TranslateStatement(limit);
    if (ctx_.Stopped()) return;
    ctx_.Write("rjmp " + loop + "\n" + loop + "Koniec:\n");
}

// The else is looked for right after the body, as the interpreter does: blanks between them
// are skipped by the reader, and "x=1;else" is an else too.
void StatementTranslator::If(const std::string& statement, std::int32_t limit) {
    const int n = ctx_.TakeLabelNumber();
    const std::string name = "ORVif" + std::to_string(n);
    conditions_.Translate(statement, n, ConditionTranslator::Form::If);

    script::StatementReader& reader = ctx_.Reader();
    reader.Next();
    TranslateStatement(limit);
    if (ctx_.Stopped()) return;
    ctx_.Write("rjmp " + name + "Koniec\n" + name + "Nie:\n");

    const std::int32_t afterBody = reader.End();
    reader.JumpTo(afterBody);
    const script::Statement next = reader.ReadStatement(-1);
    if (next.isElse) {
        reader.JumpTo(next.elseBranch);
        TranslateStatement(limit);
        if (ctx_.Stopped()) return;
    } else {
        reader.StartAt(afterBody);
    }
    ctx_.Write(name + "Koniec:\n");
}

void StatementTranslator::Assignment(const std::string& statement, const std::string& variable) {
    const auto value = expressions_.TranslateExpression(std::string_view(statement).substr(statement.find('=') + 1));
    if (value && value->pc < 0.0) ctx_.AssignedNegative(variable, *value);
    ctx_.Write(LoadZ(variable) + "st Z,tmp2\nstd Z+1,tmp1\n");
}

// The end of the text ends the translation quietly; anything else that fits no kind of
// statement stops it with the reason.
bool StatementTranslator::Unknown(const script::Statement& read) {
    if (read.isElse) {
        ctx_.Stop(read.Quoted(), host::Pl("else bez poprzedzającego if."));
        return false;
    }
    const std::string& statement = read.text;
    const script::StatementReader& reader = ctx_.Reader();
    if (statement == "\xFF" && reader.Start() >= reader.TextLength()) return false;

    std::string bare = statement;
    while (!bare.empty() && (bare.back() == ';' || bare.back() == '\xFF')) bare.pop_back();
    std::string reason;
    if (std::find(kKeywords.begin(), kKeywords.end(), bare) != kKeywords.end()) {
        reason = host::Pl("Brak nawiasów po słowie kluczowym ") + bare + ".";
    } else if (const std::size_t equals = statement.find('='); equals != std::string::npos &&
                                                              equals > 0) {
        reason = host::Pl("Zmienna nie została zadeklarowana: ") +
                 script::MessageQuote::Of(std::string_view(statement).substr(0, equals));
    } else {
        reason = host::Pl("Nieznana instrukcja.");
    }
    ctx_.Stop(statement, reason);
    return false;
}

bool StatementTranslator::Advance() {
    ctx_.Reader().Next();
    return true;
}

}  // namespace orvane::compiler
