// SPDX-License-Identifier: GPL-3.0-or-later
// Loading and writing Komendy.ini happens at start-up and after every command edit; a file
// far larger than any real one (500 commands of ten arguments) should take a few milliseconds,
// and an absurd one of 100 000 sections well under a second: nothing may grow quadratically.
#include <benchmark/benchmark.h>

#include <string>

#include "core/commands/CommandFile.h"

namespace {

using orvane::commands::CommandDef;
using orvane::commands::CommandFile;
using orvane::commands::CommandTable;

CommandTable BigTable(int commands, int arguments) {
    CommandTable table;
    for (int i = 0; i < commands; ++i) {
        CommandDef def;
        def.name = "Komenda" + std::to_string(i);
        def.description = "Opis komendy numer " + std::to_string(i);
        def.asmName = "Asm" + std::to_string(i);
        def.identifier = static_cast<std::uint8_t>('A' + i % 26);
        def.argumentCount = arguments;
        for (auto& arg : def.arguments) arg = {2, 10, 3, -100, "Argument"};
        table.AddOldest(def);
    }
    return table;
}

void BM_ParseKomendy(benchmark::State& state) {
    const std::string bytes =
        CommandFile::Serialize(BigTable(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))));
    for (auto _ : state) {
        CommandTable table;
        CommandFile::Parse(bytes, table, nullptr);
        benchmark::DoNotOptimize(table.Size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ParseKomendy)
    ->Args({21, CommandDef::kMaxArguments})
    ->Args({500, CommandDef::kMaxArguments})
    ->Args({100000, 2})
    ->Unit(benchmark::kMillisecond);

void BM_SerializeKomendy(benchmark::State& state) {
    const CommandTable table = BigTable(static_cast<int>(state.range(0)), CommandDef::kMaxArguments);
    for (auto _ : state) benchmark::DoNotOptimize(CommandFile::Serialize(table));
}
BENCHMARK(BM_SerializeKomendy)->Arg(21)->Arg(500)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
