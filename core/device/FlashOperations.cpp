// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/FlashOperations.h"

#include <algorithm>
#include <array>
#include <filesystem>

#include "core/device/ControllerBytes.h"
#include "core/device/FlashVerifier.h"
#include "core/device/HexFile.h"
#include "core/host/Cp1250.h"
#include "core/platform/AtomicFile.h"

namespace orvane::device {

namespace {

using namespace controller;

constexpr int kBootLoaderSeconds = 5;
constexpr int kEnterPauseSeconds = 2;
constexpr int kAfterEraseSeconds = 1;
constexpr int kStreamSilenceSeconds = 1;
constexpr int kVersionSeconds = 1;
constexpr int kCancelReplySeconds = 1;

constexpr int kFrameSize = 3 + FlashImage::kPageSize;
// A stream that goes on past twice the memory is a babbling line, not a read-out; stopping it
// keeps the operation from holding the thread for ever.
constexpr int kStreamCap = 2 * FlashImage::kSize;
// No HEX file of an 8 KB controller comes near this; a larger one is not read into memory.
constexpr std::uintmax_t kMaxHexFileBytes = 16u << 20;

constexpr const char* kHexFilter = "Piki HEX (*.hex)|*.hex|Wszystkie pliki (*.*)|*.*|";
constexpr const char* kHexExtension = "*.hex";
constexpr const char* kBootLoaderText = "Błąd przejścia do trybu BootLoadera!";

bool ReadSmallFile(const std::string& path, std::string& content) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > kMaxHexFileBytes || !platform::AtomicFile::Exists(path)) return false;
    return platform::AtomicFile::Read(path, content);
}

bool ImageEmpty(const FlashImage& image) {
    for (int page = 0; page < FlashImage::kPages; ++page) {
        if (!image.PageEmpty(page)) return false;
    }
    return true;
}

// The version characters go into a message box; control bytes would garble it.
char Printable(std::uint8_t byte) { return byte < 0x20 ? '?' : static_cast<char>(byte); }

}  // namespace

// Ends the progress display and restarts the state check, whichever way an operation ends.
class FlashOperations::OperationEnd {
public:
    explicit OperationEnd(FlashOperations& ops) : ops_(ops) {}
    ~OperationEnd() {
        ops_.EndProgress();
        ops_.link_.StartStateCheck();
    }
    OperationEnd(const OperationEnd&) = delete;
    OperationEnd& operator=(const OperationEnd&) = delete;

private:
    FlashOperations& ops_;
};

FlashOperations::FlashOperations(DeviceLink& link, host::FileChooser& files,
                                 host::Progress& progress, std::string userFolder)
    : link_(link), files_(files), progress_(progress), userFolder_(std::move(userFolder)) {}

// --- small helpers ---------------------------------------------------------------------------

void FlashOperations::Box(const std::string& caption, const std::string& text) {
    link_.Prompts().Tell(caption, text);
}

void FlashOperations::BeginProgress(int range) {
    progress_.Begin(range);
    progressShown_ = true;
}

void FlashOperations::Step(int position) {
    if (progressShown_) progress_.SetPosition(position);
}

void FlashOperations::EndProgress() {
    if (!progressShown_) return;
    progressShown_ = false;
    progress_.End();
}

std::string FlashOperations::DefaultPath(bool inUserFolder, const char* name) const {
    return inUserFolder ? userFolder_ + name : std::string(name);
}

// --- files -------------------------------------------------------------------------------------

std::optional<std::string> FlashOperations::ChooseFileToWrite(const FlashArea& area,
                                                              std::string& content) {
    const std::string initial = link_.Settings().ReadString(
        area.writeSetting, DefaultPath(area.writeDefaultInUserFolder, area.writeDefault));
    const host::FileRequest request{kHexFilter, kHexExtension, initial};
    for (;;) {
        std::optional<std::string> path = files_.ChooseOpen(request);
        if (!path) return std::nullopt;
        if (ReadSmallFile(*path, content)) return path;
    }
}

std::optional<std::string> FlashOperations::ChooseFileToSave(const FlashArea& area) {
    const std::string initial = link_.Settings().ReadString(
        area.readSetting, DefaultPath(area.readDefaultInUserFolder, area.readDefault));
    const host::FileRequest request{kHexFilter, kHexExtension, initial};
    for (;;) {
        std::optional<std::string> path = files_.ChooseSave(request);
        if (!path) return std::nullopt;
        if (!path->empty() && platform::AtomicFile::CanWrite(*path)) return path;
    }
}

// A file the reader stops in is refused before the controller is touched, so a wrong file
// never costs the flash its contents. Stops the reader has no box of its own for are worded here.
bool FlashOperations::LoadImage(const FlashArea& area, const std::string& content,
                                FlashImage& image) {
    const HexMessage below{host::Pl("BŁĄD"), host::Pl(area.belowLimitText)};
    const HexMessage top{host::Pl("BŁĄD"), host::Pl(area.topLimitText)};
    const HexReadResult result =
        HexFile::ReadHexImage(content, image, area.lowerLimit, below, top, link_.Prompts());
    switch (result) {
        case HexReadResult::Complete:
        case HexReadResult::NoEndRecord:
            // Nothing to write: the erase alone would pass for a successful write.
            if (!ImageEmpty(image)) return true;
            Box(host::Pl("BŁĄD"), host::Pl("Błąd pliku HEX!\nPlik nie zawiera danych HEX."));
            return false;
        case HexReadResult::NotHex:
            Box(host::Pl("BŁĄD"), host::Pl("Błąd pliku HEX!\nTo nie jest plik w formacie Intel HEX."));
            return false;
        case HexReadResult::StoppedEndWithData:
            Box(host::Pl("BŁĄD"), host::Pl("Błąd pliku HEX!\nRekord końca pliku zawiera dane."));
            return false;
        case HexReadResult::StoppedBadChecksum:
            Box(host::Pl("BŁĄD"),
                host::Pl("Błąd pliku HEX!\nBłędna suma kontrolna lub niepełny rekord."));
            return false;
        case HexReadResult::CannotOpen:
            Box(host::Pl("BŁĄD"), host::Pl("Błąd pliku HEX!\nNie można odczytać pliku."));
            return false;
        case HexReadResult::StoppedBelowLimit:
        case HexReadResult::StoppedAtTop: return false;  // the reader showed its box
    }
    return false;
}

// --- boot loader ---------------------------------------------------------------------------------

// From Program the user program, not the firmware, would hear 0xF0 (and might echo it as if it
// were the mode reply), so Program goes through System first, as Komendy does. A Cancel cuts the
// wait in hand short; nothing more is asked of the controller after it.
bool FlashOperations::EnterBootLoader(bool withPause, bool showProgress) {
    const auto goOn = [&](int position) {
        if (showProgress) Step(position);
        return !CancelRequested();
    };
    link_.StopStateCheck();
    if (!goOn(0)) return false;
    if (withPause) link_.Serial().Clock().WaitSeconds(kEnterPauseSeconds);
    if (!goOn(1)) return false;
    link_.QueryDeviceMode();
    if (!goOn(2)) return false;
    if (link_.IsMode(DeviceMode::Komendy) || link_.IsMode(DeviceMode::Program)) {
        link_.RequestMode(kToSystem, kBootLoaderSeconds);
    }
    if (!goOn(3)) return false;
    if (link_.IsMode(DeviceMode::System) || link_.IsMode(DeviceMode::Program) ||
        link_.IsMode(DeviceMode::Unknown)) {
        link_.RequestMode(kToBootLoader, kBootLoaderSeconds);
    }
    if (showProgress) Step(4);
    return link_.IsMode(DeviceMode::BootLoader);
}

// The request may have been cut short on its way: the controller may be entering the boot
// loader or may have answered late. Back to System, briefly: a silent controller must not hold
// a cancelled operation.
FlashResult FlashOperations::LeaveCancelled() {
    if (!link_.IsMode(DeviceMode::Komendy) && !link_.IsMode(DeviceMode::Program) &&
        !link_.IsMode(DeviceMode::System)) {
        link_.RequestMode(kToSystem, kCancelReplySeconds);
    }
    return FlashResult::Cancelled;
}

bool FlashOperations::CancelRequested() { return progressShown_ && progress_.CancelRequested(); }

// Whether the operation stops: asked once more after the offer closed, for a Cancel pressed just
// before it closed.
bool FlashOperations::CloseCancel() {
    const bool cancelled = CancelRequested();
    progress_.SetCancellable(false);
    return CancelRequested() || cancelled;
}

// The start of an erase and of a write alike: into the boot loader, then the area erased. Until
// the erase byte goes out the operation may still be cancelled, leaving the flash as it was.
FlashResult FlashOperations::EnterBootLoaderAndErase(const FlashArea& area, const char* bootCaption,
                                                     const char* eraseCaption) {
    progress_.SetCancellable(true);
    const bool entered = EnterBootLoader(true, true);
    if (CloseCancel()) return LeaveCancelled();
    if (!entered) {
        Box(host::Pl(bootCaption), host::Pl(kBootLoaderText));
        return FlashResult::Failed;
    }
    const bool sent = link_.Send({area.eraseByte});
    Step(5);
    if (!sent || link_.ReadReply(kBootLoaderSeconds) != kDone) {
        Box(host::Pl(eraseCaption), host::Pl(area.eraseFailText));
        return FlashResult::Failed;
    }
    Step(6);
    return FlashResult::Done;
}

FlashOperations::Stream FlashOperations::ReadStream(const FlashArea& area, FlashImage& image) {
    Stream stream{area.readStart, area.readStart, 0};
    image.Erase();
    if (!link_.Send({area.readByte})) return stream;
    progress_.SetCancellable(true);
    while (stream.received < kStreamCap) {
        const auto chunk = link_.ReadStreamChunk(kStreamSilenceSeconds);
        if (!chunk) break;
        for (const std::uint8_t byte : *chunk) {
            // A cancelled stream is still heard out to its silence: bytes left coming in would be
            // taken for the replies of whatever is sent next.
            stream.cancelled = stream.cancelled || CancelRequested();
            // Bytes beyond the end of the memory have no place in the image and are dropped.
            if (!stream.cancelled && stream.end < FlashImage::kSize) image[stream.end++] = byte;
            ++stream.received;
            if (!stream.cancelled && stream.received % FlashImage::kPageSize == 0) {
                Step(std::min(stream.received, FlashImage::kSize - area.readStart));
            }
        }
    }
    progress_.SetCancellable(false);
    // A Cancel during a wait for the next bytes ends that wait at once.
    stream.cancelled = stream.cancelled || CancelRequested();
    return stream;
}

// --- operations ----------------------------------------------------------------------------------

FlashResult FlashOperations::Erase(FlashArea::Kind kind) {
    const FlashArea& area = FlashArea::Of(kind);
    OperationEnd end(*this);
    BeginProgress(kEraseRange);
    const FlashResult erased =
        EnterBootLoaderAndErase(area, area.eraseBootCaption, area.eraseFailCaption);
    if (erased != FlashResult::Done) return erased;
    link_.Serial().Clock().WaitSeconds(kAfterEraseSeconds);
    link_.RequestMode(kToSystem, kBootLoaderSeconds);
    Step(7);
    return FlashResult::Done;
}

FlashResult FlashOperations::Write(FlashArea::Kind kind) {
    const FlashArea& area = FlashArea::Of(kind);
    std::string content;
    const std::optional<std::string> path = ChooseFileToWrite(area, content);
    if (!path) return FlashResult::Cancelled;
    OperationEnd end(*this);
    link_.StopStateCheck();
    link_.Settings().WriteString(area.writeSetting, *path);

    FlashImage image;
    if (!LoadImage(area, content, image)) return FlashResult::Failed;

    BeginProgress(kWriteRange);
    const FlashResult erased =
        EnterBootLoaderAndErase(area, area.writeBootCaption, area.writeEraseCaption);
    if (erased != FlashResult::Done) return erased;
    if (area.pauseBeforePages > 0) {
        link_.Serial().Clock().WaitSeconds(area.pauseBeforePages);
        Step(7);
    }
    if (WritePages(area, image) != FlashResult::Done) return FlashResult::Failed;
    link_.RequestMode(kToSystem, kBootLoaderSeconds);
    Step(kWriteRange);
    EndProgress();
    if (link_.Settings().ReadInt(kVerifySetting, 0) != 0) return Verify(area, image);
    return FlashResult::Done;
}

// Every sent page must be acknowledged with 1 to this very frame: input left over from before is
// discarded first, so a stale byte can never pass for the acknowledgement.
FlashResult FlashOperations::WritePages(const FlashArea& area, const FlashImage& image) {
    std::array<std::uint8_t, kFrameSize> frame{};
    for (int i = 0; i < FlashImage::kPages; ++i) {
        const int page = area.pagesDescending ? FlashImage::kPages - 1 - i : i;
        if (!image.PageEmpty(page)) {
            const int address = page * FlashImage::kPageSize;
            frame[0] = kWritePage;
            frame[1] = static_cast<std::uint8_t>(address / 256);
            frame[2] = static_cast<std::uint8_t>(address % 256);
            std::copy_n(image.Page(page), FlashImage::kPageSize, frame.begin() + 3);
            if (link_.Request(frame, kBootLoaderSeconds) != kDone) {
                Box(host::Pl(area.pageFailCaption), host::Pl(area.pageFailText));
                return FlashResult::Failed;
            }
        }
        Step(area.pagesDescending ? 135 - page : page + 8);
    }
    return FlashResult::Done;
}

FlashResult FlashOperations::ReadOut(FlashArea::Kind kind) {
    const FlashArea& area = FlashArea::Of(kind);
    OperationEnd end(*this);
    link_.StopStateCheck();
    if (!link_.IsMode(DeviceMode::BootLoader)) {
        link_.SwitchToBootLoader();
        link_.StopStateCheck();
    }
    if (!link_.IsMode(DeviceMode::BootLoader)) {
        Box(host::Pl(area.readBootCaption), host::Pl("Błąd pobrania Programu!"));
        return FlashResult::Failed;
    }
    const std::optional<std::string> path = ChooseFileToSave(area);
    if (!path) return FlashResult::Cancelled;
    link_.Settings().WriteString(area.readSetting, *path);

    FlashImage image;
    BeginProgress(FlashImage::kSize - area.readStart);
    const Stream stream = ReadStream(area, image);
    EndProgress();
    if (stream.cancelled) return FlashResult::Cancelled;  // no file for part of the flash
    // An empty read-out would still make a well-formed file; it must not pass for the flash.
    if (stream.received == 0) {
        Box(host::Pl("Błąd pobrania"),
            host::Pl("Nie odebrano żadnych danych z urządzenia.\nPlik nie został zapisany."));
        return FlashResult::Failed;
    }
    const std::string text = area.kind == FlashArea::Kind::System ? HexFile::WriteSystemHex(image)
                                                                  : HexFile::WriteProgramHex(image);
    std::string error;
    if (!platform::AtomicFile::Write(*path, text, &error)) {
        Box(host::Pl("Błąd zapisu pliku"),
            host::Pl("Nie można zapisać pliku:\n") + *path + "\n" + error);
        return FlashResult::Failed;
    }
    return FlashResult::Done;
}

// Reads the area back through the boot loader and compares it with what was written; the
// controller is left in System mode, as after a write.
FlashResult FlashOperations::Verify(const FlashArea& area, const FlashImage& written) {
    lastDifference_.reset();
    BeginProgress(FlashImage::kSize - area.readStart);
    progress_.SetCancellable(true);
    const bool entered = EnterBootLoader(false, false);
    if (CloseCancel()) {
        EndProgress();
        return LeaveCancelled();  // written, but left unchecked
    }
    if (!entered) {
        EndProgress();
        Box(host::Pl("Błąd weryfikacji"), host::Pl(kBootLoaderText));
        return FlashResult::Failed;
    }
    FlashImage readBack;
    const Stream stream = ReadStream(area, readBack);
    EndProgress();
    link_.RequestMode(kToSystem, kBootLoaderSeconds);
    if (stream.cancelled) return FlashResult::Cancelled;  // written, but left unchecked
    lastDifference_ =
        FlashVerifier::FirstDifference(written, readBack, stream.start, stream.end, area);
    if (!lastDifference_) return FlashResult::Done;
    Box(host::Pl("Błąd weryfikacji"),
        host::Pl("Zawartość pamięci urządzenia różni się od zapisanego pliku.\n"
                 "Pierwszy różniący się adres: 0x") + HexFile::WordToHex(*lastDifference_));
    return FlashResult::Failed;
}

std::optional<std::string> FlashOperations::Version() {
    const auto first = link_.Request({kVersion}, kVersionSeconds);
    if (!first) {
        Box(host::Pl("Błąd (WSW01)"), host::Pl("Nie odebrano informacji o wersji Systemu!"));
        return std::nullopt;
    }
    const auto second = link_.ReadReply(kVersionSeconds);
    if (!second) {
        Box(host::Pl("Błąd (WSW02)"), host::Pl("Nie odebrano informacji o wersji Systemu!"));
        return std::nullopt;
    }
    const std::string version{Printable(*second), '.', Printable(*first)};
    Box(host::Pl("Wersja Systemu"),
        host::Pl("System znajdujący się w urządzeniu jest w wersji: ") + version);
    return version;
}

}  // namespace orvane::device
