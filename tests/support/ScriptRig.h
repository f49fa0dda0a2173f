// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/commands/CommandTable.h"
#include "core/host/EditorText.h"
#include "core/script/CommandCaller.h"
#include "core/script/ExpressionEvaluator.h"
#include "core/script/ScriptContext.h"
#include "core/script/ScriptEngine.h"
#include "core/script/StatementReader.h"
#include "core/script/VariableTable.h"
#include "tests/support/DeviceRig.h"

namespace orvane::test {

// Answers command calls in expressions without a port: records each call text and replies from
// a queue (an empty optional means the user chose to stop); 0 once the queue is empty.
class FakeCommandCaller : public script::CommandCaller {
public:
    std::optional<double> CallInExpression(const std::string& callText) override {
        calls.push_back(callText);
        if (replies.empty()) return 0.0;
        const auto reply = replies.front();
        replies.pop_front();
        return reply;
    }
    std::deque<std::optional<double>> replies;
    std::vector<std::string> calls;
};

// The controller's side of commands mode: each frame is recorded and echoed with its checksum
// (one off for identifiers in `badEcho`), the confirmation gets the acknowledgement and the
// result bytes of that frame's identifier (none when not listed).
struct CommandAnswers {
    void Answer(const std::vector<std::uint8_t>& bytes, Wire& w) {
        if (awaiting && bytes == std::vector<std::uint8_t>{0x01}) {
            w.Reply({0x01});
            if (results.count(*awaiting)) w.ReplyBytes(results[*awaiting]);
            awaiting.reset();
            return;
        }
        frames.push_back(bytes);
        unsigned sum = bytes.empty() ? 0 : badEcho.count(bytes[0]);
        for (const auto b : bytes) sum += b;
        w.Reply({static_cast<std::uint8_t>(sum)});
        awaiting = bytes.empty() ? std::uint8_t{0} : bytes[0];
    }

    std::vector<std::vector<std::uint8_t>> frames;
    std::map<std::uint8_t, std::vector<std::uint8_t>> results;
    std::set<std::uint8_t> badEcho;
    std::optional<std::uint8_t> awaiting;
};

// Everything a script statement runs on, over a scripted wire and a fake clock: the objects the
// run loop owns, the engine wired to them, and an evaluator wired to a fake command caller.
struct ScriptRig : DeviceRig {
    explicit ScriptRig(std::string script = {}) : text(std::move(script)) { serial.OpenPort(0); }

    // Declares a variable (newest first, as Var: does) with a value.
    void Var(const std::string& name, double value) {
        variables.Declare(name);
        variables.Find(name)->value = value;
    }

    // Makes the wire answer like the controller in commands mode (see CommandAnswers).
    void AnswerLikeController(std::map<std::uint8_t, std::vector<std::uint8_t>> results = {}) {
        auto answers = std::make_shared<CommandAnswers>();
        answers->results = std::move(results);
        wire->responder = [answers](const std::vector<std::uint8_t>& bytes, Wire& w) { answers->Answer(bytes, w); };
    }

    host::TextBuffer text;
    script::StatementReader reader{text};
    script::VariableTable variables;
    commands::CommandTable commands;
    script::ScriptContext context{reader, variables, commands, serial, prompts, 0};
    script::ScriptEngine engine{context};
    FakeCommandCaller caller;
    script::ExpressionEvaluator evaluator{context, caller};
};

// A command definition with sized arguments of unit scaling.
inline commands::CommandDef MakeCommand(std::string name, std::uint8_t id,
                                        std::vector<std::int32_t> argSizes = {},
                                        std::int32_t resultSize = 0) {
    commands::CommandDef def;
    def.name = std::move(name);
    def.identifier = id;
    def.resultSize = resultSize;
    def.argumentCount = static_cast<std::int32_t>(argSizes.size());
    for (std::size_t i = 0; i < argSizes.size(); ++i) def.arguments[i].size = argSizes[i];
    return def;
}

}  // namespace orvane::test
