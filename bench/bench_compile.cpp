// SPDX-License-Identifier: GPL-3.0-or-later
// The compile's translation of a 5 000-statement script, without the assembler (target: well
// under 200 ms), and beside it the assembler's own time on what the translation produced; and
// a script of 100 000 labels and 100 000 variables, each used once (target: well under a
// second: declaring and finding must not grow with the number already there).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "core/commands/CommandFile.h"
#include "core/compiler/CompileDriver.h"
#include "core/compiler/StatementTranslator.h"
#include "core/compiler/SymbolCollector.h"
#include "core/host/MemorySettings.h"
#include "core/host/Prompts.h"
#include "core/platform/PosixProcessRunner.h"
#include "core/platform/TextEditorAccess.h"

namespace {

using namespace orvane;

constexpr int kStatements = 5000;

class SilentPrompts : public host::Prompts {
public:
    host::Answer Ask(const std::string&, const std::string&, host::Buttons buttons, host::Icon) override {
        return buttons == host::Buttons::YesNo ? host::Answer::Yes : host::Answer::Ok;
    }
};

class NoFiles : public host::FileChooser {
public:
    std::optional<std::string> ChooseOpen(const host::FileRequest&) override { return std::nullopt; }
    std::optional<std::string> ChooseSave(const host::FileRequest&) override { return std::nullopt; }
};

class SavedDocument : public compiler::ScriptDocument {
public:
    explicit SavedDocument(std::string path) : path_(std::move(path)) {}
    std::string PathName() const override { return path_; }
    void Save() override {}

private:
    std::string path_;
};

const commands::CommandTable& Commands() {
    static const commands::CommandTable table = [] {
        commands::CommandTable t;
        commands::CommandFile::ReadFile(ORVANE_DATA_DIR "/Komendy.ini", t, nullptr);
        return t;
    }();
    return table;
}

// Every kind of statement in the proportions of a servo script: assignments with mixed
// operators, conditions with else, small loops, command calls with scaled arguments, waits,
// labels and calls. Each group of lines is ten statements.
std::string Script() {
    std::string text = "Var: a, b, c, i, pos, speed, total, flag;\n";
    int statements = 1;
    for (int n = 0; statements < kStatements; ++n) {
        const std::string k = std::to_string(n);
        text += "L" + k + ":\n";
        text += "  a = b * 3 + c / 2 - " + k + ";\n";
        text += "  pos = (pos + speed * 2) / (a + 1);\n";
        text += "  if (a <= pos) flag = 1; else flag = ServoRead(2) + 5;\n";
        text += "  while (i < 3) { i = i + 1; }\n";
        text += "  ServoSetS(1, 2, 0, 0, pos);\n";
        text += "  total = total + DigitalGet(3) * 2;\n";
        text += "  Wait(20);\n";
        statements += 10;
    }
    return text + "Exit();\n";
}

// What one translation of a script left: whether it was clean, its assembler's size and the
// symbols it collected.
struct Translation {
    bool faulty = false;
    std::size_t asmBytes = 0;
    std::size_t labels = 0;
    std::size_t variables = 0;
};

// The compile's collection of labels and variables and its translation loop, without files.
Translation Translate(const std::string& script) {
    SilentPrompts prompts;
    platform::TextEditorAccess editor(script);
    script::StatementReader reader(editor);
    script::LabelTable labels;
    script::VariableTable variables;
    compiler::SymbolCollector(reader, labels, variables, prompts).CollectLabelsAndVariables();
    reader.StartAt(0);
    compiler::TranslationContext context(reader, editor, variables, labels, Commands(), prompts);
    compiler::StatementTranslator translator(context);
    while (translator.TranslateStatement(-1)) {
    }
    return {context.Faulty(), context.Assembler().size(), labels.Size(), variables.Size()};
}

void BM_Translate5000Statements(benchmark::State& state) {
    const std::string script = Script();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const Translation t = Translate(script);
        if (t.faulty) state.SkipWithError("the benchmark script does not translate cleanly");
        bytes = t.asmBytes;
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["asm_bytes"] = static_cast<double>(bytes);
    state.counters["statements"] = kStatements;
}
BENCHMARK(BM_Translate5000Statements)->Unit(benchmark::kMillisecond);

// "L<k>: Var: v<k>; v<k> = v<k> + <k>;" for every k.
std::string ManySymbols(int count) {
    std::string text;
    for (int k = 0; k < count; ++k) {
        const std::string n = std::to_string(k);
        text += "L" + n + ": Var: v" + n + "; v" + n + " = v" + n + " + " + n + ";\n";
    }
    return text + "Exit();\n";
}

void BM_TranslateManySymbols(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    const std::string script = ManySymbols(static_cast<int>(count));
    for (auto _ : state) {
        const Translation t = Translate(script);
        if (t.faulty || t.labels != count || t.variables != count)
            state.SkipWithError("the symbols script does not translate cleanly");
        benchmark::DoNotOptimize(t.asmBytes);
    }
}
BENCHMARK(BM_TranslateManySymbols)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The whole compile with avra, files and all; the difference to the translation is the
// assembler's (5 000 statements are far more than the controller's 3 200 program words hold,
// so avra reports the overflow: its time is what is measured here).
void BM_CompileWithAvra(benchmark::State& state) {
    const std::string folder = (std::filesystem::temp_directory_path() / "orvane-bench-compile/").string();
    std::filesystem::create_directories(folder);
    const std::string script = Script();
    SilentPrompts prompts;
    NoFiles files;
    std::ostringstream report;
    platform::PosixProcessRunner runner(report);
    compiler::CompileOutcome outcome{};
    for (auto _ : state) {
        platform::TextEditorAccess editor(script);
        script::StatementReader reader(editor);
        script::LabelTable labels;
        script::VariableTable variables;
        host::MemorySettings settings;
        SavedDocument document(folder + "bench.orv");
        compiler::CompileDriver driver({editor, document, settings, prompts, files, runner,
                                        ORVANE_DATA_DIR "/", nullptr},
                                       {reader, labels, variables, Commands()});
        outcome = driver.CompileScript().outcome;
    }
    state.counters["assembled"] = outcome == compiler::CompileOutcome::Compiled ? 1 : 0;
    if (std::getenv("ORVANE_BENCH_KEEP") == nullptr) std::filesystem::remove_all(folder);
}
BENCHMARK(BM_CompileWithAvra)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
