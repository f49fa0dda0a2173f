// Loading and writing Komendy.ini happens at start-up and after every command edit; a file
// far larger than any real one (500 commands of ten arguments) should take a few milliseconds.
#include <benchmark/benchmark.h>

#include <string>

#include "core/commands/CommandFile.h"

namespace {

using orvane::commands::CommandDef;
using orvane::commands::CommandFile;
using orvane::commands::CommandTable;

CommandTable BigTable(int commands) {
    CommandTable table;
    for (int i = 0; i < commands; ++i) {
        CommandDef def;
        def.name = "Komenda" + std::to_string(i);
        def.description = "Opis komendy numer " + std::to_string(i);
        def.asmName = "Asm" + std::to_string(i);
        def.identifier = static_cast<std::uint8_t>('A' + i % 26);
        def.argumentCount = CommandDef::kMaxArguments;
        for (auto& arg : def.arguments) arg = {2, 10, 3, -100, "Argument"};
        table.AddNewest(def);
    }
    return table;
}

void BM_ParseKomendy(benchmark::State& state) {
    const std::string bytes = CommandFile::Serialize(BigTable(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        CommandTable table;
        CommandFile::Parse(bytes, table, nullptr);
        benchmark::DoNotOptimize(table.Size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ParseKomendy)->Arg(21)->Arg(500)->Unit(benchmark::kMicrosecond);

void BM_SerializeKomendy(benchmark::State& state) {
    const CommandTable table = BigTable(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(CommandFile::Serialize(table));
}
BENCHMARK(BM_SerializeKomendy)->Arg(21)->Arg(500)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
