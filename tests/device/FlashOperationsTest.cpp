// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/FlashOperations.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>

#include "core/device/FlashVerifier.h"
#include "core/device/HexFile.h"
#include "core/platform/AtomicFile.h"
#include "tests/support/DeviceRig.h"
#include "tests/support/FakeController.h"
#include "tests/support/HexRecords.h"
#include "tests/support/RecordingProgress.h"
#include "tests/support/ScriptedFileChooser.h"
#include "tests/support/TempDir.h"

namespace orvane::device {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Kind = FlashArea::Kind;
using Fault = std::function<void(test::FakeController&)>;

std::string Record(int address, const Bytes& data) { return test::HexDataRecord(address, data) + "\r\n"; }

// An image with a counting pattern on the given pages.
FlashImage ImageWithPages(std::initializer_list<int> pages) {
    FlashImage image;
    for (int p : pages) {
        for (int i = 0; i < FlashImage::kPageSize; ++i) image[p * 64 + i] = static_cast<std::uint8_t>(p + i);
    }
    return image;
}

std::vector<int> Range(int from, int to, std::vector<int> then = {}) {
    std::vector<int> v(static_cast<std::size_t>(to - from + 1));
    std::iota(v.begin(), v.end(), from);
    v.insert(v.end(), then.begin(), then.end());
    return v;
}

// A device link with a fake controller behind it and the flash operations on top.
struct Bench : test::DeviceRig {
    std::vector<Bytes> Frames() const {
        std::vector<Bytes> frames;
        for (const auto& w : wire->writes) {
            if (w.size() == 67) frames.push_back(w);
        }
        return frames;
    }
    test::FakeController controller{*wire};
    test::ScriptedFileChooser files;
    test::RecordingProgress progress;
    FlashOperations ops{link, files, progress, "/home/u/"};
};

class FlashOperationsTest : public ::testing::Test, public Bench {
protected:
    FlashOperationsTest() {
        link.OpenPortAtStartUp();
        link.ApplyModeReply(0xFF);
        link.StartStateCheck();
    }
    std::string File(const std::string& name, const std::string& content) {
        EXPECT_TRUE(platform::AtomicFile::Write(dir / name, content));
        return dir / name;
    }
    // Where every operation that ends well leaves the link: no box, the check running again.
    void ExpectSettled(const char* mode = "System") {
        EXPECT_EQ(ModeName(link.Mode()), mode);
        EXPECT_TRUE(prompts.Boxes().empty());
        EXPECT_TRUE(timers.IsRunning(DeviceLink::kTimerAnswering));
    }
    test::TempDir dir;
};

TEST_F(FlashOperationsTest, ProgramWriteOfOnePageSendsOneFrameAndCountsEveryPage) {
    const FlashImage image = ImageWithPages({28});
    files.QueueChoice(File("p.hex", HexFile::WriteProgramHex(image)));
    EXPECT_EQ(ops.Write(Kind::Program), FlashResult::Done);
    EXPECT_EQ(Frames().size(), 1u);
    EXPECT_EQ(progress.ranges, std::vector<int>{137});
    EXPECT_EQ(progress.positions, Range(0, 6, Range(8, 135, {137})));
    EXPECT_FALSE(progress.shown);
    EXPECT_EQ(controller.flash, image);
    ExpectSettled();
    EXPECT_EQ(files.Requests().at(0).request.initialName, "/home/u/Plik.hex");
}

// A page counts as written when any byte of it differs from the erased state, the last one too;
// and the boot loader may take most of its five seconds over every answer (4.6 s: late enough
// that a wait cut to four whole seconds misses at least one of them).
TEST_F(FlashOperationsTest, APageHoldingOnlyItsLastByteIsSentToASlowBootLoader) {
    FlashImage image;
    image[29 * FlashImage::kPageSize + FlashImage::kPageSize - 1] = 0x42;
    controller.bootLoaderDelayMs = 4600;
    files.QueueChoice(File("last.hex", HexFile::WriteProgramHex(image)));
    EXPECT_EQ(ops.Write(Kind::Program), FlashResult::Done);
    EXPECT_EQ(controller.pagesWritten, std::vector<int>{29});
    EXPECT_EQ(controller.flash, image);
    EXPECT_EQ(ModeName(link.Mode()), "System");
}

TEST_F(FlashOperationsTest, SystemWriteGoesFromTheTopPageDownAfterItsPause) {
    const FlashImage image = ImageWithPages({0, 5, 27});
    files.QueueChoice(File("s.hex", HexFile::WriteSystemHex(image)));
    EXPECT_EQ(ops.Write(Kind::System), FlashResult::Done);
    EXPECT_EQ(controller.pagesWritten, (std::vector<int>{27, 5, 0}));
    EXPECT_EQ(progress.positions, Range(0, 135, {137}));
    EXPECT_EQ(files.Requests()[0].request.initialName, "ORVANE.hex");
    EXPECT_GE(clock.SleptMs(), 3000);  // 2 s before entering, 2 s between erase and pages
}

TEST_F(FlashOperationsTest, CancelledOrUnreadableChoicesSendNothing) {
    EXPECT_EQ(ops.Write(Kind::Program), FlashResult::Cancelled);
    EXPECT_TRUE(progress.ranges.empty());
    ExpectSettled();
    settings.WriteString("Plik", "/x/last.hex");
    files.QueueChoice(dir / "missing.hex");
    files.QueueChoice(dir.Path());  // a folder is no file either
    files.QueueChoice(std::nullopt);
    EXPECT_EQ(ops.Write(Kind::Program), FlashResult::Cancelled);
    EXPECT_EQ(files.Requests().size(), 4u);
    EXPECT_EQ(files.Requests()[3].request.initialName, "/x/last.hex");
    EXPECT_TRUE(wire->writes.empty());
}

// Bytes of every value, colons among them: read as HEX they would give records of zeros.
std::string RandomBytes() {
    std::mt19937 random(15);
    std::string bytes(4096, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    for (std::size_t i = 0; i < bytes.size(); i += 97) bytes[i] = ':';
    return bytes;
}

TEST_F(FlashOperationsTest, RefusedFilesNeverTouchTheController) {
    const struct { Kind kind; std::string content; const char* why; } rows[] = {
        {Kind::System, Record(0x0010, {1}) + Record(0x1F10, {1}), "Zbyt duży System"},
        {Kind::Program, ":0207000001020A\r\n", "suma kontrolna"},
        {Kind::System, ":01000001AA54\r\n", "końca pliku zawiera dane"},
        {Kind::Program, RandomBytes(), "Intel HEX"},
        {Kind::Program, std::string(10 << 20, '7'), "Intel HEX"},  // one 10 MB line
        // An extended address, a junk line and the end: the erase alone would pass for a write.
        {Kind::Program, ":020000040000FA\r\njunk\r\n:00000001FF\r\n", "nie zawiera danych"},
    };
    for (const auto& row : rows) {
        prompts.Clear();
        files.QueueChoice(File("bad.hex", row.content));
        EXPECT_EQ(ops.Write(row.kind), FlashResult::Failed) << row.why;
        ASSERT_EQ(prompts.Shown().size(), 1u) << row.why;
        EXPECT_NE(prompts.Shown()[0].find(row.why), std::string::npos) << prompts.Shown()[0];
        EXPECT_TRUE(wire->writes.empty()) << row.why;
        EXPECT_TRUE(timers.IsRunning(DeviceLink::kTimerAnswering));
    }
}

TEST_F(FlashOperationsTest, WriteFaultsEndWithTheirBoxAndNeverClaimSuccess) {
    // The box's code, after OWSZ or OWZP; framesSent: the frame that failed is the last one sent.
    const struct { const char* name; Fault fault; const char* code; std::size_t framesSent; } rows[] = {
        {"silent", [](test::FakeController& c) { c.silent = true; }, "3", 0},
        {"erase refused", [](test::FakeController& c) { c.eraseReply = 0; }, "1", 0},
        {"hangs up in the page loop", [](test::FakeController& c) { c.pagesAnswered = 1; }, "2", 2},
        {"page refused", [](test::FakeController& c) { c.pageReply = 0; }, "2", 1},
        // A stray 1 left waiting must not pass for the first page's acknowledgement.
        {"stray acknowledgement", [](test::FakeController& c) { c.extraByteAfterErase = true; c.pagesAnswered = 0; }, "2", 1},
    };
    const FlashImage image = ImageWithPages({20, 27, 28, 29});  // two pages in each area
    for (const auto& row : rows) {
        for (Kind kind : {Kind::System, Kind::Program}) {
            SCOPED_TRACE(row.name);
            Bench b;
            row.fault(b.controller);
            b.files.QueueChoice(File("w.hex", kind == Kind::System ? HexFile::WriteSystemHex(image) : HexFile::WriteProgramHex(image)));
            EXPECT_EQ(b.ops.Write(kind), FlashResult::Failed);
            ASSERT_EQ(b.prompts.Boxes().size(), 1u);
            EXPECT_NE(b.prompts.Boxes()[0].caption.find(std::string(kind == Kind::System ? "(OWSZ" : "(OWZP") + row.code + ")"), std::string::npos);
            EXPECT_FALSE(b.progress.shown);
            ASSERT_FALSE(b.wire->writes.empty());
            EXPECT_NE(b.wire->writes.back(), Bytes{0xFF});  // not switched back as after success
            EXPECT_EQ(b.Frames().size(), row.framesSent);
            EXPECT_EQ(b.timers.IsRunning(DeviceLink::kTimerAnswering), ModeName(b.link.Mode()) != "Nieznany");
        }
    }
}

TEST_F(FlashOperationsTest, EraseShowsNothingOnSuccessAndItsBoxOtherwise) {
    // The Program's own erase is driven end to end; its silent controller is told as the System's.
    const struct { Kind kind; int eraseReply; bool silent; const char* caption; } rows[] = {
        {Kind::System, 1, false, nullptr},
        {Kind::System, 7, false, "Błąd kasowania (OWKS1)"},
        {Kind::Program, 0, false, "Błąd kasowania (OWKP1)"},
        {Kind::Program, 1, true, "Błąd (OWKS2)"},
    };
    for (const auto& row : rows) {
        prompts.Clear();
        controller.mode = 0xFF;
        controller.flash = ImageWithPages({3, 40});
        controller.eraseReply = row.eraseReply;
        controller.silent = row.silent;
        EXPECT_EQ(ops.Erase(row.kind), row.caption ? FlashResult::Failed : FlashResult::Done);
        EXPECT_EQ(prompts.Boxes().empty() ? "" : prompts.Boxes()[0].caption, row.caption ? row.caption : "");
        EXPECT_EQ(progress.ranges.back(), 7);
        if (!row.caption) {
            EXPECT_EQ(progress.positions, Range(0, 7));
            EXPECT_EQ(ModeName(link.Mode()), "System");
            EXPECT_TRUE(controller.flash.PageEmpty(row.kind == Kind::System ? 3 : 40));
            EXPECT_FALSE(controller.flash.PageEmpty(row.kind == Kind::System ? 40 : 3));
        }
    }
    controller.silent = false;
    controller.mode = 0x00;  // its user program would echo 0xF0 back as if it were the mode
    wire->writes.clear();
    EXPECT_EQ(ops.Erase(Kind::Program), FlashResult::Done);
    EXPECT_EQ(wire->writes, (std::vector<Bytes>{{0x00}, {0xFF}, {0xF0}, {'e'}, {0xFF}})) << "via System";
}

TEST_F(FlashOperationsTest, ReadOutStoresWhatCameUntilTheSilence) {
    controller.streamLimit = 10;
    for (int i = 0; i < 10; ++i) controller.flash[0x700 + i] = static_cast<std::uint8_t>(0xA0 + i);
    files.QueueChoice(dir / "out.hex");
    const std::int64_t before = clock.NowMs();
    EXPECT_EQ(ops.ReadOut(Kind::Program), FlashResult::Done);
    EXPECT_EQ(clock.NowMs() - before, 1001) << "the stream ends just after its silence";
    std::string text;
    ASSERT_TRUE(platform::AtomicFile::Read(dir / "out.hex", text));
    Bytes data(16, 0xFF);
    std::iota(data.begin(), data.begin() + 10, 0xA0);
    EXPECT_EQ(text, ":020000020000FC\r\n" + Record(0x0700, data) + ":00000001FF\r\n");
    ExpectSettled("BootLoader");
    EXPECT_TRUE(files.Requests()[0].save);
    EXPECT_EQ(files.Requests()[0].request.initialName, "/home/u/Plik.hex");
    EXPECT_EQ(settings.ReadString("Plik zapisz", ""), dir / "out.hex");

    // A file that cannot be created asks again; the System's read-out is offered under its own name.
    files.QueueChoice(std::string("/nonexistent-folder/x.hex"));
    files.QueueChoice(dir / "sys.hex");
    EXPECT_EQ(ops.ReadOut(Kind::System), FlashResult::Done);
    EXPECT_EQ(files.Requests()[1].request.initialName, "System.hex");
    EXPECT_EQ(files.Requests().size(), 3u);
    EXPECT_TRUE(platform::AtomicFile::Exists(dir / "sys.hex"));
}

// A stream that brings nothing is driven end to end; a controller silent from the start is asked
// no file for.
TEST_F(FlashOperationsTest, ReadOutFromASilentControllerAsksForNoFile) {
    controller.silent = true;
    EXPECT_EQ(ops.ReadOut(Kind::Program), FlashResult::Failed);
    EXPECT_EQ(prompts.Shown().size(), 2u);  // OTB1 comes first
    EXPECT_EQ(prompts.Shown().back(), "Błąd (OWPP1) | Błąd pobrania Programu!");
    EXPECT_TRUE(files.Requests().empty());
}

// Cancel in each phase of each operation. It is offered until the erase goes out (the flash stays
// as it was, the controller goes back to System) and while a stream comes in (heard out to its
// silence; a read-out writes no file, a verify leaves the written flash unchecked); pressed while
// the pages go out it is not offered, and the write ends as written. A silent controller's wait
// ends at the Cancel: the operation is cancelled, with no box of the silence.
TEST(FlashCancelTest, EachPhaseEndsAsItsBoxSays) {
    enum class Op { Write, Erase, ReadOut };
    const struct {
        const char* phase; Op op; Kind kind; int cancelAt; bool verify;
        FlashResult result; bool flashWritten; const char* mode; bool silent = false;
    } rows[] = {
        {"system erase, the controller silent", Op::Erase, Kind::System, 2, false, FlashResult::Cancelled, false, "Nieznany", true},
        {"program write, the controller silent", Op::Write, Kind::Program, 3, false, FlashResult::Cancelled, false, "Nieznany", true},
        {"program write entering the boot loader", Op::Write, Kind::Program, 2, false, FlashResult::Cancelled, false, "System"},
        {"system write with the boot loader reached", Op::Write, Kind::System, 4, false, FlashResult::Cancelled, false, "System"},
        {"program write sending pages", Op::Write, Kind::Program, 9, false, FlashResult::Done, true, "System"},
        {"verify read-back", Op::Write, Kind::Program, 64, true, FlashResult::Cancelled, true, "System"},
        {"erase entering the boot loader", Op::Erase, Kind::Program, 3, false, FlashResult::Cancelled, false, "System"},
        {"read-out streaming", Op::ReadOut, Kind::Program, 64, false, FlashResult::Cancelled, false, "BootLoader"},
    };
    const FlashImage before = ImageWithPages({2, 40});
    const FlashImage written = ImageWithPages({2, 28, 40});  // the System's page kept as it is
    for (const auto& row : rows) {
        SCOPED_TRACE(row.phase);
        Bench b;
        test::TempDir dir;
        b.link.ApplyModeReply(0xFF);
        b.controller.flash = before;
        b.settings.WriteString(FlashOperations::kVerifySetting, row.verify ? "1" : "0");
        b.progress.cancelAt = row.cancelAt;
        b.controller.silent = row.silent;
        const std::string out = dir / "out.hex";
        FlashResult result = FlashResult::Failed;
        if (row.op == Op::Write) {
            ASSERT_TRUE(platform::AtomicFile::Write(out, row.kind == Kind::Program ? HexFile::WriteProgramHex(written)
                                                                                   : HexFile::WriteSystemHex(before)));
            b.files.QueueChoice(out);
            result = b.ops.Write(row.kind);
        } else if (row.op == Op::Erase) {
            result = b.ops.Erase(row.kind);
        } else {
            b.files.QueueChoice(out);
            result = b.ops.ReadOut(row.kind);
            EXPECT_FALSE(platform::AtomicFile::Exists(out));
        }
        EXPECT_EQ(result, row.result);
        EXPECT_EQ(b.controller.flash, row.flashWritten ? written : before);
        EXPECT_EQ(ModeName(b.link.Mode()), row.mode);
        EXPECT_TRUE(b.prompts.Boxes().empty());
        EXPECT_FALSE(b.progress.shown || b.progress.cancellable);
        EXPECT_EQ(b.link.ReadReply(0), std::nullopt) << "nothing of a stream left on the line";
        EXPECT_TRUE(row.silent || b.timers.IsRunning(DeviceLink::kTimerAnswering));
    }
}

// A line that never falls silent: a byte is always waiting.
struct BabblingPort : PortBackend, PortOpener {
    int BytesWaiting() override { return 1; }
    int Read(std::uint8_t* buffer, int max) override { return std::fill_n(buffer, max, 0x55), max; }
    bool Write(const std::uint8_t*, int) override { return true; }
    bool WaitReadable(std::int64_t) override { return true; }
    bool ApplyLineSettings(int, std::string&) override { return true; }
    bool SetBaud(int, std::string&) override { return true; }
    void SetDtr(bool) override {}
    void Purge() override {}
    std::unique_ptr<PortBackend> Open(int, std::string&) override { return std::make_unique<BabblingPort>(); }
};

TEST_F(FlashOperationsTest, ABabblingControllerCannotHoldTheReadOutForEver) {
    BabblingPort babbling;
    SerialStack line{babbling, settings, clock, prompts, timers};
    DeviceLink& babbler = line.Link();
    FlashOperations flash{babbler, files, progress, "/home/u/"};
    babbler.ApplyModeReply(0xF0);
    files.QueueChoice(dir / "long.hex");
    EXPECT_EQ(flash.ReadOut(Kind::Program), FlashResult::Done);
    EXPECT_EQ(progress.positions.back(), FlashImage::kSize - 0x700);
    std::string text;
    ASSERT_TRUE(platform::AtomicFile::Read(dir / "long.hex", text));
    EXPECT_NE(text.find(":1007000055555555"), std::string::npos);
}

TEST_F(FlashOperationsTest, VersionShowsSecondDotFirstAndLeavesTheCheckAlone) {
    const struct { std::vector<Bytes> replies; std::optional<std::string> version; const char* caption; } rows[] = {
        {{{'3', '1'}}, "1.3", "Wersja Systemu"},
        {{}, std::nullopt, "Błąd (WSW01)"},
        {{{'2'}}, std::nullopt, "Błąd (WSW02)"},
    };
    for (const auto& row : rows) {
        prompts.Clear();
        Replies(row.replies);
        EXPECT_EQ(ops.Version(), row.version);
        ASSERT_EQ(prompts.Boxes().size(), 1u);
        EXPECT_EQ(prompts.Boxes()[0].caption, row.caption);
        EXPECT_EQ(wire->writes.back(), Bytes{'v'});
        EXPECT_EQ(timers.Period(DeviceLink::kTimerAnswering), 2000);
    }
}

TEST_F(FlashOperationsTest, VerifyReadsTheAreaBackAndNamesTheFirstDifference) {
    settings.WriteString(FlashOperations::kVerifySetting, "1");
    const std::string path = File("v.hex", HexFile::WriteProgramHex(ImageWithPages({28, 29, 60})));
    controller.corruptAddress = 0x0745;
    files.QueueChoice(path);
    EXPECT_EQ(ops.Write(Kind::Program), FlashResult::Failed);
    EXPECT_EQ(ops.LastDifference(), 0x0745);
    EXPECT_EQ(prompts.Shown(), std::vector<std::string>{"Błąd weryfikacji | Zawartość pamięci urządzenia różni się od "
                                                "zapisanego pliku.\nPierwszy różniący się adres: 0x0745"});
}

TEST(FlashVerifierTest, ComparesWrittenPagesAndTheErasedRestOfTheArea) {
    const FlashImage written = ImageWithPages({28, 125});  // 125 lies above the area
    const auto diff = [&](const FlashImage& read, int end) {
        return FlashVerifier::FirstDifference(written, read, 0x700, end, FlashArea::Program());
    };
    FlashImage same = written;
    EXPECT_EQ(diff(same, 0x2000), std::nullopt);
    same[0x1000] = 0;  // an area page that should be erased
    EXPECT_EQ(diff(same, 0x2000), 0x1000);
    same[0x07FF] = 0;  // the lowest difference wins
    EXPECT_EQ(diff(same, 0x2000), 0x07FF);
    EXPECT_EQ(diff(written, 0x1E00), 0x1E00) << "a short stream leaves compared bytes missing";
    FlashImage other = written;
    other[0x1FC0] = 0;  // outside the area only the written pages count...
    EXPECT_EQ(diff(other, 0x2000), std::nullopt);
    other[125 * 64 + 3] = 0;
    EXPECT_EQ(diff(other, 0x2000), 125 * 64 + 3);
    EXPECT_EQ(diff(other, 0x1F00), std::nullopt) << "...where the read-out reached them";
}

}  // namespace
}  // namespace orvane::device
