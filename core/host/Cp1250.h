// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace orvane::host {

// All core text is 8-bit Windows code page 1250; conversion happens only at the edges
// (terminal, window, source literals). Unmappable characters become '?'.
std::string Cp1250ToUtf8(std::string_view cp1250);
std::string Utf8ToCp1250(std::string_view utf8);

// UTF-8 pieces for the INI reader and the editor's position map: one code point appended, and the code
// point at `i` decoded (malformed input gives U+FFFD and moves on by one byte).
void AppendUtf8(std::string& out, std::uint32_t codePoint);
std::uint32_t NextUtf8CodePoint(std::string_view utf8, std::size_t& i);

// Shorthand for the system's own Polish texts written as UTF-8 literals in the sources.
inline std::string Pl(std::string_view utf8) { return Utf8ToCp1250(utf8); }

// Case folding for key and section lookups (ASCII and the CP1250 letters with diacritics).
char FoldChar(char c);
std::string FoldCase(std::string_view cp1250);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace orvane::host
