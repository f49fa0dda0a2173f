// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/difftest/ScriptTree.h"

#include <cctype>
#include <random>
#include <string_view>

namespace orvane::test {

namespace {

bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

class Printer {
public:
    Printer(const Script& script, std::uint64_t seed) : script_(script), rng_(seed) {}

    std::string Print() {
        // The declarations, in one statement or two.
        const auto& names = script_.variables;
        const std::size_t split = names.size() > 1 && Pick(0, 1) ? names.size() / 2 : names.size();
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (i == 0 || i == split) Tokens({"Var", ":"});
            else Token(",");
            Token(names[i]);
            if (i + 1 == split || i + 1 == names.size()) Token(";");
        }
        for (const auto& s : script_.main) Statement(*s);
        if (script_.mainEnd < 2) Jump(script_.mainEnd == 0 ? "Exit" : "Return", "");
        for (std::size_t k = 0; k < script_.subroutines.size(); ++k) {
            Tokens({"S" + std::to_string(k), ":"});
            for (const auto& s : script_.subroutines[k]) Statement(*s);
            Jump("Return", "");
        }
        return out_ + '\n';
    }

private:
    // Anything the reader drops may stand between two tokens; two words keep a blank between them.
    void Token(std::string_view token) {
        static constexpr std::string_view kSeparators[] = {"", " ", "\n", "\n    ", " /* c; } */ ", " // c\n", " /* (c) */ "};
        static constexpr int kWeights[] = {50, 28, 12, 4, 2, 2, 2};
        if (!out_.empty()) {
            int roll = Pick(1, 100);
            std::size_t i = 0;
            while (roll > kWeights[i]) roll -= kWeights[i++];
            std::string_view separator = kSeparators[i];
            if (separator.empty() && IsWordChar(out_.back()) && IsWordChar(token.front())) separator = " ";
            out_ += separator;
        }
        out_ += token;
    }
    void Tokens(std::initializer_list<std::string> tokens) {
        for (const auto& token : tokens) Token(token);
    }
    const std::string& Name(int variable) const { return script_.variables[static_cast<std::size_t>(variable)]; }

    void Statement(const Stmt& s) {
        switch (s.kind) {
            case Stmt::Kind::Assign:
                Tokens({Name(s.variable), "="});
                Expression(s.value);
                Token(";");
                break;
            case Stmt::Kind::Block:
                Token("{");
                for (const auto& inner : s.body) Statement(*inner);
                Token("}");
                break;
            case Stmt::Kind::If:
                Tokens({"if", "("});
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
            case Stmt::Kind::Label: Tokens({"L" + std::to_string(s.target), ":"}); break;
            case Stmt::Kind::Exit: Jump("Exit", ""); break;
            case Stmt::Kind::Return: Jump("Return", ""); break;
        }
    }

    // C's reading: an else belongs to the nearest if without one, so a branch that ends in such
    // an if is braced when an else follows it.
    void Branch(const Stmt& s, bool elseFollows) {
        const bool braces = IsComposite(s) || (elseFollows && EndsOpen(s));
        if (braces) Token("{");
        Statement(s);
        if (braces) Token("}");
    }

    // counter = 0; while (counter < N) body. A loop without a counter is written as it stands (it
    // is only ever dead code).
    void CountedLoop(const Stmt& s) {
        if (s.variable >= 0) Tokens({Name(s.variable), "=", "0", ";"});
        Tokens({"while", "("});
        if (s.variable < 0) {
            Condition(s.condition);
        } else {
            Tokens({Name(s.variable), "<", std::to_string(s.iterations)});
        }
        Token(")");
        Branch(*s.then, false);
    }

    // counter = 0; L: body counter = counter + 1; if (counter < N) GoTo(L);
    // counter = 0; while (1) { body counter = counter + 1; if (counter >= N) GoTo(L); } L:
    void LabelLoop(const Stmt& s) {
        const bool endless = s.kind == Stmt::Kind::EndlessLoop;
        const std::string& counter = Name(s.variable);
        const std::string label = "L" + std::to_string(s.target);
        Tokens({counter, "=", "0", ";"});
        if (endless) Tokens({"while", "(", "1", ")", "{"});
        else Tokens({label, ":"});
        for (const auto& inner : s.body) Statement(*inner);
        Tokens({counter, "=", counter, "+", "1", ";", "if", "(", counter, endless ? ">=" : "<", std::to_string(s.iterations), ")"});
        Jump("GoTo", label);
        if (endless) Tokens({"}", label, ":"});
    }

    void Condition(const struct Condition& c) {
        Expression(c.left);
        if (c.op.empty()) return;
        Token(c.op);
        Expression(c.right);
    }

    void Expression(const Expr& e) {
        if (e.negated) Token("-");
        Operand(e.first);
        for (const auto& [op, operand] : e.rest) {
            Token(std::string(1, op));
            Operand(operand);
        }
    }

    void Operand(const struct Operand& o) {
        if (o.kind == Operand::Kind::Variable) return Token(Name(o.variable));
        if (o.kind == Operand::Kind::Number) return Number(o.number);
        Token("(");
        Expression(*o.group);
        Token(")");
    }

    // Now and then in the exponent form both engines read: 300 as 3e2.
    void Number(std::int64_t n) {
        if (n >= 100 && n % 100 == 0 && Pick(1, 100) <= 15) Token(std::to_string(n / 100) + "e2");
        else Token(std::to_string(n));
    }

    void Jump(std::string_view keyword, const std::string& target) {
        Token(keyword);
        Token("(");
        if (!target.empty()) Token(target);
        Tokens({")", ";"});
    }

    int Pick(int lo, int hi) { return lo + static_cast<int>(rng_() % static_cast<std::uint64_t>(hi - lo + 1)); }

    const Script& script_;
    std::mt19937_64 rng_;
    std::string out_;
};

}  // namespace

std::string PrintScript(const Script& script, std::uint64_t seed) { return Printer(script, seed).Print(); }

}  // namespace orvane::test
