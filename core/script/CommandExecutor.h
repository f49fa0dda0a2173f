// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/commands/CommandDef.h"
#include "core/script/CommandCaller.h"
#include "core/script/ScriptContext.h"

namespace orvane::script {

class ExpressionEvaluator;

// Sends device commands of the script to the controller: the frame in one write, then the
// checksum echo, the confirmation 0x01 and its acknowledgement, each reply awaited for
// kReplySeconds. Every failure asks whether to go on; the answer moves the reader on.
class CommandExecutor : public CommandCaller {
public:
    static constexpr int kReplySeconds = 3;
    // More result bytes than a double can use are not awaited: a definition with an absurd
    // result size would otherwise freeze the program for kReplySeconds per missing byte.
    static constexpr std::int32_t kMaxResultBytes = 8;

    CommandExecutor(ScriptContext& context, ExpressionEvaluator& evaluator)
        : context_(context), evaluator_(evaluator) {}

    // -1: the user chose to stop (the reader is at the end of the text); 0: done with no
    // result bytes to read, passed over after an error, or a command with identifier 0; n > 0:
    // done, the controller now sends n result bytes.
    std::int32_t ExecuteCommand(std::string_view callText);
    // The n-th argument (from 1) of the call, evaluated and truncated; 0 when absent.
    std::int32_t ArgumentValue(std::string_view callText, int n);
    // Reads n result bytes, at most kMaxResultBytes (most significant first, unsigned; a byte
    // that never comes adds nothing) and scales them by the command's result fields.
    double ReadCommandResult(std::string_view callText, std::int32_t n);

    std::optional<double> CallInExpression(const std::string& callText) override;

    // The bytes of the command's frame, each argument evaluated once; false when the user
    // chose to stop while an argument was evaluated.
    bool BuildFrame(const commands::CommandDef& def, std::string_view callText,
                    std::vector<std::uint8_t>& frame);

private:
    // A failed command: Yes passes over the statement (0), No ends the run (-1).
    std::int32_t AskToGoOn(const std::string& caption, const std::string& text);
    std::optional<std::uint8_t> AwaitByte();

    ScriptContext& context_;
    ExpressionEvaluator& evaluator_;
};

}  // namespace orvane::script
