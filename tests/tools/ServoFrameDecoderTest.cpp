// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <stdexcept>

#include "core/commands/CommandFile.h"
#include "core/host/Cp1250.h"
#include "core/host/MemorySettings.h"
#include "core/tools/ServoFrameDecoder.h"

namespace orvane::test {
namespace {

using Position = tools::ServoFrameDecoder::Position;

// The window's servo view follows the writes of the dialogs through the decoder (driven there).
struct DecoderRig {
    DecoderRig() { commands::CommandFile::ReadFile(std::string(ORVANE_DATA_DIR) + "/Komendy.ini", commands, nullptr); }
    std::optional<Position> Decode(std::vector<std::uint8_t> frame) const { return decoder.Decode(frame); }
    commands::CommandDef& Set() {
        for (auto& def : commands.NewestFirst()) {
            if (def.name == "ServoSet") return def;
        }
        throw std::runtime_error("no ServoSet");
    }

    commands::CommandTable commands;
    host::MemorySettings settings;
    std::vector<Position> heard;
    tools::ServoFrameDecoder decoder{commands, settings, [this](const Position& p) { heard.push_back(p); }};
};

TEST(ServoFrameDecoder, KnowsTheSetFramesOfBothPositionCommandsAndNothingElse) {
    DecoderRig rig;
    struct Row {
        std::vector<std::uint8_t> frame;
        std::optional<Position> position;
    };
    const Row rows[] = {
        {{'S', 3, 0, 0, 0, 0x05, 0xDC}, Position{3, 1500}},
        {{'S', 16, 255, 9, 10, 0x00, 0x00}, Position{16, 0}},          // switched off
        {{'s', 2, 0, 0, 0, 0x05, 0x78}, Position{2, 1400}},            // 72 degrees, on the wire in units
        {{'S', 17, 0, 0, 0, 0x05, 0xDC}, std::nullopt},                // no such servo
        {{'S', 3, 0, 0, 0, 0x05}, std::nullopt},                       // cut short
        {{'R', 3}, std::nullopt},                                      // a read
    };
    for (const Row& row : rows) EXPECT_EQ(rig.Decode(row.frame), row.position) << int(row.frame[0]);

    // Scaled units: the position is the value the script or the dialog gave.
    auto& position = rig.Set().arguments[4];
    position.multiplier = 2;
    position.constant = 100;
    EXPECT_EQ(rig.Decode({'S', 1, 0, 0, 0, 0x0B, 0xB8}), (Position{1, 1450}));  // 3000 = 1450 * 2 + 100
    position.multiplier = 0;
    EXPECT_EQ(rig.Decode({'S', 1, 0, 0, 0, 0x0B, 0xB8}), std::nullopt);

    // The command named in the settings is the one followed.
    rig.settings.WriteString(host::Pl("Komenda ustalająca pozycję serw w ms"), "LedSet");
    EXPECT_EQ(rig.Decode({'S', 3, 0, 0, 0, 0x05, 0xDC}), std::nullopt);
}

TEST(ServoFrameDecoder, ADialogsFixedFrameIsKnownWhateverTheDefinitionsSizes) {
    DecoderRig rig;
    commands::CommandDef& set = rig.Set();
    set.argumentCount = 2;  // a firmware whose command takes the servo and a 2-byte position
    set.arguments[1].size = 2;
    EXPECT_EQ(rig.Decode({'S', 4, 0x07, 0xD0}), std::nullopt);  // no fifth argument to scale by
    EXPECT_EQ(rig.Decode({'S', 4, 0, 0, 0, 0x07, 0xD0}), (Position{4, 2000}));
    rig.decoder.Written(std::vector<std::uint8_t>{'S', 4, 0, 0, 0, 0x07, 0xD0});
    EXPECT_EQ(rig.heard, std::vector<Position>{(Position{4, 2000})});
}

}  // namespace
}  // namespace orvane::test
