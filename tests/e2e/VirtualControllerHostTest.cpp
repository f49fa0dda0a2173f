#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "core/device/HexFile.h"
#include "core/host/AtomicFile.h"
#include "sim/FlashFile.h"
#include "sim/SimOptions.h"
#include "sim/TrafficLog.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/SimProcess.h"

namespace orvane::test {
namespace {

struct OptionRow {
    std::vector<std::string> args;
    bool valid;
};

class SimOptionsTest : public ::testing::TestWithParam<OptionRow> {};

TEST_P(SimOptionsTest, RefusesWhatCannotBeRun) {
    sim::SimOptions options;
    std::string error;
    EXPECT_EQ(sim::SimOptions::Parse(GetParam().args, options, error), GetParam().valid)
        << (GetParam().args.empty() ? "" : GetParam().args[0]);
    EXPECT_EQ(error.empty(), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, SimOptionsTest,
    ::testing::Values(OptionRow{{}, true}, OptionRow{{"--baud", "57600"}, true},
                      OptionRow{{"--baud=230400"}, true}, OptionRow{{"--baud", "12345"}, false},
                      OptionRow{{"--baud", "115200x"}, false},
                      OptionRow{{"--params", "0x00,255"}, true}, OptionRow{{"--params", "0,256"}, false},
                      OptionRow{{"--params", "7"}, false}, OptionRow{{"--version", "52"}, true},
                      OptionRow{{"--version", "5"}, false}, OptionRow{{"--fault", "drop:3", "--fault", "silent"}, true},
                      OptionRow{{"--fault", "nonsense"}, false}, OptionRow{{"--log"}, false},
                      OptionRow{{"stray"}, false}, OptionRow{{"--colour", "red"}, false}));

TEST(VirtualControllerHostTest, OptionsReachTheirFields) {
    sim::SimOptions o;
    std::string error;
    ASSERT_TRUE(sim::SimOptions::Parse({"--params", "0x00,0xFF", "--version", "52", "--baud", "9600",
                                        "--fault", "corrupt:4", "--link=/tmp/x"},
                                       o, error));
    EXPECT_EQ(o.p1, 0x00);
    EXPECT_EQ(o.p2, 0xFF);
    EXPECT_EQ(o.version, "52");
    EXPECT_EQ(o.baud, 9600);
    EXPECT_EQ(o.faults.corruptNth, 4);
    EXPECT_EQ(o.linkPath, "/tmp/x");
}

class FlashFileTest : public ::testing::Test {
protected:
    void TearDown() override { std::filesystem::remove_all(folder_); }
    std::string Path(const char* name) const { return folder_ + "/" + name; }

    std::string folder_ = [] {
        char name[] = "/tmp/orvane-flash-XXXXXX";
        return std::string(::mkdtemp(name));
    }();
    ScriptedPrompts prompts_;
};

TEST_F(FlashFileTest, SavedImageReadsBackWholeAcrossBothAreasAndGaps) {
    device::FlashImage image;
    image[0x0000] = 0x00;
    image[0x06FF] = 0x12;
    image[0x0700] = 0x34;
    image[0x1000] = 0x56;  // after a long gap, which the Program file format would stop at
    image[0x1EFF] = 0x78;
    std::string error;
    ASSERT_TRUE(sim::FlashFile::Save(Path("f.hex"), image, error)) << error;

    device::FlashImage back;
    back[5] = 0;  // must be erased by the load
    ASSERT_TRUE(sim::FlashFile::Load(Path("f.hex"), back, prompts_, error)) << error;
    EXPECT_EQ(back, image);
}

TEST_F(FlashFileTest, MissingFileGivesErasedFlashAndBadFileIsRefused) {
    device::FlashImage image;
    image[3] = 3;
    std::string error;
    EXPECT_TRUE(sim::FlashFile::Load(Path("none.hex"), image, prompts_, error));
    EXPECT_EQ(image, device::FlashImage{});

    ASSERT_TRUE(host::AtomicFile::Write(Path("bad.hex"), ":0400000001020304F1\r\n"));
    EXPECT_FALSE(sim::FlashFile::Load(Path("bad.hex"), image, prompts_, error));
    EXPECT_NE(error.find("bad.hex"), std::string::npos);

    ASSERT_TRUE(host::AtomicFile::Write(Path("top.hex"), ":021F0000AABB70\r\n:00000001FF\r\n"));
    EXPECT_FALSE(sim::FlashFile::Load(Path("top.hex"), image, prompts_, error));
    EXPECT_EQ(prompts_.Boxes().size(), 1u) << "the reader says why";
}

TEST_F(FlashFileTest, TrafficLogLinesParseBackToWhatCrossedTheLine) {
    sim::TrafficLog log;
    std::string error;
    ASSERT_TRUE(log.Open(Path("t.log"), error));
    log.Note(1, "start");
    log.Received(12'345'678, 0x00, true, 115200, 115200);
    log.Received(12'400'000, 0xFE, false, 19200, 115200);
    log.Sent(12'345'702, sim::OutByte{0, 0xFF, 0xFF, sim::Fate::Sent});
    log.Sent(13'000'000, sim::OutByte{0, 0x12, 0x12, sim::Fate::Dropped});
    log.Sent(13'000'001, sim::OutByte{0, 0xA5, 0x5A, sim::Fate::Corrupted});
    log.LineFull(14'000'000, 0x77);

    std::string text;
    ASSERT_TRUE(host::AtomicFile::Read(Path("t.log"), text));
    EXPECT_NE(text.find("12.345678 RX 00\n"), std::string::npos);
    EXPECT_NE(text.find("12.345702 TX FF\n"), std::string::npos);
    const auto traffic = SimProcess::ParseTraffic(text);
    const std::vector<std::pair<char, std::uint8_t>> expected{{'R', 0x00}, {'T', 0xFF}, {'T', 0xA5}};
    EXPECT_EQ(traffic, expected);
}

}  // namespace
}  // namespace orvane::test
