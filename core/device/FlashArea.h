// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane::device {

// What tells the two flash areas apart in every boot-loader operation: their request bytes, where
// their read-out starts, their page order, their settings and the wording of their boxes. The
// texts are UTF-8 here and converted to CP1250 where a box is shown.
struct FlashArea {
    enum class Kind { System, Program };

    Kind kind;
    std::uint8_t eraseByte;   // 'E' / 'e'
    std::uint8_t readByte;    // 'R' / 'r'
    int readStart;            // where the read-out stream lands in the image
    int areaStart, areaEnd;   // what the erase clears and a write should leave behind
    int lowerLimit;           // lowest data address a file to be written may hold (0: none)
    bool pagesDescending;     // the System is written from its top page down
    int pauseBeforePages;     // seconds between the erase and the first page

    const char* eraseBootCaption;
    const char* eraseFailCaption;
    const char* eraseFailText;
    const char* writeBootCaption;
    const char* writeEraseCaption;
    const char* pageFailCaption;
    const char* pageFailText;
    const char* readBootCaption;
    const char* belowLimitText;   // caption "BŁĄD"
    const char* topLimitText;     // caption "BŁĄD"

    const char* writeSetting;     // the file last written
    const char* readSetting;      // the file last read out
    bool writeDefaultInUserFolder;
    const char* writeDefault;
    bool readDefaultInUserFolder;
    const char* readDefault;

    static const FlashArea& System();
    static const FlashArea& Program();
    // "system" or "program" (any case), for the command line.
    static std::optional<Kind> Parse(std::string_view word);
    static const FlashArea& Of(Kind kind);
};

}  // namespace orvane::device
