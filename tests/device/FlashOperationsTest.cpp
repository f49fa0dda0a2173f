#include "core/device/FlashOperations.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <numeric>

#include "core/device/FlashVerifier.h"
#include "core/device/HexFile.h"
#include "core/host/AtomicFile.h"
#include "core/host/Cp1250.h"
#include "tests/support/DeviceRig.h"
#include "tests/support/FakeController.h"
#include "tests/support/RecordingProgress.h"
#include "tests/support/ScriptedFileChooser.h"

namespace orvane::device {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Kind = FlashArea::Kind;

// One data record with its checksum.
std::string Record(int address, const Bytes& data) {
    int sum = static_cast<int>(data.size()) + address / 256 + address % 256;
    std::string line = ":" + HexFile::ByteToHex(static_cast<int>(data.size())) + HexFile::WordToHex(address) + "00";
    for (auto b : data) {
        line += HexFile::ByteToHex(b);
        sum += b;
    }
    return line + HexFile::ByteToHex((256 - sum % 256) % 256) + "\r\n";
}

// An image with a counting pattern on the given pages.
FlashImage ImageWithPages(std::initializer_list<int> pages) {
    FlashImage image;
    for (int p : pages) {
        for (int i = 0; i < FlashImage::kPageSize; ++i) image[p * 64 + i] = static_cast<std::uint8_t>(p + i);
    }
    return image;
}

class FlashOperationsTest : public ::testing::Test, public test::DeviceRig {
protected:
    FlashOperationsTest() {
        char folderTemplate[] = "/tmp/orvane-flash-XXXXXX";
        folder = ::mkdtemp(folderTemplate);
        link.OpenPortAtStartUp();
        link.ApplyModeReply(0xFF);
        link.StartStateCheck();
    }
    ~FlashOperationsTest() override { std::filesystem::remove_all(folder); }

    std::string File(const std::string& name, const std::string& content) {
        const std::string path = folder + "/" + name;
        EXPECT_TRUE(host::AtomicFile::Write(path, content));
        return path;
    }
    std::vector<Bytes> Frames() const {
        std::vector<Bytes> frames;
        for (const auto& w : wire->writes) {
            if (w.size() == 67) frames.push_back(w);
        }
        return frames;
    }
    std::vector<std::string> Boxes() const {
        std::vector<std::string> boxes;
        for (const auto& b : prompts.Boxes()) boxes.push_back(b.caption + " | " + b.text);
        return boxes;
    }

    std::string folder;
    test::FakeController controller{*wire};
    test::ScriptedFileChooser files;
    test::RecordingProgress progress;
    FlashOperations ops{link, files, progress, "/home/u/"};
};

std::vector<int> Range(int from, int to) {
    std::vector<int> v(static_cast<std::size_t>(to - from + 1));
    std::iota(v.begin(), v.end(), from);
    return v;
}

TEST_F(FlashOperationsTest, ProgramWriteOfOnePageSendsOneFrameAndCountsEveryPage) {
    const FlashImage image = ImageWithPages({28});
    files.QueueChoice(File("p.hex", HexFile::WriteProgramHex(image)));
    EXPECT_EQ(ops.Write(Kind::Program), FlashResult::Done);

    const std::vector<Bytes> frames = Frames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(Bytes(frames[0].begin(), frames[0].begin() + 3), (Bytes{'w', 0x07, 0x00}));
    EXPECT_TRUE(std::equal(frames[0].begin() + 3, frames[0].end(), image.Page(28)));
    std::vector<int> expected = Range(0, 6);
    for (int p : Range(8, 135)) expected.push_back(p);
    expected.push_back(137);
    EXPECT_EQ(progress.ranges, std::vector<int>{137});
    EXPECT_EQ(progress.positions, expected);
    EXPECT_FALSE(progress.shown);

    EXPECT_EQ(controller.flash, image);
    EXPECT_EQ(link.DeviceMode(), "System");
    EXPECT_TRUE(prompts.Boxes().empty());
    EXPECT_TRUE(timers.IsRunning(DeviceLink::kTimerAnswering));
    EXPECT_EQ(settings.ReadString("Plik", ""), folder + "/p.hex");
    ASSERT_EQ(files.Requests().size(), 1u);
    EXPECT_FALSE(files.Requests()[0].save);
    EXPECT_EQ(files.Requests()[0].request.initialName, "/home/u/Plik.hex");
    EXPECT_EQ(files.Requests()[0].request.filter, "Piki HEX (*.hex)|*.hex|Wszystkie pliki (*.*)|*.*|");
    EXPECT_EQ(files.Requests()[0].request.defaultExtension, "*.hex");
}

TEST_F(FlashOperationsTest, SystemWriteGoesFromTheTopPageDownAfterItsPause) {
    const FlashImage image = ImageWithPages({0, 5, 27});
    files.QueueChoice(File("s.hex", HexFile::WriteSystemHex(image)));
    EXPECT_EQ(ops.Write(Kind::System), FlashResult::Done);
    EXPECT_EQ(controller.pagesWritten, (std::vector<int>{27, 5, 0}));
    std::vector<int> expected = Range(0, 135);
    expected.push_back(137);
    EXPECT_EQ(progress.positions, expected);
    EXPECT_EQ(files.Requests()[0].request.initialName, "ORVANE.hex");
    EXPECT_GE(clock.SleptMs(), 3000);  // 2 s before entering, 2 s between erase and pages
}

TEST_F(FlashOperationsTest, CancelledOrUnreadableChoicesSendNothing) {
    EXPECT_EQ(ops.Write(Kind::Program), FlashResult::Cancelled);
    EXPECT_TRUE(wire->writes.empty());
    EXPECT_TRUE(progress.ranges.empty());
    EXPECT_EQ(link.DeviceMode(), "System");
    EXPECT_TRUE(timers.IsRunning(DeviceLink::kTimerAnswering));

    settings.WriteString("Plik", "/x/last.hex");
    files.QueueChoice(folder + "/missing.hex");
    files.QueueChoice(folder);  // a folder is no file either
    files.QueueChoice(std::nullopt);
    EXPECT_EQ(ops.Write(Kind::Program), FlashResult::Cancelled);
    EXPECT_EQ(files.Requests().size(), 4u);
    EXPECT_EQ(files.Requests()[3].request.initialName, "/x/last.hex");
    EXPECT_TRUE(wire->writes.empty());
}

TEST_F(FlashOperationsTest, RefusedFilesNeverTouchTheController) {
    const struct { Kind kind; std::string content; const char* box; } rows[] = {
        {Kind::Program, Record(0x0600, {1, 2}) + ":00000001FF", "BŁĄD | Błąd kompilacji OWPZKL!\nNadpis Systemu!"},
        {Kind::Program, Record(0x1F00, {1, 2}), "BŁĄD | Błąd kompilacji OWPZKH!\nZbyt duży program!"},
        {Kind::System, Record(0x0010, {1}) + Record(0x1F10, {1}), "BŁĄD | Błąd Systemu OWSZKH!\nZbyt duży System!"},
        {Kind::Program, ":0207000001020A\r\n", "BŁĄD | Błąd pliku HEX!\nBłędna suma kontrolna lub niepełny rekord."},
        {Kind::System, ":01000001AA54\r\n", "BŁĄD | Błąd pliku HEX!\nRekord końca pliku zawiera dane."},
        {Kind::Program, "not a hex file\n", "BŁĄD | Błąd pliku HEX!\nPlik nie zawiera danych HEX."},
    };
    for (const auto& row : rows) {
        prompts.Clear();
        files.QueueChoice(File("bad.hex", row.content));
        EXPECT_EQ(ops.Write(row.kind), FlashResult::Failed) << row.box;
        EXPECT_EQ(Boxes(), std::vector<std::string>{row.box});
        EXPECT_TRUE(wire->writes.empty()) << row.box;
        EXPECT_TRUE(timers.IsRunning(DeviceLink::kTimerAnswering));
    }
}

struct DeviceFault {
    const char* name;
    std::function<void(test::FakeController&)> fault;
    const char* systemBox;
    const char* programBox;
    std::size_t framesSent;  // the frame that failed is the last one sent
};

class WriteFaultTest : public FlashOperationsTest, public ::testing::WithParamInterface<DeviceFault> {};

TEST_P(WriteFaultTest, EndsWithItsBoxAndNeverClaimsSuccess) {
    for (Kind kind : {Kind::System, Kind::Program}) {
        test::DeviceRig rig;
        test::FakeController device{*rig.wire};
        test::ScriptedFileChooser chooser;
        test::RecordingProgress bar;
        FlashOperations flash{rig.link, chooser, bar, "/home/u/"};
        GetParam().fault(device);
        const FlashImage image = ImageWithPages({20, 27, 28, 29});  // two pages in each area
        chooser.QueueChoice(File("w.hex", kind == Kind::System ? HexFile::WriteSystemHex(image)
                                                               : HexFile::WriteProgramHex(image)));
        EXPECT_EQ(flash.Write(kind), FlashResult::Failed);
        ASSERT_EQ(rig.prompts.Boxes().size(), 1u);
        const auto& box = rig.prompts.Boxes()[0];
        EXPECT_EQ(box.caption + " | " + box.text, kind == Kind::System ? GetParam().systemBox : GetParam().programBox);
        EXPECT_FALSE(bar.shown);
        EXPECT_NE(rig.wire->writes.back(), Bytes{0xFF});  // not switched back as after success
        const auto frames = std::count_if(rig.wire->writes.begin(), rig.wire->writes.end(),
                                          [](const Bytes& w) { return w.size() == 67; });
        EXPECT_EQ(static_cast<std::size_t>(frames), GetParam().framesSent);
        EXPECT_EQ(rig.timers.IsRunning(DeviceLink::kTimerAnswering), rig.link.DeviceMode() != "Nieznany");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, WriteFaultTest,
    ::testing::Values(
        DeviceFault{"Silent", [](test::FakeController& c) { c.silent = true; },
                    "Błąd (OWSZ3) | Błąd przejścia do trybu BootLoadera!",
                    "Błąd (OWZP3) | Błąd przejścia do trybu BootLoadera!", 0},
        DeviceFault{"EraseRefused", [](test::FakeController& c) { c.eraseReply = 0; },
                    "Błąd kasowania (OWSZ1) | Błąd kasowania Systemu",
                    "Błąd kasowania (OWZP1) | Błąd kasowania Programu", 0},
        DeviceFault{"HangsUpInThePageLoop", [](test::FakeController& c) { c.pagesAnswered = 1; },
                    "Błąd zapisu (OWSZ2) | Błąd Zapisania Systemu",
                    "Błąd zapisu (OWZP2) | Błąd Zapisania Programu", 2},
        DeviceFault{"PageRefused", [](test::FakeController& c) { c.pageReply = 0; },
                    "Błąd zapisu (OWSZ2) | Błąd Zapisania Systemu",
                    "Błąd zapisu (OWZP2) | Błąd Zapisania Programu", 1},
        // A stray 1 left waiting must not pass for the first page's acknowledgement.
        DeviceFault{"StrayAcknowledgement",
                    [](test::FakeController& c) {
                        c.extraByteAfterErase = true;
                        c.pagesAnswered = 0;
                    },
                    "Błąd zapisu (OWSZ2) | Błąd Zapisania Systemu",
                    "Błąd zapisu (OWZP2) | Błąd Zapisania Programu", 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FlashOperationsTest, EraseShowsNothingOnSuccessAndItsBoxOtherwise) {
    const struct { Kind kind; int eraseReply; bool silent; const char* box; } rows[] = {
        {Kind::System, 1, false, nullptr},
        {Kind::Program, 1, false, nullptr},
        {Kind::System, 7, false, "Błąd kasowania (OWKS1) | Błąd kasowania Systemu"},
        {Kind::Program, 0, false, "Błąd kasowania (OWKP1) | Błąd kasowania Programu"},
        {Kind::System, 1, true, "Błąd (OWKS2) | Błąd przejścia do trybu BootLoadera!"},
        {Kind::Program, 1, true, "Błąd (OWKS2) | Błąd przejścia do trybu BootLoadera!"},
    };
    for (const auto& row : rows) {
        prompts.Clear();
        controller.mode = 0xFF;
        controller.flash = ImageWithPages({3, 40});
        controller.eraseReply = row.eraseReply;
        controller.silent = row.silent;
        EXPECT_EQ(ops.Erase(row.kind), row.box ? FlashResult::Failed : FlashResult::Done);
        EXPECT_EQ(Boxes(), row.box ? std::vector<std::string>{row.box} : std::vector<std::string>{});
        EXPECT_EQ(progress.ranges.back(), 7);
        if (!row.box) {
            EXPECT_EQ(progress.positions, Range(0, 7));
            EXPECT_EQ(link.DeviceMode(), "System");
            EXPECT_TRUE(controller.flash.PageEmpty(row.kind == Kind::System ? 3 : 40));
            EXPECT_FALSE(controller.flash.PageEmpty(row.kind == Kind::System ? 40 : 3));
        }
    }
}

TEST_F(FlashOperationsTest, BootLoaderIsEnteredFromProgramThroughSystem) {
    controller.mode = 0x00;  // its user program would echo 0xF0 back as if it were the mode
    EXPECT_EQ(ops.Erase(Kind::Program), FlashResult::Done);
    EXPECT_EQ(wire->writes, (std::vector<Bytes>{{0x00}, {0xFF}, {0xF0}, {'e'}, {0xFF}}));
}

TEST_F(FlashOperationsTest, ReadOutStoresWhatCameUntilTheSilence) {
    controller.streamLimit = 10;
    for (int i = 0; i < 10; ++i) controller.flash[0x700 + i] = static_cast<std::uint8_t>(0xA0 + i);
    files.QueueChoice(folder + "/out.hex");
    EXPECT_EQ(ops.ReadOut(Kind::Program), FlashResult::Done);
    std::string text;
    ASSERT_TRUE(host::AtomicFile::Read(folder + "/out.hex", text));
    EXPECT_EQ(text, ":020000020000FC\r\n" + Record(0x0700, {0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9,
                                                          0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}) +
                        ":00000001FF\r\n");
    EXPECT_EQ(link.DeviceMode(), "BootLoader");
    EXPECT_TRUE(files.Requests()[0].save);
    EXPECT_EQ(files.Requests()[0].request.initialName, "/home/u/Plik.hex");
    EXPECT_EQ(settings.ReadString("Plik zapisz", ""), folder + "/out.hex");
    EXPECT_TRUE(prompts.Boxes().empty());
    EXPECT_TRUE(timers.IsRunning(DeviceLink::kTimerAnswering));
}

TEST_F(FlashOperationsTest, SystemReadOutOfTheWholeStream) {
    controller.flash = ImageWithPages({0, 27, 100});
    files.QueueChoice(std::string("/nonexistent-folder/x.hex"));  // cannot be created: asked again
    files.QueueChoice(folder + "/sys.hex");
    EXPECT_EQ(ops.ReadOut(Kind::System), FlashResult::Done);
    EXPECT_EQ(files.Requests()[0].request.initialName, "System.hex");
    EXPECT_EQ(files.Requests().size(), 2u);
    std::string text;
    ASSERT_TRUE(host::AtomicFile::Read(folder + "/sys.hex", text));
    EXPECT_EQ(text, HexFile::WriteSystemHex(controller.flash));
}

TEST_F(FlashOperationsTest, ReadOutFailuresWriteNoFile) {
    const struct { std::function<void(test::FakeController&)> fault; bool chosen; const char* box; } rows[] = {
        {[](test::FakeController& c) { c.silent = true; }, false, "Błąd (OWPP1) | Błąd pobrania Programu!"},
        {[](test::FakeController& c) { c.streamLimit = 0; }, true,
         "Błąd pobrania | Nie odebrano żadnych danych z urządzenia.\nPlik nie został zapisany."},
    };
    for (const auto& row : rows) {
        test::DeviceRig rig;
        test::FakeController device{*rig.wire};
        test::ScriptedFileChooser chooser;
        test::RecordingProgress bar;
        FlashOperations flash{rig.link, chooser, bar, "/home/u/"};
        row.fault(device);
        chooser.QueueChoice(folder + "/none.hex");
        EXPECT_EQ(flash.ReadOut(Kind::Program), FlashResult::Failed);
        ASSERT_EQ(rig.prompts.Boxes().size(), row.chosen ? 1u : 2u);  // OTB1 comes first when silent
        EXPECT_EQ(rig.prompts.Boxes().back().caption + " | " + rig.prompts.Boxes().back().text, row.box);
        EXPECT_EQ(chooser.Requests().size(), row.chosen ? 1u : 0u);
        EXPECT_FALSE(host::AtomicFile::Exists(folder + "/none.hex"));
    }
    EXPECT_EQ(ops.ReadOut(Kind::System), FlashResult::Cancelled);
    EXPECT_TRUE(timers.IsRunning(DeviceLink::kTimerAnswering));
}

// A line that never falls silent: a byte is always waiting.
class BabblingPort : public PortBackend {
public:
    int BytesWaiting() override { return 1; }
    int Read(std::uint8_t* buffer, int max) override {
        std::fill_n(buffer, max, 0x55);
        return max;
    }
    bool Write(const std::uint8_t*, int) override { return true; }
    bool WaitReadable(std::int64_t) override { return true; }
    bool ApplyLineSettings(int, std::string&) override { return true; }
    bool SetBaud(int, std::string&) override { return true; }
    void SetDtr(bool) override {}
    void Purge() override {}
};

TEST_F(FlashOperationsTest, ABabblingControllerCannotHoldTheReadOutForEver) {
    struct : PortOpener {
        std::unique_ptr<PortBackend> Open(int, std::string&) override {
            return std::make_unique<BabblingPort>();
        }
    } babbling;
    CSerialCtrl line{babbling, clock, prompts};
    DeviceLink babbler{line, settings, prompts, timers};
    FlashOperations flash{babbler, files, progress, "/home/u/"};
    babbler.ApplyModeReply(0xF0);
    files.QueueChoice(folder + "/long.hex");
    EXPECT_EQ(flash.ReadOut(Kind::Program), FlashResult::Done);
    EXPECT_EQ(progress.positions.back(), FlashImage::kSize - 0x700);
    std::string text;
    ASSERT_TRUE(host::AtomicFile::Read(folder + "/long.hex", text));
    EXPECT_NE(text.find(":1007000055555555"), std::string::npos);
}

TEST_F(FlashOperationsTest, VersionShowsSecondDotFirstAndLeavesTheCheckAlone) {
    const struct { std::vector<Bytes> replies; std::optional<std::string> version; const char* box; } rows[] = {
        {{{'3', '1'}}, "1.3", "Wersja Systemu | System znajdujący się w urządzeniu jest w wersji: 1.3"},
        {{{'2', '5'}}, "5.2", "Wersja Systemu | System znajdujący się w urządzeniu jest w wersji: 5.2"},
        {{}, std::nullopt, "Błąd (WSW01) | Nie odebrano informacji o wersji Systemu!"},
        {{{'2'}}, std::nullopt, "Błąd (WSW02) | Nie odebrano informacji o wersji Systemu!"},
    };
    for (const auto& row : rows) {
        prompts.Clear();
        Replies(row.replies);
        EXPECT_EQ(ops.Version(), row.version);
        EXPECT_EQ(Boxes(), std::vector<std::string>{row.box});
        EXPECT_EQ(wire->writes.back(), Bytes{'v'});
        EXPECT_EQ(timers.Period(DeviceLink::kTimerAnswering), 2000);
    }
}

TEST_F(FlashOperationsTest, VerifyReadsTheAreaBackAndNamesTheFirstDifference) {
    settings.WriteString(FlashOperations::kVerifySetting, "1");
    const FlashImage image = ImageWithPages({28, 29, 60});
    const std::string path = File("v.hex", HexFile::WriteProgramHex(image));
    files.QueueChoice(path);
    EXPECT_EQ(ops.Write(Kind::Program), FlashResult::Done);
    EXPECT_EQ(wire->writes.back(), Bytes{0xFF});
    EXPECT_EQ(link.DeviceMode(), "System");

    controller.corruptAddress = 0x0745;
    files.QueueChoice(path);
    EXPECT_EQ(ops.Write(Kind::Program), FlashResult::Failed);
    EXPECT_EQ(ops.LastDifference(), 0x0745);
    EXPECT_EQ(Boxes(), std::vector<std::string>{
                           "Błąd weryfikacji | Zawartość pamięci urządzenia różni się od zapisanego "
                           "pliku.\nPierwszy różniący się adres: 0x0745"});
}

TEST(FlashVerifierTest, ComparesWrittenPagesAndTheErasedRestOfTheArea) {
    const FlashArea& program = FlashArea::Program();
    const FlashImage written = ImageWithPages({28, 125});  // 125 lies above the area
    FlashImage same = written;
    EXPECT_EQ(FlashVerifier::FirstDifference(written, same, 0x700, 0x2000, program), std::nullopt);
    same[0x1000] = 0;  // an area page that should be erased
    EXPECT_EQ(FlashVerifier::FirstDifference(written, same, 0x700, 0x2000, program), 0x1000);
    same[0x0FFF - 0x800] = 0;  // the lowest difference wins
    EXPECT_EQ(FlashVerifier::FirstDifference(written, same, 0x700, 0x2000, program), 0x07FF);
    // A short stream leaves compared bytes missing.
    EXPECT_EQ(FlashVerifier::FirstDifference(written, written, 0x700, 0x1E00, program), 0x1E00);
    // Outside the area only the written pages count.
    FlashImage other = written;
    other[0x1FC0] = 0;
    EXPECT_EQ(FlashVerifier::FirstDifference(written, other, 0x700, 0x2000, program), std::nullopt);
    other[125 * 64 + 3] = 0;
    EXPECT_EQ(FlashVerifier::FirstDifference(written, other, 0x700, 0x2000, program), 125 * 64 + 3);
    // ...where the read-out reached them.
    EXPECT_EQ(FlashVerifier::FirstDifference(written, other, 0x700, 0x1F00, program), std::nullopt);
}

}  // namespace
}  // namespace orvane::device
