// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace orvane::app::simulate {

// The assembler's object file beside the HEX file records, for every instruction, the word
// address it went to and the file and line it came from. A fault at an address is traced back
// through it to the line of the generated program (the first file of its table).
class ObjectLines {
public:
    // The line (from 1) of the generated program at `wordAddress`, or none when the file is
    // missing, malformed or holds no instruction of that program there. `objPath` as the file
    // system spells it.
    static std::optional<int> LineOf(const std::string& objPath, std::uint32_t wordAddress);
    // The same, read from the file's bytes.
    static std::optional<int> LineIn(const std::string& bytes, std::uint32_t wordAddress);
};

}  // namespace orvane::app::simulate
