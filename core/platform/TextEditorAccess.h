// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/host/EditorAccess.h"

namespace orvane::platform {

// The editor without a window: a CP1250 text with a selection, an enabled flag and line
// queries. The CLI compiles and runs scripts through it, and tests drive the core with it.
// Lines end at "\n"; a "\r" before it belongs to the line end, so CR LF files read alike.
class TextEditorAccess : public host::EditorAccess {
public:
    explicit TextEditorAccess(std::string text = {});

    void SetText(std::string text);
    const std::string& Text() const { return text_; }

    std::int32_t Length() const override { return static_cast<std::int32_t>(text_.size()); }
    unsigned char ByteAt(std::int32_t pos) const override {
        return static_cast<unsigned char>(text_[static_cast<std::size_t>(pos)]);
    }

    void GetSelection(std::int32_t& start, std::int32_t& end) const override;
    void SetSelection(std::int32_t start, std::int32_t end) override;
    bool IsEnabled() const override { return enabled_; }
    void SetEnabled(bool enabled) override { enabled_ = enabled; }
    void Focus() override { ++focusRequests_; }

    std::int32_t LineFromPosition(std::int32_t pos) const override;
    std::string LineText(std::int32_t line) const override;
    std::int32_t LineStart(std::int32_t line) const override;
    std::int32_t LineCount() const { return static_cast<std::int32_t>(lineStarts_.size()); }

    void ShowVariableList(bool show) override { variableListShown_ = show; }
    void SetVariableLines(const std::vector<std::string>& lines) override { variableLines_ = lines; }

    int FocusRequests() const { return focusRequests_; }
    bool VariableListShown() const { return variableListShown_; }
    const std::vector<std::string>& VariableLines() const { return variableLines_; }

private:
    std::string text_;
    std::vector<std::int32_t> lineStarts_;  // the first position of every line; never empty
    std::int32_t selectionStart_ = 0;
    std::int32_t selectionEnd_ = 0;
    bool enabled_ = true;
    int focusRequests_ = 0;
    bool variableListShown_ = false;
    std::vector<std::string> variableLines_;
};

}  // namespace orvane::platform
