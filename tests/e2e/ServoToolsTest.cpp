#include <gtest/gtest.h>

#include "core/tools/PositionTool.h"
#include "core/tools/SequenceTool.h"
#include "tests/support/SimLine.h"

namespace orvane::test {
namespace {

// The servo dialogs' side of the line against the virtual controller in Komendy mode.
struct SimServos : SimLine {
    SimServos() : SimLine(std::string(ORVANE_DATA_DIR) + "/Komendy.ini") {}
    tools::ServoLink link{serial, commands, settings, prompts};
};

Traffic Read(std::uint8_t servo, int position) {
    return Exchange({'R', servo}, {static_cast<std::uint8_t>('R' + servo)}) +
           Exchange({0x01}, {0x01, static_cast<std::uint8_t>(position >> 8), static_cast<std::uint8_t>(position)});
}

Traffic Set(std::vector<std::uint8_t> frame) {
    unsigned sum = 0;
    for (const auto b : frame) sum += b;
    return Exchange(frame, {static_cast<std::uint8_t>(sum)}) + Exchange({0x01}, {0x01});
}

const Traffic kEnterKomendy = Exchange({0xFE}, {0xFE});

TEST(ServoToolsE2E, PozycjaReadsMovesFollowsAndWritesItsLines) {
    SimServos run;
    ASSERT_TRUE(run.Start());
    tools::PositionTool tool(run.link, run.settings);
    ASSERT_EQ(tool.Open({0, 115200}), tools::ToolStep::Going);
    tool.SetFormula("S1=S2+2;");
    tool.SetCompute(true);
    tool.SetTime("2500");
    EXPECT_EQ(tool.MoveSlider(2, 1800), tools::ToolStep::Going);
    EXPECT_EQ(tool.SetEnabled(3, false), tools::ToolStep::Going);
    EXPECT_EQ(tool.Ok(), tools::ToolStep::Confirmed);
    EXPECT_TRUE(run.prompts.Boxes().empty());

    std::string lines;
    for (int servo = 1; servo <= 16; ++servo) {
        if (servo == 3) continue;
        const int position = servo == 1 ? 1802 : servo == 2 ? 1800 : 1500;
        lines += "ServoSet(" + std::to_string(servo) + ",0,2,0," + std::to_string(position) + ");\n";
    }
    EXPECT_EQ(tool.Result(), lines + "Wait(2500);\n");

    Traffic expected = kEnterKomendy;
    for (std::uint8_t servo = 1; servo <= 16; ++servo) expected = expected + Read(servo, 1500);
    expected = expected + Set({'S', 2, 0, 0, 0, 0x07, 0x08}) + Set({'S', 1, 0, 0, 0, 0x07, 0x0A}) +
               Set({'S', 3, 0, 1, 0, 0x05, 0xDC});
    EXPECT_EQ(run.StopAndTraffic(), expected);
}

TEST(ServoToolsE2E, SekwencjaSendsItsStepsAndPutsTheTriedServoBack) {
    SimServos run;
    ASSERT_TRUE(run.Start());
    tools::SequenceTool tool(run.link);
    ASSERT_EQ(tool.Open({0, 115200}), tools::ToolStep::Going);
    ASSERT_EQ(tool.Select(3), tools::ToolStep::Going);
    tool.MoveSlider(1600);
    tool.SetArguments("300", "5", "0");
    ASSERT_EQ(tool.Ok(), tools::ToolStep::Confirmed);
    EXPECT_EQ(tool.Result(), "ServoSet(3,255,5,0,1600);\n");

    ASSERT_EQ(tool.Open({0, 115200}), tools::ToolStep::Going);  // shown again: from the pause
    ASSERT_EQ(tool.Select(3), tools::ToolStep::Going);          // now at 1600
    tool.MoveSlider(2000);
    ASSERT_EQ(tool.Select(4), tools::ToolStep::Going);
    EXPECT_EQ(tool.End(), tools::ToolStep::Cancelled);
    EXPECT_TRUE(run.prompts.Boxes().empty());

    EXPECT_EQ(run.StopAndTraffic(), kEnterKomendy + Read(3, 1500) + Set({'S', 3, 255, 0, 10, 0x06, 0x40}) +
                                         Set({'S', 3, 255, 5, 0, 0x06, 0x40}) + Read(3, 1600) +
                                         Set({'S', 3, 255, 0, 10, 0x07, 0xD0}) + Set({'S', 3, 0, 2, 0, 0x06, 0x40}) +
                                         Read(4, 1500) + Set({'S', 4, 0, 2, 0, 0x05, 0xDC}));
}

}  // namespace
}  // namespace orvane::test
