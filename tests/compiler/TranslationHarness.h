#pragma once
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/commands/CommandTable.h"
#include "core/compiler/StatementTranslator.h"
#include "core/compiler/SymbolCollector.h"
#include "core/compiler/TranslationContext.h"
#include "core/host/Cp1250.h"
#include "core/host/TextEditorAccess.h"
#include "core/script/LabelTable.h"
#include "core/script/StatementReader.h"
#include "core/script/VariableTable.h"
#include "tests/support/ScriptedPrompts.h"

namespace orvane::test {

// Lines joined with "\n" after each, as the generated text is written.
inline std::string Lines(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* l : lines) (text += l) += '\n';
    return text;
}

struct ArgSpec {
    int size = 1;
    int multiplier = 1;
    int divisor = 1;
    int constant = 0;
};

inline commands::CommandDef MakeCommand(std::string name, std::string asmName, int resultSize,
                                        std::vector<ArgSpec> args, int resultMultiplier = 1,
                                        int resultDivisor = 1) {
    commands::CommandDef def;
    def.name = std::move(name);
    def.asmName = std::move(asmName);
    def.resultSize = resultSize;
    def.resultMultiplier = resultMultiplier;
    def.resultDivisor = resultDivisor;
    def.argumentCount = static_cast<int>(args.size());
    for (std::size_t i = 0; i < args.size(); ++i)
        def.arguments[i] = {args[i].size, args[i].multiplier, args[i].divisor, args[i].constant, ""};
    return def;
}

// The commands the translation tests call: a servo set with sizes 1 and 2, reads with results
// of one and two bytes, and a wait with a two-byte argument.
inline commands::CommandTable SampleCommands() {
    commands::CommandTable table;
    table.AddNewest(MakeCommand("Set", "ServoS", 0, {{1}, {2}}));
    table.AddNewest(MakeCommand("Read", "ServoR", 2, {{1}}));
    table.AddNewest(MakeCommand("Get", "DOG", 1, {{1}}));
    table.AddNewest(MakeCommand("Pause", "WaitS", 0, {{2}}));
    return table;
}

// A whole script through the collection of labels and variables and the translation loop, as
// the compile runs it; the generated statements, the reservations added on the way and the
// boxes shown.
class TranslationHarness {
public:
    explicit TranslationHarness(std::string script,
                                commands::CommandTable commands = SampleCommands())
        : editor_(std::move(script)), reader_(editor_), commands_(std::move(commands)),
          context_(reader_, editor_, variables_, labels_, commands_, prompts_),
          translator_(context_) {}

    TranslationHarness& Run() {
        compiler::SymbolCollector(reader_, labels_, variables_, prompts_).CollectLabelsAndVariables();
        reader_.statementStart = reader_.statementEnd = 0;
        while (translator_.TranslateStatement(-1)) {
        }
        return *this;
    }

    // The expression alone, with these variables declared (the last one newest).
    std::string Expression(const std::string& text, std::initializer_list<const char*> vars = {}) {
        for (const char* v : vars) variables_.Declare(v);
        translator_.Expressions().TranslateExpression(text);
        return context_.Assembler();
    }

    const std::string& Program() const { return context_.Assembler(); }
    const std::string& Memory() const { return context_.Memory(); }
    std::vector<ScriptedPrompts::Box> Boxes() const { return prompts_.Boxes(); }
    bool Faulty() const { return context_.Faulty(); }
    const std::optional<compiler::TranslationStop>& Stop() const { return context_.StopInfo(); }
    ScriptedPrompts& Prompts() { return prompts_; }
    script::VariableTable& Variables() { return variables_; }
    script::LabelTable& Labels() { return labels_; }
    script::StatementReader& Reader() { return reader_; }
    host::TextEditorAccess& Editor() { return editor_; }
    compiler::StatementTranslator& Translator() { return translator_; }
    compiler::TranslationContext& Context() { return context_; }

private:
    host::TextEditorAccess editor_;
    script::StatementReader reader_;
    commands::CommandTable commands_;
    script::LabelTable labels_;
    script::VariableTable variables_;
    ScriptedPrompts prompts_;
    compiler::TranslationContext context_;
    compiler::StatementTranslator translator_;
};

}  // namespace orvane::test
