// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/TextEditorAccess.h"

#include <algorithm>

namespace orvane::platform {

TextEditorAccess::TextEditorAccess(std::string text) { SetText(std::move(text)); }

void TextEditorAccess::SetText(std::string text) {
    text_ = std::move(text);
    lineStarts_.assign(1, 0);
    for (std::size_t i = 0; i < text_.size(); ++i)
        if (text_[i] == '\n') lineStarts_.push_back(static_cast<std::int32_t>(i + 1));
    selectionStart_ = selectionEnd_ = 0;
}

// Positions are clamped to the text, as an edit control does with a selection past its end.
void TextEditorAccess::SetSelection(std::int32_t start, std::int32_t end) {
    selectionStart_ = std::clamp(start, 0, Length());
    selectionEnd_ = std::clamp(end, 0, Length());
}

void TextEditorAccess::GetSelection(std::int32_t& start, std::int32_t& end) const {
    start = selectionStart_;
    end = selectionEnd_;
}

std::int32_t TextEditorAccess::LineFromPosition(std::int32_t pos) const {
    const auto after = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), std::max(pos, 0));
    return static_cast<std::int32_t>(after - lineStarts_.begin()) - 1;
}

std::int32_t TextEditorAccess::LineStart(std::int32_t line) const {
    if (line < 0) return 0;
    if (line >= LineCount()) return Length();
    return lineStarts_[static_cast<std::size_t>(line)];
}

std::string TextEditorAccess::LineText(std::int32_t line) const {
    if (line < 0 || line >= LineCount()) return {};
    const auto begin = static_cast<std::size_t>(LineStart(line));
    auto end = static_cast<std::size_t>(line + 1 < LineCount() ? LineStart(line + 1) : Length());
    if (end > begin && text_[end - 1] == '\n') --end;
    if (end > begin && text_[end - 1] == '\r') --end;
    return text_.substr(begin, end - begin);
}

}  // namespace orvane::platform
