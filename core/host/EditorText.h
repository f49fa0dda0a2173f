// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>

namespace orvane::host {

// The script as the statement reader sees it: 8-bit CP1250 characters at signed 32-bit
// positions. The window editor implements it over its own buffer (keeping a position map to its
// UTF-8 text); tests and the CLI use a plain buffer.
class EditorText {
public:
    virtual ~EditorText() = default;
    virtual std::int32_t Length() const = 0;
    // The byte at `pos`, 0..255; only called for 0 <= pos < Length().
    virtual unsigned char ByteAt(std::int32_t pos) const = 0;

    // The character as a signed 8-bit value widened to 32 bits: bytes from 0x80 up are
    // negative, 0xFF reads as -1 like the end of the text, and so does any position outside.
    int CharAt(std::int32_t pos) const {
        if (pos < 0 || pos >= Length()) return -1;
        return static_cast<signed char>(ByteAt(pos));
    }
};

// A plain in-memory text.
class TextBuffer : public EditorText {
public:
    explicit TextBuffer(std::string text = {}) : text_(std::move(text)) {}
    std::int32_t Length() const override { return static_cast<std::int32_t>(text_.size()); }
    unsigned char ByteAt(std::int32_t pos) const override {
        return static_cast<unsigned char>(text_[static_cast<std::size_t>(pos)]);
    }
    const std::string& Text() const { return text_; }
    void SetText(std::string text) { text_ = std::move(text); }

private:
    std::string text_;
};

}  // namespace orvane::host
