// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/commands/CommandTable.h"
#include "core/device/DeviceLink.h"
#include "core/device/SerialCtrl.h"
#include "core/host/Prompts.h"
#include "core/host/SettingsStore.h"

namespace orvane::tools {

// One move of a servo: the set command's servo number, the three byte arguments (each sent
// clamped to 0..255) and the position in the units of the position commands.
struct ServoMove {
    int servo = 1;
    int step = 0;
    int time = 0;
    int soft = 0;
    int position = 0;
};

// The servo dialogs' own conversation with the controller in Komendy mode, on the port they
// borrow: the position read and set of the commands named in the settings, with their fixed
// frames (the table gives only the identifier and the scaling). Every reply byte is awaited
// for kReplySeconds.
class ServoLink {
public:
    static constexpr int kReplySeconds = 3;
    enum class Reply { Ok, BadEcho, NoAck };

    ServoLink(device::CSerialCtrl& serial, const commands::CommandTable& commands,
              const host::SettingsStore& settings, host::Prompts& prompts);

    // Opens the borrowed port at its index and speed; false when it could not be opened.
    bool Open(const device::PortLoan& loan);
    void Close();

    // The set and read commands named in the settings, or null when the table lacks them.
    std::string SetCommandName() const;
    const commands::CommandDef* SetCommand() const;
    const commands::CommandDef* ReadCommand() const;

    // Reads servo n, asking on every failure whether to go on: the position (0 after a failure
    // the user passed over, or for a command with identifier 0), or nothing when they chose
    // to stop.
    std::optional<int> Read(int servo);

    // The exchange of a set frame (seven bytes). A command with identifier 0 sends nothing and
    // counts as done.
    Reply Send(const commands::CommandDef& def, const ServoMove& move);

    host::Prompts& Prompts() { return prompts_; }

private:
    static std::vector<std::uint8_t> SetFrame(const commands::CommandDef& def, const ServoMove& move);
    // Stale bytes (a late reply to an exchange that timed out) never pass for this one's echo.
    bool Write(const std::vector<std::uint8_t>& bytes, bool discardFirst);
    std::optional<std::uint8_t> Await();
    // The exchange of a read frame: the raw two result bytes, or the reply that failed.
    Reply ExchangeRead(const commands::CommandDef& def, int servo, int& raw);
    // Yes: go on with 0; No: stop.
    std::optional<int> AskToGoOn(const char* caption, const char* text);

    device::CSerialCtrl& serial_;
    const commands::CommandTable& commands_;
    const host::SettingsStore& settings_;
    host::Prompts& prompts_;
    int portIndex_ = 0;
};

}  // namespace orvane::tools
