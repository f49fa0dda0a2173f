// SPDX-License-Identifier: GPL-3.0-or-later
// Whole scripts through the compile's translation: labels and variables collected, then
// statement after statement translated as the compile does. Each statement must move the
// translation on; nothing may crash, read out of bounds or recurse without bound, and every
// box shown must stay readable.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "fuzz/TidyBoxes.h"
#include "tests/compiler/TranslationHarness.h"

namespace {

constexpr std::size_t kMaxInput = 16 * 1024;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kMaxInput) return -1;
    orvane::test::TranslationHarness harness(std::string(reinterpret_cast<const char*>(data), size));
    orvane::compiler::SymbolCollector(harness.reader, harness.labels, harness.variables, harness.prompts)
        .CollectLabelsAndVariables();
    auto& reader = harness.reader;
    reader.StartAt(0);
    for (std::int32_t before = -1; harness.translator.TranslateStatement(-1);) {
        orvane::fuzz::Require(reader.Start() > before, "the translation did not move on");
        before = reader.Start();
    }
    orvane::fuzz::RequireTidyBoxes(harness.prompts);
    return 0;
}
