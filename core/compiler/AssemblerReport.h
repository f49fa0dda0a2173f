// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace orvane::compiler {

// Judges the assembler's report. It succeeded when a line says "Assembly complete with no
// errors." — avra words it "Assembly complete with no errors (2 warnings)." when it only warned,
// which is a success too: the image was written.
class AssemblerReport {
public:
    static constexpr std::string_view kSuccess = "Assembly complete with no errors.";
    static bool Succeeded(std::string_view report);

    // A report line that names a place in a source file: "FILE(LINE) : Error   : text".
    struct Place {
        enum class Kind { Error, Warning, Note };
        std::string file;
        int line = 0;
        Kind kind = Kind::Note;
    };
    static std::optional<Place> PlaceOf(std::string_view reportLine);
};

}  // namespace orvane::compiler
