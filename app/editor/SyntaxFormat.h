// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>

namespace orvane::app::editor {

// The character formats of the script editor. Their numbers are the editor's style numbers, and
// the styles are the only lexical state the colouring keeps: the formats of comments, strings,
// characters and directives therefore never share a number with anything else.
enum class Format : std::uint8_t {
    BlockComment = 0,
    LineComment = 1,
    String = 2,
    Character = 3,
    Plain = 4,
    Directive = 5,
    KeyWord = 6,
    Type = 7,
    Constant = 8,
    Number = 9,
    CallTip = 10,
};
inline constexpr int kFormatCount = 11;

// What the colouring is inside of at a point of the text.
enum class LexState : std::uint8_t {
    Plain = 0,
    LineComment = 1,
    BlockComment = 2,
    String = 3,
    Character = 4,
    Directive = 5,
};

struct FormatLook {
    std::uint8_t red, green, blue;
    bool bold;
    int pointSize;
};

inline constexpr std::array<FormatLook, kFormatCount> kFormatLooks = {{
    {64, 232, 64, false, 10},   // block comment
    {96, 232, 96, false, 10},   // line comment
    {191, 64, 32, false, 10},   // string
    {230, 64, 32, true, 10},    // character literal
    {0, 0, 0, false, 10},       // plain text
    {0, 0, 255, false, 10},     // directive
    {0, 0, 240, false, 10},     // key word
    {128, 64, 0, true, 10},     // type
    {0, 0, 0, true, 10},        // constant
    {245, 0, 0, false, 10},     // number
    {0, 0, 0, false, 8},        // call tip
}};

inline constexpr FormatLook LookOf(Format f) { return kFormatLooks[static_cast<std::size_t>(f)]; }
inline constexpr char StyleByte(Format f) { return static_cast<char>(f); }

}  // namespace orvane::app::editor
