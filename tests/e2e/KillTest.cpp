// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <memory>
#include <random>

#include "core/commands/CommandFile.h"
#include "core/host/MemorySettings.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/KillLoop.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/ScriptedFileChooser.h"
#include "tests/support/TempDir.h"

namespace orvane::test {
namespace {

constexpr int kRounds = 100;

// Komendy.ini through the command editor's OK path; the two tables differ in length, so a
// file cut short or mixed from both is never taken for either.
KillLoop::Writer KomendyWriter(const std::string& path) {
    auto tables = std::make_shared<std::array<commands::CommandTable, 2>>();
    for (int v = 0; v < 2; ++v) {
        for (int i = 0; i < 40 + 50 * v; ++i) {
            commands::CommandDef def;
            def.name = "Komenda" + std::to_string(v) + "_" + std::to_string(i);
            def.argumentCount = commands::CommandDef::kMaxArguments;
            (*tables)[static_cast<std::size_t>(v)].AddOldest(def);
        }
    }
    return [path, tables](int v) {
        host::MemorySettings settings;
        settings.WriteString(commands::CommandFile::kPathKey, path);
        ScriptedPrompts prompts;
        ScriptedFileChooser files;
        commands::CommandFile::Write((*tables)[static_cast<std::size_t>(v)], settings, files, prompts);
    };
}

TEST(KillTest, AKilledWriterLeavesTheOldFileOrTheNewOneWhole) {
    const struct {
        const char* name;
        KillLoop::Writer (*writer)(const std::string&);
    } rows[] = {{"Komendy.ini", &KomendyWriter}};  // every file the core keeps goes through the same writer
    for (const auto& row : rows) {
        const unsigned seed = std::random_device{}();
        SCOPED_TRACE(std::string(row.name) + ", seed " + std::to_string(seed));
        // In memory where it can be: what a kill leaves does not depend on the disk, and the
        // disk's fsync would make each round slow.
        TempDir dir(std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp");
        const std::string path = dir / row.name;
        const std::int64_t start = NowMs();
        const KillLoop::Outcome outcome = KillLoop::Run(path, row.writer(path), kRounds, seed);
        EXPECT_EQ(outcome.rounds, kRounds);
        EXPECT_EQ(outcome.damaged, std::vector<std::string>{});
        // Most kills must land inside a write, or the loop proved nothing.
        EXPECT_GE(outcome.killedInWrite, kRounds / 2);
        // The temporary file has a name only from its last byte to the rename, so few kills
        // leave one behind (a named temporary file was left by three kills in four).
        EXPECT_LE(outcome.litter, kRounds / 5);
        std::printf("%s: %lld ms, %d kills, %d inside a write, %d left a temporary file\n", row.name,
                    static_cast<long long>(NowMs() - start), outcome.rounds, outcome.killedInWrite, outcome.litter);
    }
}

}  // namespace
}  // namespace orvane::test
