// SPDX-License-Identifier: GPL-3.0-or-later
// Whole scripts run tick by tick against a controller in commands mode, every box answered Yes
// so the run goes on as far as it can. A script without `while`, `GoTo`, `Call` or `Run` has
// nothing that may bring the run back where it already stood: a repeated state there is an
// endless run the user could only stop by hand. Every box shown must stay readable.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <tuple>

#include "fuzz/FuzzCheck.h"
#include "fuzz/TidyBoxes.h"
#include "tests/support/RunRig.h"

namespace {

constexpr std::size_t kMaxInput = 8 * 1024;
// A run that may loop is cut here: a few hundred rounds show what more would.
constexpr int kMaxLoopingTicks = 500;
// More than a script of kMaxInput characters has statements, so only a repeat reaches it.
constexpr int kMaxTicks = 10000;

// The text without blanks and, in a second reading, without comments too: the reader drops both
// inside a statement, so "wh\rile" and "wh/**/ile" are loops as well. Any reading that finds a
// word counts, so no guess about what is a comment hides a loop.
std::string Without(const std::string& script, bool comments) {
    std::string out;
    for (std::size_t i = 0; i < script.size(); ++i) {
        const char c = script[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
        if (comments && c == '/' && i + 1 < script.size() && (script[i + 1] == '/' || script[i + 1] == '*')) {
            const bool line = script[i + 1] == '/';
            const std::size_t end = line ? script.find_first_of("\r\n", i + 2) : script.find("*/", i + 2);
            if (end == std::string::npos) break;
            i = line ? end : end + 1;
            continue;
        }
        out += c;
    }
    return out;
}

bool MayLoop(const std::string& script) {
    for (const std::string& text : {script, Without(script, false), Without(script, true)}) {
        for (const char* word : {"while", "GoTo", "Call", "Run"}) {
            if (text.find(word) != std::string::npos) return true;
        }
    }
    return false;
}

using State = std::tuple<std::int32_t, std::int32_t, std::int32_t, std::size_t, std::size_t>;

State StateOf(const orvane::script::Interpreter& interpreter) {
    const auto& s = interpreter.State();
    return {interpreter.Reader().Start(), interpreter.Reader().End(), s.readLimit, s.blocks.Size(),
            s.calls.Size()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kMaxInput) return -1;
    const std::string script(reinterpret_cast<const char*>(data), size);
    orvane::test::RunRig rig;
    rig.editor.SetText(script);
    rig.results['R'] = {0x01, 0x2C};
    const bool mayLoop = MayLoop(script);
    std::set<State> seen;
    rig.interpreter.Start();
    const int maxTicks = mayLoop ? kMaxLoopingTicks : kMaxTicks;
    for (int tick = 0; tick < maxTicks && rig.Tick(); ++tick) {
        if (!mayLoop && rig.interpreter.RunExists()) {
            orvane::fuzz::Require(seen.insert(StateOf(rig.interpreter)).second,
                                  "the run came back to a state it had been in, with no loop or jump");
        }
    }
    orvane::fuzz::RequireTidyBoxes(rig.prompts);
    return 0;
}
