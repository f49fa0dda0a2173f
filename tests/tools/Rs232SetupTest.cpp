// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tools/Rs232Setup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/device/ComPortMap.h"
#include "core/host/Cp1250.h"
#include "core/host/MemorySettings.h"
#include "core/tools/SerialDeviceList.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScriptedPort.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TempDir.h"

namespace orvane::tools {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A controller that hears the PC only at its own speed, in the mode `reply` stands for; it takes
// the switches to System and on to the boot loader, and there a speed code (0x0A, code).
struct BootLoaderAt {
    explicit BootLoaderAt(test::Wire& wire, int baud) : baud(baud) {
        wire.responder = [this](const Bytes& bytes, test::Wire& w) {
            heard.push_back({w.baud, bytes});
            if (w.baud != this->baud) return;
            if (bytes == Bytes{0xFF} || (bytes == Bytes{0xF0} && reply == 0xFF)) reply = bytes[0];
            if (bytes.size() == 1) w.Reply({reply});
            if (bytes.size() == 2 && bytes[0] == 0x0A) this->baud = 11059200 / (16 * (bytes[1] + 1));
        };
    }
    int baud;
    std::uint8_t reply = 0xF0;
    std::vector<std::pair<int, Bytes>> heard;  // the PC's speed and the bytes of each write
};

class Rs232SetupTest : public ::testing::Test {
protected:
    Rs232SetupTest() { wire->clock = &clock; }
    std::vector<std::string> Boxes() const {
        std::vector<std::string> boxes;
        for (const auto& b : prompts.Boxes()) boxes.push_back(b.caption + " | " + b.text);
        return boxes;
    }
    Rs232Values Values(const std::string& baud, const std::string& com = "1", const std::string& device = "") {
        return {host::Pl(baud), com, device};
    }

    test::FakeClock clock;
    std::shared_ptr<test::Wire> wire = std::make_shared<test::Wire>();
    test::ScriptedOpener opener{wire};
    test::ScriptedPrompts prompts;
    host::MemorySettings stored;
    StagedSettings staged{stored};
    device::CSerialCtrl serial{opener, clock, prompts};
    Rs232Setup setup{serial, staged, prompts};
};

// The answering speed and the one outside the list are found against orvane-sim end to end.
TEST_F(Rs232SetupTest, IdentificationTellsEachSpeedBeforeTryingItAndStopsWhenCancelled) {
    BootLoaderAt controller(*wire, 57600);
    controller.reply = 0xFE;  // found in Komendy, it is brought into the boot loader there
    setup.Open();
    std::vector<std::string> tried;
    const Rs232View found =
        setup.Identify(Values("115,2k"), [&](std::string_view text) { tried.emplace_back(text); }, nullptr);
    EXPECT_EQ(tried, (std::vector<std::string>{"4800", "9600", "14,4k", "19,2k", "28,8k", "38,4k", "57,6k"}));
    EXPECT_EQ(found.values.baudText, "57,6k");
    EXPECT_EQ(controller.heard.back(), (std::pair<int, Bytes>{57600, {0x00}}));
    EXPECT_EQ(controller.reply, 0xF0);
    EXPECT_FALSE(found.warning.empty()) << "the controller listens at another speed than the stored one";

    prompts.Clear();
    controller.heard.clear();
    int asked = 0;
    const Rs232View view = setup.Identify(Values("115,2k"), nullptr, [&] { return ++asked > 2; });
    EXPECT_EQ(controller.heard.size(), 2u) << "no speed is tried once cancelled";
    EXPECT_TRUE(Boxes().empty());
    EXPECT_FALSE(serial.IsOpen(0));
    EXPECT_FALSE(view.changeEnabled);
}

TEST_F(Rs232SetupTest, TestOfTheControllerInSystemOffersOkAndCancelAndAPortThatWillNotOpenIsReported) {
    BootLoaderAt controller(*wire, 115200);
    controller.reply = 0xFF;
    setup.ControlsEdited();
    const Rs232View view = setup.Test(setup.Open().values);
    EXPECT_EQ(prompts.Boxes().at(0).caption, "Rozpoznanie");
    EXPECT_EQ(prompts.Boxes().at(0).buttons, host::Buttons::OkCancel);
    EXPECT_FALSE(view.changeEnabled);
    EXPECT_FALSE(serial.IsOpen(0));

    prompts.Clear();
    opener.refuseOpen = true;
    setup.Test(Values("115,2k"));
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Błąd (URSBS1) | Błąd otwarcia RS232"});
    EXPECT_TRUE(stored.Values().empty());
}

// The first change, its warning and OK storing it are driven through the window.
TEST_F(Rs232SetupTest, AnotherChangeStartsFromTheSpeedJustSetAndAnulujKeepsTheStoredOne) {
    BootLoaderAt controller(*wire, 115200);
    stored.WriteString("Baud Rate", "115,2k");
    EXPECT_FALSE(setup.Open().changeEnabled);
    EXPECT_TRUE(setup.ControlsEdited().changeEnabled);
    EXPECT_FALSE(setup.Change(Values("230,4k")).changeEnabled);
    EXPECT_EQ(controller.baud, 230400);
    setup.Change(Values("57,6k"));
    EXPECT_EQ(controller.heard.back(), (std::pair<int, Bytes>{230400, {0x0A, 11}}));
    EXPECT_EQ(stored.ReadString("Baud Rate", ""), "115,2k");
    ASSERT_TRUE(setup.Accept(Values("57,6k", "2")));
    EXPECT_EQ(stored.ReadString("COM", ""), "2");
}

TEST_F(Rs232SetupTest, ComNumbersOutsideThePortsAreRefusedBeforeAnythingOpens) {
    for (const char* com : {"0", "abc", "1.5", "41"}) {
        prompts.Clear();
        setup.Open();
        setup.Test(Values("115,2k", com));
        EXPECT_FALSE(setup.Accept(Values("115,2k", com))) << com;
        EXPECT_EQ(Boxes().size(), 2u) << com;
        EXPECT_EQ(prompts.Boxes().front().caption, "Błąd (URSBS2)") << com;
    }
    EXPECT_TRUE(opener.opened.empty());
    EXPECT_TRUE(stored.Values().empty());
    setup.Test(Values("115,2k", " 40 "));
    EXPECT_EQ(opener.opened, std::vector<int>{39});
}

TEST_F(Rs232SetupTest, TheDeviceOfAComNumberIsStoredOnlyOnOkAndOnlyWhenItIsADevice) {
    test::TempDir dir;
    std::ofstream(dir / "plain") << "x";
    const std::string key = device::ComPortMap::OverrideKey(3);
    stored.WriteString(key, "/dev/old");
    setup.Open();
    EXPECT_EQ(setup.DeviceOf("3"), "/dev/old");
    setup.Test(Values("115,2k", "3", "/dev/null"));
    EXPECT_EQ(staged.ReadString(key, ""), "/dev/null") << "the dialog's own port uses the pick at once";
    EXPECT_EQ(stored.ReadString(key, ""), "/dev/old");

    for (const std::string& device : {dir / "plain", dir / "gone", dir.Path()}) {
        prompts.Clear();
        EXPECT_FALSE(setup.Accept(Values("115,2k", "3", device))) << device;
        EXPECT_EQ(prompts.Boxes().at(0).caption, "Błąd (URSBS3)");
    }
    EXPECT_EQ(stored.ReadString(key, ""), "/dev/old");
    ASSERT_TRUE(setup.Accept(Values("115,2k", "3", "/dev/null")));
    EXPECT_EQ(stored.ReadString(key, ""), "/dev/null");

    // A new opening forgets what a cancelled one picked.
    setup.Test(Values("115,2k", "3", ""));
    setup.Open();
    EXPECT_EQ(setup.DeviceOf("3"), "/dev/null");
}

TEST(SerialDeviceListTest, ListsFittedPortsAndAdaptersByTheirStableNames) {
    namespace fs = std::filesystem;
    test::TempDir root;
    const fs::path dev = root / "dev";
    fs::create_directories(dev / "serial/by-id");
    for (const char* name : {"ttyS0", "ttyS1", "ttyS10", "ttyUSB0", "ttyUSB1", "ttyACM0", "ttySomething"}) {
        std::ofstream(dev / name) << "";
    }
    for (const auto& [port, type] : {std::pair{"ttyS0", "4"}, {"ttyS1", "0"}, {"ttyS10", "4"}, {"ttyS2", "4"}}) {
        const fs::path tty = fs::path(root / "sys/class/tty") / port;
        fs::create_directories(tty);
        std::ofstream(tty / "type") << type << "\n";
    }
    fs::create_symlink("../../ttyUSB1", dev / "serial/by-id/usb-FTDI_FT232R_A1-if00-port0");

    std::vector<std::string> found;
    for (const auto& d : SerialDeviceList(root.Path()).Present()) found.push_back(d.path + " = " + d.label);
    EXPECT_EQ(found, (std::vector<std::string>{
                         "/dev/ttyS0 = /dev/ttyS0",  // ttyS1 has no UART, ttyS2 no device node
                         "/dev/ttyS10 = /dev/ttyS10",
                         "/dev/ttyUSB0 = /dev/ttyUSB0",
                         "/dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0 = usb-FTDI_FT232R_A1-if00-port0 (ttyUSB1)",
                         "/dev/ttyACM0 = /dev/ttyACM0",
                     }));
    EXPECT_TRUE(SerialDeviceList(root / "nothing").Present().empty());
}

}  // namespace
}  // namespace orvane::tools
