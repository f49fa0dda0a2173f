// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/device/DeviceLink.h"
#include "core/device/FlashArea.h"
#include "core/device/FlashImage.h"
#include "core/host/FileChooser.h"
#include "core/host/Progress.h"

namespace orvane::device {

// How a flash operation ended. Failed always follows a box that said why.
enum class FlashResult { Done, Cancelled, Failed };

// The boot-loader operations on the controller's flash: erase, write and read-out of the System
// and Program areas, the System's version, and an optional read-back check after a write. Each
// stops the state check while it holds the line and restarts it at the end, however it ends.
class FlashOperations {
public:
    // Whether a write reads the area back and compares it (0 or 1).
    static constexpr const char* kVerifySetting = "Weryfikuj zapis";
    static constexpr int kEraseRange = 7;
    static constexpr int kWriteRange = 137;

    // `userFolder` ends with "/"; the Program files default to "Plik.hex" in it.
    FlashOperations(DeviceLink& link, host::FileChooser& files, host::Progress& progress,
                    std::string userFolder);

    FlashResult Erase(FlashArea::Kind kind);
    // Offers the file of the setting "Plik" (the compiler stores its HEX there first).
    FlashResult Write(FlashArea::Kind kind);
    FlashResult ReadOut(FlashArea::Kind kind);
    // "x.y" as shown in the box, or empty after the WSW01 / WSW02 box.
    std::optional<std::string> Version();

    // The address the last failed verification stopped at, for callers that report it again.
    std::optional<int> LastDifference() const { return lastDifference_; }

private:
    struct Stream {
        int start = 0;
        int end = 0;  // one past the last byte stored
        int received = 0;
        bool cancelled = false;  // the user stopped it; the rest was heard out and dropped
    };

    std::optional<std::string> ChooseFileToWrite(const FlashArea& area, std::string& content);
    std::optional<std::string> ChooseFileToSave(const FlashArea& area);
    bool LoadImage(const FlashArea& area, const std::string& content, FlashImage& image);
    bool EnterBootLoader(bool withPause, bool showProgress);
    FlashResult EnterBootLoaderAndErase(const FlashArea& area, const char* bootCaption,
                                        const char* eraseCaption);
    bool CancelRequested();
    bool CloseCancel();
    FlashResult LeaveCancelled();
    FlashResult WritePages(const FlashArea& area, const FlashImage& image);
    Stream ReadStream(const FlashArea& area, FlashImage& image);
    FlashResult Verify(const FlashArea& area, const FlashImage& written);
    std::string DefaultPath(bool inUserFolder, const char* name) const;
    // Caption and text in CP1250.
    void Box(const std::string& caption, const std::string& text);
    void BeginProgress(int range);
    void Step(int position);
    void EndProgress();

    class OperationEnd;

    DeviceLink& link_;
    host::FileChooser& files_;
    host::Progress& progress_;
    std::string userFolder_;
    bool progressShown_ = false;
    std::optional<int> lastDifference_;
};

}  // namespace orvane::device
