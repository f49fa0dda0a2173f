// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <tuple>

#include "sim/VirtualController.h"

namespace orvane::test {
namespace {

using sim::Mode;

// A command definition with the given identifier, routine, argument sizes and result size.
commands::CommandDef Command(const char* name, const char* asmName, std::uint8_t id,
                                    std::initializer_list<int> argSizes, int resultSize) {
    commands::CommandDef def;
    def.name = name;
    def.asmName = asmName;
    def.identifier = id;
    def.resultSize = resultSize;
    for (const int size : argSizes) def.arguments[static_cast<std::size_t>(def.argumentCount++)].size = size;
    return def;
}

// The commands the tests talk to: the servo pair, the digital outputs, an analog input.
commands::CommandTable TestCommands() {
    commands::CommandTable table;
    table.AddNewest(Command("ServoSet", "ServoS", 'S', {1, 1, 1, 1, 2}, 0));
    table.AddNewest(Command("ServoRead", "ServoR", 'R', {1}, 2));
    table.AddNewest(Command("DigitalSet", "DOS", 'D', {1, 1}, 0));
    table.AddNewest(Command("DigitalGet", "DOG", 'd', {1}, 1));
    table.AddNewest(Command("DigitalGetAll", "DOxG", 'x', {}, 1));
    table.AddNewest(Command("AnalogRead", "AIxR", 'A', {1}, 2));
    table.AddNewest(Command("Wide", "Unknown", 0x80, {1, 1}, 3));
    table.AddNewest(Command("Odd", "Unknown", 0x21, {1, 4, 0}, 0));
    return table;
}

// Drives a controller byte by byte on its own clock; the replies that reach the line.
using Bytes = std::vector<std::uint8_t>;

class Bench {
public:
    explicit Bench(sim::ControllerSetup setup = Setup())
        : vc(std::make_unique<sim::VirtualController>(std::move(setup))) {}

    static sim::ControllerSetup Setup() {
        sim::ControllerSetup setup;
        setup.commands = TestCommands();
        return setup;
    }

    // Sends the bytes at the controller's speed, 1 ms apart; the bytes sent back (by now).
    Bytes Send(const Bytes& bytes, int baud = 0) {
        for (const std::uint8_t b : bytes) {
            vc->Receive(b, baud ? baud : vc->Baud(), nowMs);
            ++nowMs;
        }
        return Take();
    }
    Bytes Take() {
        Bytes out;
        for (const auto& o : vc->TakeOutput(nowMs)) {
            if (o.fate != sim::Fate::Dropped) out.push_back(o.byte);
        }
        return out;
    }
    void Wait(std::int64_t ms) { nowMs += ms; }

    std::unique_ptr<sim::VirtualController> vc;
    std::int64_t nowMs = 10'000;
};

// Brings a fresh controller (starting in System) into `mode` the way the PC does.
void Reach(Bench& bench, Mode mode) {
    if (mode == Mode::Komendy) bench.Send({0xFE});
    if (mode == Mode::Program) bench.Send({0xFD});
    if (mode == Mode::BootLoader) bench.Send({0xF0});
    ASSERT_EQ(bench.vc->CurrentMode(), mode);
}

// The mode switches themselves are driven through orvane-cli; these are the requests it never sends.
TEST(VirtualControllerTest, RepliesAndMovesAsTheControllerDoes) {
    const struct { const char* what; Mode from; Bytes request, reply; } rows[] = {
        {"unknown System request", Mode::System, {0x33, 0x00}, {0xFF}},
        {"speed code outside BootLoader", Mode::System, {0x0A, 0x00}, {0xFF}},
        {"unknown identifier ignored", Mode::Komendy, {0x7E, 0x00}, {0xFE}},
        {"Program echoes free bytes", Mode::Program, {0x42, 0xFE, 0xF0, 0x01}, {0x42, 0xFE, 0xF0, 0x01}},
        {"no version in BootLoader", Mode::BootLoader, {0x76}, {}},
        {"speed code takes its byte", Mode::BootLoader, {0x0A, 0x05}, {}},
    };
    for (const auto& row : rows) {
        Bench bench;
        Reach(bench, row.from);
        EXPECT_EQ(bench.Send(row.request), row.reply) << row.what;
        EXPECT_EQ(bench.vc->CurrentMode(), row.from) << row.what;
    }
}

TEST(VirtualControllerTest, DeviceParametersChooseThePowerUpMode) {
    const std::tuple<int, int, Mode> rows[] = {
        {0x00, 0xFF, Mode::Program}, {0x01, 0xFF, Mode::Komendy}, {0xFF, 0xFE, Mode::System}};
    for (const auto& [p1, p2, mode] : rows) {
        auto setup = Bench::Setup();
        setup.p1 = static_cast<std::uint8_t>(p1);
        setup.p2 = static_cast<std::uint8_t>(p2);
        EXPECT_EQ(Bench(std::move(setup)).Send({0x00}), Bytes{static_cast<std::uint8_t>(mode)}) << p1 << "," << p2;
    }
}

// The areas' erase and read-out are driven end to end through orvane-cli; what those runs
// cannot see is the boot loader's own page and page data that look like requests.
TEST(VirtualControllerTest, TheBootLoaderNeverErasesItselfAndPageDataAreNoRequests) {
    auto setup = Bench::Setup();
    setup.flash[0x1F00] = 0x42;
    Bench bench(std::move(setup));
    Reach(bench, Mode::BootLoader);
    EXPECT_EQ(bench.Send({'e'}), Bytes{1});
    EXPECT_EQ(bench.vc->Flash()[0x1F00], 0x42);

    Bytes page{'w', 0x07, 0x40};
    for (int i = 0; i < 64; ++i) page.push_back(i % 2 ? 0xFF : 0x00);
    page.back() = 0x5A;
    EXPECT_EQ(bench.Send(page), Bytes{1});
    EXPECT_EQ(bench.vc->CurrentMode(), Mode::BootLoader);
    const Bytes program = bench.Send({'r'});
    ASSERT_EQ(program.size(), 0x1F00u - 0x0700u);
    EXPECT_EQ(Bytes(program.begin() + 0x40, program.begin() + 0x42), (Bytes{0x00, 0xFF}));
    EXPECT_EQ(program[0x7F], 0x5A);
}

TEST(VirtualControllerTest, OnlyWholePagesBelowTheBootLoaderAreWritten) {
    const std::tuple<std::uint8_t, std::uint8_t, std::uint8_t> rows[] = {
        {0x1E, 0xC0, 1}, {0x1F, 0x00, 0}, {0x07, 0x20, 0}, {0xFF, 0xC0, 0}};
    for (const auto& [high, low, reply] : rows) {
        Bench bench;
        Reach(bench, Mode::BootLoader);
        Bytes request{'w', high, low};
        request.resize(3 + 64, 0x11);
        EXPECT_EQ(bench.Send(request), Bytes{reply}) << int{high} << ":" << int{low};
        const int address = high * 256 + low;
        if (address < device::FlashImage::kSize) {
            EXPECT_EQ(bench.vc->Flash()[address], reply ? 0x11 : 0xFF);
        }
    }
}

TEST(VirtualControllerTest, EchoesTheChecksumOnceTheFrameIsWhole) {
    const std::pair<Bytes, std::uint8_t> rows[] = {{{0x80, 0x90, 0xA0}, 0xB0},  // a sum above 255
                                                   {{'D', 0x00, 0xFF}, 0x43}};  // mode bytes as arguments
    for (const auto& [frame, echo] : rows) {
        Bench bench;
        Reach(bench, Mode::Komendy);
        EXPECT_EQ(bench.Send(Bytes(frame.begin(), frame.end() - 1)), Bytes{}) << "no echo before the last byte";
        EXPECT_EQ(bench.Send({frame.back()}), Bytes{echo}) << int{frame[0]};
        EXPECT_EQ(bench.Send({0x01}).front(), 0x01);
    }
}

TEST(VirtualControllerTest, OtherCommandsStayPlausible) {
    Bench bench;
    Reach(bench, Mode::Komendy);
    auto call = [&](Bytes frame) {
        bench.Send(frame);
        return bench.Send({0x01});
    };
    EXPECT_EQ(call({'D', 2, 1}), Bytes{1});
    EXPECT_EQ(call({'d', 2}), (Bytes{1, 1}));
    EXPECT_EQ(call({'d', 3}), (Bytes{1, 0}));
    EXPECT_EQ(call({'x'}), (Bytes{1, 0x04}));
    EXPECT_EQ(call({'A', 0}), (Bytes{1, 0x02, 0x00})) << "analog inputs read mid-scale";
    EXPECT_EQ(call({0x80, 1, 2}), (Bytes{1, 0, 0, 0})) << "a three-byte result, unknown routine";
    EXPECT_EQ(call({0x21, 9}), Bytes{1}) << "sizes other than 1..3 carry no byte";
}

TEST(VirtualControllerTest, AHalfSentRequestIsDroppedAfterASecondOfSilence) {
    for (const auto& [mode, partial] : {std::pair{Mode::Komendy, Bytes{'S', 1, 0}},
                                        std::pair{Mode::BootLoader, Bytes{'w', 0x07, 0x00, 0x12}}}) {
        for (const int waitMs : {900, 1001}) {
            Bench bench;
            Reach(bench, mode);
            bench.Send(partial);
            bench.Wait(waitMs);
            const Bytes dropped{static_cast<std::uint8_t>(mode)};  // the byte is a mode query again
            EXPECT_EQ(bench.Send({0x00}), waitMs > 1000 ? dropped : Bytes{}) << "within the second it is still data";
        }
    }
}

Bench WithFaults(std::initializer_list<const char*> faults, std::uint8_t p2 = 0x00,
                 sim::ControllerSetup setup = Bench::Setup()) {
    setup.p2 = p2;
    std::string error;
    for (const char* fault : faults) EXPECT_TRUE(setup.faults.Add(fault, error)) << fault << ": " << error;
    return Bench(std::move(setup));
}

TEST(VirtualControllerTest, OutputFaultsChangeOnlyWhatReachesTheLine) {
    const std::pair<const char*, Bytes> rows[] = {
        {"drop:2", {'3', 0xFF}}, {"corrupt:1", {'3' ^ 0xFF, '1', 0xFF}}, {"silent-after:1", {'3', '1'}}, {"silent-after:0", {}}};
    for (const auto& [fault, reply] : rows) EXPECT_EQ(WithFaults({fault}).Send({0x76, 0x00}), reply) << fault;
    Bench silenced = WithFaults({"silent"});
    silenced.Send({0xFE});
    EXPECT_EQ(silenced.vc->CurrentMode(), sim::Mode::Komendy) << "deaf line, working controller";
    EXPECT_TRUE(silenced.vc->TakeOutput(silenced.nowMs).empty());
}

TEST(VirtualControllerTest, CommandFaultsSpoilEchoOrAcknowledgement) {
    Bench echo = WithFaults({"corrupt-echo"}, 0xFF);
    EXPECT_EQ(echo.Send({'R', 1}), Bytes{static_cast<std::uint8_t>(('R' + 1) ^ 0xFF)});
    EXPECT_EQ(echo.Send({'x'}), Bytes{static_cast<std::uint8_t>('x' ^ 0xFF)}) << "every echo";

    Bench ack = WithFaults({"bad-ack"}, 0xFF);
    ack.Send({'S', 2, 0, 0, 0, 0x03, 0xE8});
    EXPECT_EQ(ack.Send({0x01}), Bytes{0x00});
    EXPECT_EQ(ack.vc->Board().ServoPosition(2), simchip::BoardState::kServoRest) << "refused, not done";
}

// A restart forgets the request under way and comes back, silently, in the power-up mode, where
// the bytes after it mean what they mean there.
TEST(VirtualControllerTest, AResetStartsAgainInThePowerUpModeAfterExactlyItsByteCount) {
    const struct { const char* what; std::uint8_t p2; Mode from; Bytes bytes; int resetAfter; Bytes reply; Mode mode; } rows[] = {
        {"half a frame", 0x00, Mode::Komendy, {'S', 1, 0, 0x00}, 4, {0xFF}, Mode::System},
        {"Komendy at power-up", 0xFF, Mode::Komendy, {'S', 1, 0x00}, 3, {0xFE}, Mode::Komendy},
        {"half a page", 0x00, Mode::BootLoader, {'w', 0x07, 0x00}, 3, {0xFF}, Mode::System},
        {"half the parameters", 0x00, Mode::System, {0x02, 0x00, 0x01}, 2, {0xFF, 0x00}, Mode::System},
    };
    for (const auto& row : rows) {
        const std::string fault = "reset-after:" + std::to_string(row.resetAfter);
        Bench bench = WithFaults({fault.c_str()}, row.p2);
        Reach(bench, row.from);
        EXPECT_EQ(bench.Send(row.bytes), row.reply) << row.what;
        EXPECT_EQ(bench.vc->CurrentMode(), row.mode) << row.what;
    }
}

TEST(VirtualControllerTest, DelayHoldsRepliesBack) {
    Bench bench = WithFaults({"delay:700"});
    EXPECT_EQ(bench.Send({0x00}), Bytes{});
    ASSERT_TRUE(bench.vc->NextOutputMs().has_value());
    EXPECT_EQ(*bench.vc->NextOutputMs(), bench.nowMs - 1 + 700);
    bench.Wait(699);
    EXPECT_EQ(bench.Take(), Bytes{0xFF});
}

TEST(VirtualControllerTest, BootLoaderFailuresLeaveTheFlashAlone) {
    auto setup = Bench::Setup();
    setup.flash[0x0700] = 0x42;
    Bench bench = WithFaults({"erase-fails", "write-fails:2"}, 0x00, std::move(setup));
    bench.Send({0xF0});
    EXPECT_EQ(bench.Send({'e'}), Bytes{0x00});
    EXPECT_EQ(bench.vc->Flash()[0x0700], 0x42);

    Bytes page{'w', 0x08, 0x00};
    page.resize(67, 0x33);
    for (const auto& [high, reply] : {std::pair{0x08, 1}, {0x09, 0}, {0x0A, 1}}) {
        page[1] = static_cast<std::uint8_t>(high);
        EXPECT_EQ(bench.Send(page), Bytes{static_cast<std::uint8_t>(reply)}) << high;
    }
    EXPECT_EQ(bench.vc->Flash()[0x0900], 0xFF);
}

}  // namespace
}  // namespace orvane::test
