// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tools/ServoLink.h"

#include <algorithm>

#include "core/device/ControllerBytes.h"
#include "core/host/Cp1250.h"
#include "core/script/WireScaling.h"
#include "core/tools/ServoSettings.h"

namespace orvane::tools {

namespace {

constexpr int kPositionArgument = 4;  // the fifth argument carries the position's scaling

std::uint8_t ByteArgument(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 255)); }

std::uint8_t Sum(const std::vector<std::uint8_t>& bytes) {
    unsigned sum = 0;
    for (const auto b : bytes) sum += b;
    return static_cast<std::uint8_t>(sum);
}

}  // namespace

ServoLink::ServoLink(device::CSerialCtrl& serial, const commands::CommandTable& commands,
                     const host::SettingsStore& settings, host::Prompts& prompts)
    : serial_(serial), commands_(commands), settings_(settings), prompts_(prompts) {}

bool ServoLink::Open(const device::PortLoan& loan) {
    portIndex_ = loan.portIndex;
    const bool opened = serial_.OpenPort(portIndex_);
    serial_.SetBaud(loan.baud, portIndex_);
    return opened;
}

void ServoLink::Close() { serial_.ClosePort(portIndex_); }

std::string ServoLink::SetCommandName() const { return ServoSettings::SetCommand(settings_); }

const commands::CommandDef* ServoLink::SetCommand() const { return commands_.Find(SetCommandName()); }

const commands::CommandDef* ServoLink::ReadCommand() const {
    return commands_.Find(ServoSettings::ReadCommand(settings_));
}

std::optional<int> ServoLink::Read(int servo) {
    const commands::CommandDef* def = ReadCommand();
    if (def == nullptr) {
        return AskToGoOn("Komenda nie zdefiniowana! (WP3)", "Komenda niezdefiniowana!\n\nCzy kontynuować pracę?");
    }
    if (def->identifier == 0) return 0;
    int raw = 0;
    switch (ExchangeRead(*def, servo, raw)) {
        case Reply::BadEcho:
            return AskToGoOn("BŁĄD (WP2)", "Błąd wykonania komendy!\n\nCzy kontynuować pracę?");
        case Reply::NoAck:
            return AskToGoOn("BŁĄD (WP1)", "Błąd wykonania komendy!\n\nCzy kontynuować pracę?");
        case Reply::Ok:
            break;
    }
    // Scaled back as a script's command result is, so a divisor of 0 gives what a run gives.
    return script::WireScaling::ToInt32(script::WireScaling::ScaleResult(raw, *def));
}

ServoLink::Reply ServoLink::ExchangeRead(const commands::CommandDef& def, int servo, int& raw) {
    const std::vector<std::uint8_t> frame{def.identifier, ByteArgument(servo)};
    if (!Write(frame, true) || Await() != Sum(frame)) return Reply::BadEcho;
    if (!Write({device::controller::kConfirm}, false) || Await() != device::controller::kDone) {
        return Reply::NoAck;
    }
    const std::optional<std::uint8_t> high = Await();
    const std::optional<std::uint8_t> low = high ? Await() : std::nullopt;
    // A result byte that never came is a failed read, never half a position.
    if (!high || !low) return Reply::NoAck;
    raw = *high * 256 + *low;
    return Reply::Ok;
}

std::vector<std::uint8_t> ServoLink::SetFrame(const commands::CommandDef& def, const ServoMove& move) {
    const std::int32_t raw =
        script::WireScaling::ScaleArgument(move.position, def.arguments[kPositionArgument]);
    const auto bits = static_cast<std::uint32_t>(raw);
    return {def.identifier,          ByteArgument(move.servo),
            ByteArgument(move.step), ByteArgument(move.time),
            ByteArgument(move.soft), static_cast<std::uint8_t>(bits >> 8),
            static_cast<std::uint8_t>(bits)};
}

ServoLink::Reply ServoLink::Send(const commands::CommandDef& def, const ServoMove& move) {
    if (def.identifier == 0) return Reply::Ok;
    const std::vector<std::uint8_t> frame = SetFrame(def, move);
    if (!Write(frame, true) || Await() != Sum(frame)) return Reply::BadEcho;
    // After a wrong echo the frame is not confirmed: the controller drops it by itself.
    if (!Write({device::controller::kConfirm}, false) || Await() != device::controller::kDone) {
        return Reply::NoAck;
    }
    return Reply::Ok;
}

bool ServoLink::Write(const std::vector<std::uint8_t>& bytes, bool discardFirst) {
    if (discardFirst) serial_.DiscardInput(portIndex_);
    return serial_.WriteBytes(bytes.data(), static_cast<int>(bytes.size()), portIndex_);
}

std::optional<std::uint8_t> ServoLink::Await() { return serial_.ReadByteTimeout(portIndex_, kReplySeconds); }

std::optional<int> ServoLink::AskToGoOn(const char* caption, const char* text) {
    if (prompts_.AskYesNo(host::Pl(caption), host::Pl(text))) return 0;
    return std::nullopt;
}

}  // namespace orvane::tools
