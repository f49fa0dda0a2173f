// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>

#include "core/device/FlashImage.h"
#include "core/host/Prompts.h"

namespace orvane::device {

// A message box the reader shows when a file's data lie outside the allowed addresses (CP1250).
struct HexMessage {
    std::string caption;
    std::string text;
};

enum class HexReadResult {
    Complete,            // up to and including a valid end-of-file record
    NoEndRecord,         // the text ended without one; the image holds what was read
    StoppedBelowLimit,   // a data record started below the lower limit (message shown)
    StoppedAtTop,        // a data record started at 0x1F00 or above (message shown)
    StoppedEndWithData,  // an end-of-file record carried data
    StoppedBadChecksum,  // a record's checksum did not match, or the text ended inside a record
    CannotOpen,          // the file could not be read at all
    NotHex,              // text without a single well-formed record line: no Intel HEX at all
};

// Intel HEX text for the flash transfers: the reader fills a FlashImage for writing into the
// controller, the writers turn a read-out image into the System or the Program file. The
// callers own the files (written through AtomicFile); this class only deals in text.
class HexFile {
public:
    // Two uppercase digits; "FF" for 256 and above, "00" for negative values.
    static std::string ByteToHex(int value);
    // Four uppercase digits; "FFFF" for 0x10000 and above, "0000" for negative values.
    static std::string WordToHex(int value);

    // Erases `image` and fills it from HEX text. Data records starting below `lowerLimit` (when
    // it is above 0) or at 0x1F00 and above show `below` or `top` through `prompts` and stop.
    static HexReadResult ReadHexImage(std::string_view content, FlashImage& image, int lowerLimit,
                                      const HexMessage& below, const HexMessage& top,
                                      host::Prompts& prompts);
    // The same over a file's contents; CannotOpen, with no message, when it cannot be read.
    static HexReadResult ReadHexFile(const std::string& path, FlashImage& image, int lowerLimit,
                                     const HexMessage& below, const HexMessage& top,
                                     host::Prompts& prompts);
    // Complete or NoEndRecord: the transfer goes on with the image.
    static bool Usable(HexReadResult result);

    // The System region as HEX text, CR LF line ends.
    static std::string WriteSystemHex(const FlashImage& image);
    // The Program region as HEX text, CR LF line ends.
    static std::string WriteProgramHex(const FlashImage& image);
};

}  // namespace orvane::device
