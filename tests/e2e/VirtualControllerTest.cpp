#include <gtest/gtest.h>

#include "core/device/BaudRates.h"
#include "tests/e2e/VirtualControllerHarness.h"

namespace orvane::test {
namespace {

using sim::Mode;

// Brings a fresh controller (starting in System) into `mode` the way the PC does.
void Reach(Bench& bench, Mode mode) {
    if (mode == Mode::Komendy) bench.Send({0xFE});
    if (mode == Mode::Program) bench.Send({0xFD});
    if (mode == Mode::BootLoader) bench.Send({0xF0});
    ASSERT_EQ(bench.vc->CurrentMode(), mode);
}

struct RequestRow {
    const char* what;
    Mode from;
    Bytes request;
    Bytes reply;
    Mode after;
};

class RequestTest : public ::testing::TestWithParam<RequestRow> {};

TEST_P(RequestTest, RepliesAndMovesAsTheControllerDoes) {
    const RequestRow& row = GetParam();
    Bench bench;
    Reach(bench, row.from);
    EXPECT_EQ(bench.SendVector(row.request), row.reply) << row.what;
    EXPECT_EQ(bench.vc->CurrentMode(), row.after) << row.what;
}

INSTANTIATE_TEST_SUITE_P(
    EveryMode, RequestTest,
    ::testing::Values(
        RequestRow{"System query", Mode::System, {0x00}, {0xFF}, Mode::System},
        RequestRow{"System to System", Mode::System, {0xFF}, {0xFF}, Mode::System},
        RequestRow{"to Komendy", Mode::System, {0xFE}, {0xFE}, Mode::Komendy},
        RequestRow{"to Program, no answer", Mode::System, {0xFD}, {}, Mode::Program},
        RequestRow{"to BootLoader", Mode::System, {0xF0}, {0xF0}, Mode::BootLoader},
        RequestRow{"parameters", Mode::System, {0x01}, {0xFF, 0x00}, Mode::System},
        RequestRow{"parameters stored, no answer", Mode::System, {0x02, 0x00, 0xFF, 0x01}, {0x00, 0xFF}, Mode::System},
        RequestRow{"version", Mode::System, {0x76}, {'3', '1'}, Mode::System},
        RequestRow{"unknown System request", Mode::System, {0x33, 0x00}, {0xFF}, Mode::System},
        RequestRow{"speed code outside BootLoader", Mode::System, {0x0A, 0x00}, {0xFF}, Mode::System},
        RequestRow{"Komendy query", Mode::Komendy, {0x00}, {0xFE}, Mode::Komendy},
        RequestRow{"Komendy to System", Mode::Komendy, {0xFF}, {0xFF}, Mode::System},
        RequestRow{"unknown identifier ignored", Mode::Komendy, {0x7E, 0x00}, {0xFE}, Mode::Komendy},
        RequestRow{"Program query", Mode::Program, {0x00}, {0x00}, Mode::Program},
        RequestRow{"Program to System", Mode::Program, {0xFF}, {0xFF}, Mode::System},
        RequestRow{"Program echoes free bytes", Mode::Program, {0x42, 0xFE, 0xF0, 0x01}, {0x42, 0xFE, 0xF0, 0x01}, Mode::Program},
        RequestRow{"BootLoader query", Mode::BootLoader, {0x00}, {0xF0}, Mode::BootLoader},
        RequestRow{"BootLoader to System", Mode::BootLoader, {0xFF}, {0xFF}, Mode::System},
        RequestRow{"BootLoader to BootLoader", Mode::BootLoader, {0xF0}, {0xF0}, Mode::BootLoader},
        RequestRow{"erase System", Mode::BootLoader, {'E'}, {0x01}, Mode::BootLoader},
        RequestRow{"erase Program", Mode::BootLoader, {'e'}, {0x01}, Mode::BootLoader},
        RequestRow{"no version in BootLoader", Mode::BootLoader, {0x76}, {}, Mode::BootLoader},
        RequestRow{"speed code takes its byte", Mode::BootLoader, {0x0A, 0x05}, {}, Mode::BootLoader}));

struct StartRow {
    std::uint8_t p1, p2;
    Mode mode;
};

class StartModeTest : public ::testing::TestWithParam<StartRow> {};

TEST_P(StartModeTest, DeviceParametersChooseThePowerUpMode) {
    auto setup = Bench::Setup();
    setup.p1 = GetParam().p1;
    setup.p2 = GetParam().p2;
    Bench bench(std::move(setup));
    EXPECT_EQ(bench.vc->CurrentMode(), GetParam().mode);
    EXPECT_EQ(bench.Send({0x00}), Bytes{static_cast<std::uint8_t>(GetParam().mode)});
}

INSTANTIATE_TEST_SUITE_P(Parameters, StartModeTest,
                         ::testing::Values(StartRow{0x00, 0x00, Mode::Program}, StartRow{0x00, 0xFF, Mode::Program},
                                           StartRow{0xFF, 0xFF, Mode::Komendy}, StartRow{0x01, 0xFF, Mode::Komendy},
                                           StartRow{0xFF, 0x00, Mode::System}, StartRow{0xFF, 0x01, Mode::System}));

TEST(VirtualControllerTest, EverySpeedCodeSelectsItsRate) {
    for (const auto& entry : device::BaudRates::All()) {
        EXPECT_EQ(sim::VirtualController::RateOfSpeedCode(static_cast<std::uint8_t>(entry.speedCode)),
                  entry.rate)
            << entry.text;
    }
}

TEST(VirtualControllerTest, AnswersOnlyAtItsOwnSpeedAndFollowsASpeedChange) {
    Bench bench;
    // Noise at the wrong speed changes nothing, not even the mode.
    EXPECT_EQ(bench.SendVector({0xF0}, 19200), Bytes{});
    EXPECT_FALSE(bench.vc->Receive(0x00, 57600, bench.nowMs));
    EXPECT_EQ(bench.vc->CurrentMode(), Mode::System);

    Reach(bench, Mode::BootLoader);
    EXPECT_EQ(bench.Send({0x0A, 11}), Bytes{});
    EXPECT_EQ(bench.vc->Baud(), 57600);
    EXPECT_EQ(bench.SendVector({0x00}, 115200), Bytes{});
    EXPECT_EQ(bench.SendVector({0x00}, 57600), Bytes{0xF0});
}

TEST(VirtualControllerTest, EraseWriteAndReadOutKeepTheAreasApart) {
    auto setup = Bench::Setup();
    for (int a = 0; a < device::FlashImage::kSize; ++a) setup.flash[a] = static_cast<std::uint8_t>(a);
    Bench bench(std::move(setup));
    Reach(bench, Mode::BootLoader);

    EXPECT_EQ(bench.Send({'E'}), Bytes{1});
    EXPECT_EQ(bench.vc->Flash()[0x06FF], 0xFF);
    EXPECT_EQ(bench.vc->Flash()[0x0700], 0x00);
    EXPECT_EQ(bench.Send({'e'}), Bytes{1});
    EXPECT_EQ(bench.vc->Flash()[0x1EFF], 0xFF);
    EXPECT_EQ(bench.vc->Flash()[0x1F00], 0x00) << "the boot loader never erases itself";

    // Page data are data: 0x00 and 0xFF inside a page are no requests.
    Bytes page{'w', 0x07, 0x40};
    for (int i = 0; i < 64; ++i) page.push_back(i % 2 ? 0xFF : 0x00);
    page.back() = 0x5A;
    EXPECT_EQ(bench.SendVector(page), Bytes{1});
    EXPECT_EQ(bench.vc->CurrentMode(), Mode::BootLoader);

    const Bytes program = bench.Send({'r'});
    ASSERT_EQ(program.size(), 0x1F00u - 0x0700u);
    EXPECT_EQ(program[0x40], 0x00);
    EXPECT_EQ(program[0x41], 0xFF);
    EXPECT_EQ(program[0x7F], 0x5A);
    EXPECT_EQ(program[0x80], 0xFF);
    EXPECT_EQ(bench.Send({'R'}), Bytes(0x0700, 0xFF));
}

struct PageRow {
    std::uint8_t high, low;
    std::uint8_t reply;
};

class PageAddressTest : public ::testing::TestWithParam<PageRow> {};

TEST_P(PageAddressTest, OnlyWholePagesBelowTheBootLoaderAreWritten) {
    Bench bench;
    Reach(bench, Mode::BootLoader);
    Bytes request{'w', GetParam().high, GetParam().low};
    request.resize(3 + 64, 0x11);
    EXPECT_EQ(bench.SendVector(request), Bytes{GetParam().reply});
    const int address = GetParam().high * 256 + GetParam().low;
    if (address < device::FlashImage::kSize) {
        EXPECT_EQ(bench.vc->Flash()[address], GetParam().reply ? 0x11 : 0xFF);
    }
}

INSTANTIATE_TEST_SUITE_P(Addresses, PageAddressTest,
                         ::testing::Values(PageRow{0x00, 0x00, 1}, PageRow{0x1E, 0xC0, 1},
                                           PageRow{0x1F, 0x00, 0}, PageRow{0x07, 0x20, 0},
                                           PageRow{0xFF, 0xC0, 0}));

TEST(VirtualControllerTest, AHalfSentRequestIsDroppedAfterASecondOfSilence) {
    Bench bench;
    Reach(bench, Mode::BootLoader);
    bench.Send({'w', 0x07, 0x00, 0x12});
    bench.Wait(1001);
    EXPECT_EQ(bench.Send({0x00}), Bytes{0xF0});
    EXPECT_EQ(bench.vc->Flash()[0x0700], 0xFF);

    // Within the second the same byte is still page data.
    bench.Send({'w', 0x07, 0x00, 0x12});
    bench.Wait(900);
    EXPECT_EQ(bench.Send({0x00}), Bytes{});
}

}  // namespace
}  // namespace orvane::test
