// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/host/ThreadEditor.h"

#include <algorithm>

#include "app/host/GuiCall.h"

namespace orvane::app::host {

void ThreadEditor::Reset(EditorSnapshot snapshot, EditorDisplay& display, QObject* displayContext) {
    snapshot_ = std::move(snapshot);
    if (snapshot_.lineStarts.empty()) snapshot_.lineStarts.push_back(0);
    display_ = &display;
    context_ = displayContext;
    mailbox_ = std::make_shared<Mailbox>();
    enabled_ = true;
}

void ThreadEditor::GetSelection(std::int32_t& start, std::int32_t& end) const {
    start = snapshot_.selectionStart;
    end = snapshot_.selectionEnd;
}

void ThreadEditor::SetSelection(std::int32_t start, std::int32_t end) {
    const std::int32_t length = Length();
    snapshot_.selectionStart = std::clamp(start, 0, length);
    snapshot_.selectionEnd = std::clamp(end, 0, length);
    const std::shared_ptr<Mailbox> box = mailbox_;
    const std::lock_guard lock(box->mutex);
    const bool waiting = box->selection.has_value();
    box->selection = std::pair{snapshot_.selectionStart, snapshot_.selectionEnd};
    if (waiting) return;  // the window has not taken the last one yet: it takes this one instead
    Post([box](EditorDisplay& display) {
        std::optional<std::pair<std::int32_t, std::int32_t>> selection;
        {
            const std::lock_guard taken(box->mutex);
            selection = std::exchange(box->selection, std::nullopt);
        }
        if (selection) display.ShowSelection(selection->first, selection->second);
    });
}

void ThreadEditor::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Ordered([enabled](EditorDisplay& display) { display.ShowEnabled(enabled); });
}

void ThreadEditor::Focus() {
    Ordered([](EditorDisplay& display) { display.ShowFocus(); });
}

void ThreadEditor::ShowVariableList(bool show) {
    Ordered([show](EditorDisplay& display) { display.ShowVariableList(show); });
}

void ThreadEditor::SetVariableLines(const std::vector<std::string>& lines) {
    Ordered([lines](EditorDisplay& display) { display.ShowVariableLines(lines); });
}

void ThreadEditor::Ordered(std::function<void(EditorDisplay&)> show) {
    mailbox_ = std::make_shared<Mailbox>();
    Post(std::move(show));
}

void ThreadEditor::Post(std::function<void(EditorDisplay&)> show) {
    if (display_ == nullptr || context_ == nullptr) return;
    PostToThreadOf(context_, [display = display_, show = std::move(show)] { show(*display); });
}

std::int32_t ThreadEditor::LineFromPosition(std::int32_t pos) const {
    const auto& starts = snapshot_.lineStarts;
    const auto after = std::upper_bound(starts.begin(), starts.end(), std::max(pos, 0));
    return static_cast<std::int32_t>(after - starts.begin()) - 1;
}

std::string ThreadEditor::LineText(std::int32_t line) const {
    if (line < 0 || line >= LineCount()) return {};
    const auto begin = static_cast<std::size_t>(LineStart(line));
    const auto end = static_cast<std::size_t>(LineStart(line + 1));
    std::string text = snapshot_.text.substr(begin, end - begin);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

std::int32_t ThreadEditor::LineStart(std::int32_t line) const {
    if (line < 0) return 0;
    if (line >= LineCount()) return Length();
    return std::min(snapshot_.lineStarts[static_cast<std::size_t>(line)], Length());
}

}  // namespace orvane::app::host
