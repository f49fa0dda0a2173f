// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/compiler/StatementTranslator.h"
#include "core/compiler/SymbolCollector.h"
#include "core/host/Cp1250.h"
#include "core/platform/TextEditorAccess.h"
#include "tests/compiler/CompileFakes.h"

namespace orvane::test {

// Lines joined with "\n" after each, as the generated text is written.
inline std::string Lines(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* l : lines) (text += l) += '\n';
    return text;
}
// A variable's two bytes into a register pair (high, low), or stored from tmp2:tmp1.
inline std::string Load(const std::string& v, const char* hi = "tmp2", const char* lo = "tmp1") {
    return "ldi ZH,high(" + v + ")\nldi ZL,low(" + v + ")\nld " + hi + ",Z\nldd " + lo + ",Z+1\n";
}
inline std::string Store(const std::string& v) {
    return "ldi ZH,high(" + v + ")\nldi ZL,low(" + v + ")\nst Z,tmp2\nstd Z+1,tmp1\n";
}
// Arguments: {size, multiplier, divisor, constant}.
inline commands::CommandDef MakeCommand(std::string name, std::string asmName, int resultSize,
                                        std::vector<std::array<int, 4>> args, int resultMultiplier = 1,
                                        int resultDivisor = 1) {
    commands::CommandDef def;
    def.name = std::move(name);
    def.asmName = std::move(asmName);
    def.resultSize = resultSize;
    def.resultMultiplier = resultMultiplier;
    def.resultDivisor = resultDivisor;
    def.argumentCount = static_cast<int>(args.size());
    for (std::size_t i = 0; i < args.size(); ++i)
        def.arguments[i] = {args[i][0], args[i][1], args[i][2], args[i][3], ""};
    return def;
}
inline std::array<int, 4> Arg(int size, int multiplier = 1, int divisor = 1, int constant = 0) {
    return {size, multiplier, divisor, constant};
}

// A servo set with argument sizes 1 and 2, reads with one- and two-byte results, and commands
// whose arguments and results are scaled.
inline commands::CommandTable SampleCommands() {
    commands::CommandTable table;
    table.AddNewest(MakeCommand("Set", "ServoS", 0, {Arg(1), Arg(2)}));
    table.AddNewest(MakeCommand("Read", "ServoR", 2, {Arg(1)}));
    table.AddNewest(MakeCommand("Get", "DOG", 1, {Arg(1)}));
    table.AddNewest(MakeCommand("Neg", "WaitS", 0, {Arg(2, 1, 1, -400)}));
    table.AddNewest(MakeCommand("Led", "LEDS", 0, {Arg(1, 1, 1, 100), Arg(2, 5, 1, 7)}));
    table.AddNewest(MakeCommand("Two", "LEDS", 0, {Arg(1, 3), Arg(1)}));
    table.AddNewest(MakeCommand("Shift", "ServoS", 0, {Arg(2, 8)}));
    table.AddNewest(MakeCommand("Half", "ServoR", 2, {Arg(1)}, 1, 2));
    table.AddNewest(MakeCommand("Volt", "ADIAxR", 2, {}, 5000, 1023));
    return table;
}

// A whole script through the collection of labels and variables and the translation loop, as
// the compile runs it.
struct TranslationHarness {
    explicit TranslationHarness(std::string script, commands::CommandTable table = SampleCommands())
        : editor(std::move(script)), commands(std::move(table)) {}

    TranslationHarness& Run() {
        compiler::SymbolCollector(reader, labels, variables, prompts).CollectLabelsAndVariables();
        reader.StartAt(0);
        while (translator.TranslateStatement(-1)) {
        }
        return *this;
    }
    const std::string& Program() const { return context.Assembler(); }

    platform::TextEditorAccess editor;
    script::StatementReader reader{editor};
    commands::CommandTable commands;
    script::LabelTable labels;
    script::VariableTable variables;
    ScriptedPrompts prompts;
    compiler::TranslationContext context{reader, editor, variables, labels, commands, prompts};
    compiler::StatementTranslator translator{context};
};

}  // namespace orvane::test
