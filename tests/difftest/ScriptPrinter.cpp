#include "tests/difftest/ScriptPrinter.h"

#include <cctype>

namespace orvane::test {

namespace {

bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

}  // namespace

std::string ScriptPrinter::Print(const Script& script) {
    script_ = &script;
    out_.clear();
    // The declarations, in one statement or two.
    const std::size_t split = script.variables.size() > 1 && Pick(0, 1) ? script.variables.size() / 2 : script.variables.size();
    for (std::size_t i = 0; i < script.variables.size(); ++i) {
        if (i == 0 || i == split) Token("Var"), Token(":");
        else Token(",");
        Token(script.variables[i]);
        if (i + 1 == split || i + 1 == script.variables.size()) Token(";");
    }
    for (const auto& s : script.main) Statement(*s);
    if (script.mainEnd == 0) Jump("Exit", "");
    if (script.mainEnd == 1) Jump("Return", "");
    for (std::size_t k = 0; k < script.subroutines.size(); ++k) {
        Token("S" + std::to_string(k));
        Token(":");
        for (const auto& s : script.subroutines[k]) Statement(*s);
        Jump("Return", "");
    }
    out_ += '\n';
    return out_;
}

// Anything the reader drops may stand between two tokens; two words keep a blank between them.
void ScriptPrinter::Token(std::string_view token) {
    static constexpr std::string_view kSeparators[] = {"", " ", "\n", "\n    ", " /* c; } */ ", " // c\n", " /* (c) */ "};
    static constexpr int kWeights[] = {50, 28, 12, 4, 2, 2, 2};
    if (tidy_ && !out_.empty()) {
        out_ += std::string_view(";{}").find(out_.back()) != std::string_view::npos ? '\n' : ' ';
    } else if (!out_.empty()) {
        int roll = Pick(1, 100);
        std::size_t i = 0;
        while (roll > kWeights[i]) roll -= kWeights[i++];
        std::string_view separator = kSeparators[i];
        if (separator.empty() && IsWordChar(out_.back()) && IsWordChar(token.front())) separator = " ";
        out_ += separator;
    }
    out_ += token;
}

void ScriptPrinter::Statement(const Stmt& s) {
    const auto& names = script_->variables;
    switch (s.kind) {
        case Stmt::Kind::Assign:
            Token(names[static_cast<std::size_t>(s.variable)]);
            Token("=");
            Expression(s.value);
            Token(";");
            break;
        case Stmt::Kind::Block:
            Token("{");
            for (const auto& inner : s.body) Statement(*inner);
            Token("}");
            break;
        case Stmt::Kind::If:
            Token("if");
            Token("(");
            Condition(s.condition);
            Token(")");
            Branch(*s.then, s.otherwise != nullptr);
            if (s.otherwise) {
                Token("else");
                Branch(*s.otherwise, false);
            }
            break;
        case Stmt::Kind::While: CountedLoop(s); break;
        case Stmt::Kind::LabelLoop:
        case Stmt::Kind::EndlessLoop: LabelLoop(s); break;
        case Stmt::Kind::Call: Jump("Call", "S" + std::to_string(s.target)); break;
        case Stmt::Kind::Run: Jump("Run", "S" + std::to_string(s.target)); break;
        case Stmt::Kind::GoTo: Jump("GoTo", "L" + std::to_string(s.target)); break;
        case Stmt::Kind::Label: Label(s.target); break;
        case Stmt::Kind::Exit: Jump("Exit", ""); break;
        case Stmt::Kind::Return: Jump("Return", ""); break;
    }
}

// C's reading: an else belongs to the nearest if without one, so a branch that ends in such an
// if is braced when an else follows it.
void ScriptPrinter::Branch(const Stmt& s, bool elseFollows) {
    const bool braces = IsComposite(s) || (elseFollows && EndsOpen(s));
    if (braces) Token("{");
    Statement(s);
    if (braces) Token("}");
}

// counter = 0; while (counter < N) body, its bound written one of four ways. A loop without a
// counter is written as it stands (it is only ever dead code).
void ScriptPrinter::CountedLoop(const Stmt& s) {
    if (s.variable >= 0) Reset(s.variable);
    Token("while");
    Token("(");
    if (s.variable < 0) {
        Condition(s.condition);
    } else {
        const std::string counter = script_->variables[static_cast<std::size_t>(s.variable)];
        const std::string n = std::to_string(s.iterations), n1 = std::to_string(s.iterations - 1);
        const std::string_view forms[][3] = {{counter, "<", n}, {counter, "<=", n1}, {n, ">", counter}, {n1, ">=", counter}};
        for (const auto& token : forms[s.conditionForm]) Token(token);
    }
    Token(")");
    Branch(*s.then, false);
}

// counter = 0; L: body counter = counter + 1; if (counter < N) GoTo(L);
// counter = 0; while (1) { body counter = counter + 1; if (counter >= N) GoTo(L); } L:
void ScriptPrinter::LabelLoop(const Stmt& s) {
    const bool endless = s.kind == Stmt::Kind::EndlessLoop;
    const std::string counter = script_->variables[static_cast<std::size_t>(s.variable)];
    Reset(s.variable);
    if (endless) {
        for (const char* token : {"while", "(", "1", ")", "{"}) Token(token);
    } else {
        Label(s.target);
    }
    for (const auto& inner : s.body) Statement(*inner);
    Step(s.variable);
    for (const std::string& token : {std::string("if"), std::string("("), counter, std::string(endless ? ">=" : "<"),
                                     std::to_string(s.iterations), std::string(")")})
        Token(token);
    Jump("GoTo", "L" + std::to_string(s.target));
    if (endless) {
        Token("}");
        Label(s.target);
    }
}

void ScriptPrinter::Reset(int counter) {
    Token(script_->variables[static_cast<std::size_t>(counter)]);
    Token("=");
    Token("0");
    Token(";");
}

void ScriptPrinter::Step(int counter) {
    const std::string& name = script_->variables[static_cast<std::size_t>(counter)];
    for (const std::string& token : {name, std::string("="), name, std::string("+"), std::string("1"), std::string(";")})
        Token(token);
}

void ScriptPrinter::Condition(const struct Condition& c) {
    Expression(c.left);
    if (c.op.empty()) return;
    Token(c.op);
    Expression(c.right);
}

void ScriptPrinter::Expression(const Expr& e) {
    if (e.negated) Token("-");
    Operand(e.first);
    for (const auto& [op, operand] : e.rest) {
        Token(std::string(1, op));
        Operand(operand);
    }
}

void ScriptPrinter::Operand(const struct Operand& o) {
    switch (o.kind) {
        case Operand::Kind::Number: Number(o.number); break;
        case Operand::Kind::Variable: Token(script_->variables[static_cast<std::size_t>(o.variable)]); break;
        case Operand::Kind::Group:
            Token("(");
            Expression(*o.group);
            Token(")");
            break;
    }
}

// Now and then in the exponent form both engines read: 300 as 3e2.
void ScriptPrinter::Number(std::int64_t n) {
    if (n >= 100 && n % 100 == 0 && Pick(1, 100) <= 15) Token(std::to_string(n / 100) + "e2");
    else Token(std::to_string(n));
}

void ScriptPrinter::Label(int label) {
    Token("L" + std::to_string(label));
    Token(":");
}

void ScriptPrinter::Jump(std::string_view keyword, const std::string& target) {
    Token(keyword);
    Token("(");
    if (!target.empty()) Token(target);
    Token(")");
    Token(";");
}

}  // namespace orvane::test
