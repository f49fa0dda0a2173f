// SPDX-License-Identifier: GPL-3.0-or-later
// Script text as a user's typing would give it, statement by statement through the reader and
// then through what the run does with each: declarations, conditions, assignments and command
// calls, the calls answered by a controller in commands mode. The reader must move on with
// every statement; nothing may crash, read out of bounds or recurse without bound, and every
// box shown must stay readable.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/script/StatementPieces.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/TidyBoxes.h"
#include "tests/support/ScriptRig.h"

namespace {

using orvane::script::StatementPieces;

constexpr std::size_t kMaxInput = 16 * 1024;

void Carry(orvane::test::ScriptRig& rig, const orvane::script::Statement& statement) {
    auto& evaluator = rig.engine.Evaluator();
    const std::string& text = statement.text;
    if (StatementPieces::LabelOf(text) == "Var") {
        evaluator.Declare(text);
    } else if (statement.StartsWith("if(") || statement.StartsWith("while(")) {
        evaluator.EvaluateCondition(text);
    } else if (const auto eq = text.find('='); eq != std::string::npos) {
        rig.variables.Declare(text.substr(0, eq));
        evaluator.EvaluateExpression(std::string_view(text).substr(eq + 1));
    } else if (StatementPieces::CommandNameOf(text)) {
        rig.engine.Executor().ExecuteCommand(text);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kMaxInput) return -1;
    orvane::test::ScriptRig rig(std::string(reinterpret_cast<const char*>(data), size));
    rig.AnswerLikeController({{'R', {0x01, 0x2C}}});
    rig.commands.AddNewest(orvane::test::MakeCommand("Ping", 'P'));
    rig.commands.AddNewest(orvane::test::MakeCommand("Set", 'S', {1, 2}));
    rig.commands.AddNewest(orvane::test::MakeCommand("Read", 'R', {1}, 2));
    auto& reader = rig.reader;
    while (reader.Start() < reader.TextLength()) {
        const std::int32_t start = reader.Start();
        const orvane::script::Statement statement = reader.ReadStatement(-1);
        orvane::fuzz::Require(reader.End() > start, "the reader did not move on");
        Carry(rig, statement);
        reader.Next();
    }
    orvane::fuzz::RequireTidyBoxes(rig.prompts);
    return 0;
}
