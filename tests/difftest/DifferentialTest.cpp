// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>

#include "tests/difftest/EngineRuns.h"
#include "tests/difftest/ScriptTree.h"

namespace orvane::test {
namespace {

// The suite's run: a fixed seed and a few hundred scripts. `make difftest SEED=… COUNT=…` runs
// as many as asked through the same shards (DIFFTEST_SEED, DIFFTEST_COUNT).
constexpr std::uint64_t kSeed = 14;
constexpr int kCount = 300;
constexpr int kShards = 4;
constexpr int kMaxReported = 5;

std::uint64_t FromEnvironment(const char* name, std::uint64_t fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtoull(text, nullptr, 10) : fallback;
}

// Each script has a seed of its own, so one found wanting is made again from its number alone.
std::uint64_t ScriptSeed(std::uint64_t seed, std::uint64_t index) {
    std::uint64_t z = seed * 0x9E3779B97F4A7C15ULL + index + 1;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

Script Make(std::uint64_t seed) {
    for (std::uint64_t attempt = 0;; ++attempt) {
        Script script = GenerateScript(seed + attempt);
        if (ConfineRanges(script)) return script;
    }
}

class Differential : public ::testing::TestWithParam<int> {};

TEST_P(Differential, BothEnginesLeaveTheSameWords) {
    const std::uint64_t seed = FromEnvironment("DIFFTEST_SEED", kSeed);
    const auto count = static_cast<int>(FromEnvironment("DIFFTEST_COUNT", kCount));
    int reported = 0;
    int run = 0;
    for (int i = GetParam(); i < count && reported < kMaxReported; i += kShards, ++run) {
        const std::uint64_t own = ScriptSeed(seed, static_cast<std::uint64_t>(i));
        const Script script = Make(own);
        const std::string text = PrintScript(script, own);
        const EngineOutcome interpreted = RunInterpreted(text, script.variables);
        const EngineOutcome compiled = RunCompiled(text, script.variables);
        if (interpreted.SameAs(compiled)) continue;
        ++reported;
        ADD_FAILURE() << "seed " << seed << ", script " << i << ":\n" << text << Describe("interpreter", interpreted)
                      << Describe("compiled program", compiled);
    }
    std::cout << "seed " << seed << ", shard " << GetParam() << ": " << run << " scripts\n";
}

INSTANTIATE_TEST_SUITE_P(Shards, Differential, ::testing::Range(0, kShards));

}  // namespace
}  // namespace orvane::test
