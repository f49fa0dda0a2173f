// Script text as a user's typing would give it, statement by statement through the reader and
// then through what the run does with each: declarations, conditions, assignments and command
// calls, the calls answered by a controller in commands mode. The reader must move on with
// every statement; nothing may crash, read out of bounds or recurse without bound.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/script/StatementPieces.h"
#include "fuzz/FuzzCheck.h"
#include "tests/support/ScriptRig.h"

namespace {

using orvane::script::StatementPieces;

constexpr std::size_t kMaxInput = 16 * 1024;

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

void Carry(orvane::test::ScriptRig& rig, const std::string& statement) {
    auto& evaluator = rig.engine.Evaluator();
    if (StatementPieces::LabelOf(statement) == "Var") {
        evaluator.Declare(statement);
    } else if (StartsWith(statement, "if(") || StartsWith(statement, "while(")) {
        evaluator.EvaluateCondition(statement);
    } else if (const auto eq = statement.find('='); eq != std::string::npos) {
        rig.variables.Declare(statement.substr(0, eq));
        evaluator.EvaluateExpression(std::string_view(statement).substr(eq + 1));
    } else if (!StatementPieces::IsNoValue(StatementPieces::CommandNameOf(statement))) {
        rig.engine.Executor().ExecuteCommand(statement);
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
    while (reader.statementStart < reader.TextLength()) {
        const std::int32_t start = reader.statementStart;
        const std::string statement = reader.ReadStatement(-1);
        orvane::fuzz::Require(reader.statementEnd > start, "the reader did not move on");
        Carry(rig, statement);
        reader.statementStart = reader.statementEnd;
    }
    return 0;
}
