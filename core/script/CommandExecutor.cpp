// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/script/CommandExecutor.h"

#include <algorithm>

#include "core/device/ControllerBytes.h"
#include "core/host/Cp1250.h"
#include "core/script/ExpressionEvaluator.h"
#include "core/script/MessageQuote.h"
#include "core/script/StatementPieces.h"
#include "core/script/WireScaling.h"

namespace orvane::script {

namespace controller = device::controller;

namespace {

std::uint8_t Checksum(const std::vector<std::uint8_t>& frame) {
    unsigned sum = 0;
    for (const auto byte : frame) sum += byte;
    return static_cast<std::uint8_t>(sum);
}

}  // namespace

std::int32_t CommandExecutor::ExecuteCommand(std::string_view callText) {
    ScriptContext::Scope scope(context_);
    const std::string call(callText);
    const auto* def = StatementPieces::CommandOf(call, context_.commands);
    if (def == nullptr) {
        return AskToGoOn(host::Pl("Komenda nie zdefiniowana! (WP3)"),
                         host::Pl("Komenda niezdefiniowana:  \"") + MessageQuote::Of(call) +
                             host::Pl("\"!\n\nCzy kontynuować pracę?"));
    }
    if (def->identifier == 0) return 0;

    std::vector<std::uint8_t> frame;
    if (!BuildFrame(*def, call, frame)) return -1;
    context_.serial.WriteBytes(frame.data(), static_cast<int>(frame.size()), context_.portIndex);

    const std::string failed = host::Pl("Błąd wykonania komendy:  ") + MessageQuote::Of(call) +
                               host::Pl("\n\nCzy kontynuować pracę?");
    if (AwaitByte() != Checksum(frame)) return AskToGoOn(host::Pl("BŁĄD (WP2)"), failed);

    context_.serial.WriteBytes(&controller::kConfirm, 1, context_.portIndex);
    if (AwaitByte() != controller::kDone) return AskToGoOn(host::Pl("BŁĄD (WP1)"), failed);

    return std::max<std::int32_t>(def->resultSize, 0);
}

bool CommandExecutor::BuildFrame(const commands::CommandDef& def, std::string_view callText,
                                 std::vector<std::uint8_t>& frame) {
    frame.assign(1, def.identifier);
    const int count = std::clamp<std::int32_t>(def.argumentCount, 0, commands::CommandDef::kMaxArguments);
    for (int k = 1; k <= count; ++k) {
        const auto& arg = def.arguments[static_cast<std::size_t>(k - 1)];
        if (arg.size < 1 || arg.size > 3) continue;  // no bytes: not evaluated either
        // One evaluation per argument, whatever its size: a command call in it is sent once.
        const std::int32_t value = ArgumentValue(callText, k);
        if (context_.stopped) return false;
        WireScaling::AppendBigEndian(WireScaling::ScaleArgument(value, arg), arg.size, frame);
    }
    return true;
}

std::int32_t CommandExecutor::ArgumentValue(std::string_view callText, int n) {
    ScriptContext::Scope scope(context_);
    const auto argument = StatementPieces::CutArgument(callText, n);
    if (!argument) return 0;
    return WireScaling::ToInt32(evaluator_.EvaluateExpression(*argument));
}

double CommandExecutor::ReadCommandResult(std::string_view callText, std::int32_t n) {
    double raw = 0.0;
    for (std::int32_t i = 0; i < std::min(n, kMaxResultBytes); ++i) {
        if (const auto reply = AwaitByte()) raw = raw * 256 + *reply;
    }
    const auto* def = StatementPieces::CommandOf(callText, context_.commands);
    return def == nullptr ? raw : WireScaling::ScaleResult(raw, *def);
}

std::optional<double> CommandExecutor::CallInExpression(const std::string& callText) {
    ScriptContext::Scope scope(context_);
    const std::int32_t resultSize = ExecuteCommand(callText);
    if (resultSize < 0) return std::nullopt;
    if (resultSize == 0) return 0.0;
    return ReadCommandResult(callText, resultSize);
}

std::int32_t CommandExecutor::AskToGoOn(const std::string& caption, const std::string& text) {
    auto& reader = context_.reader;
    if (context_.prompts.AskYesNo(caption, text)) {
        reader.Next();
        return 0;
    }
    reader.JumpToEnd();
    context_.stopped = true;
    return -1;
}

std::optional<std::uint8_t> CommandExecutor::AwaitByte() {
    return context_.serial.ReadByteTimeout(context_.portIndex, kReplySeconds);
}

}  // namespace orvane::script
