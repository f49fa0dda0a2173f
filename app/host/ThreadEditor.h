// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>

#include "app/host/EditorDisplay.h"
#include "app/host/EditorSnapshot.h"
#include "core/host/EditorAccess.h"

class QObject;

namespace orvane::app::host {

// The editor as work on the device thread sees it: the text as it stood when the window handed
// the work over, read without ever touching a widget, and what the work shows of it (the
// statement it stands at, its hold on the editor, the variable list) handed on to an
// EditorDisplay on the window thread without waiting. A run selects a statement per tick: those
// selections are coalesced, so the window takes the latest one whenever it gets round to it,
// while everything else arrives in the order it was done.
class ThreadEditor : public orvane::host::EditorAccess {
public:
    ThreadEditor() = default;

    // Device thread: the text to work on and where to show the work; nothing shows before.
    void Reset(EditorSnapshot snapshot, EditorDisplay& display, QObject* displayContext);

    std::int32_t Length() const override { return static_cast<std::int32_t>(snapshot_.text.size()); }
    unsigned char ByteAt(std::int32_t pos) const override {
        return static_cast<unsigned char>(snapshot_.text[static_cast<std::size_t>(pos)]);
    }
    void GetSelection(std::int32_t& start, std::int32_t& end) const override;
    void SetSelection(std::int32_t start, std::int32_t end) override;
    bool IsEnabled() const override { return enabled_; }
    void SetEnabled(bool enabled) override;
    void Focus() override;
    std::int32_t LineFromPosition(std::int32_t pos) const override;
    std::string LineText(std::int32_t line) const override;
    std::int32_t LineStart(std::int32_t line) const override;
    void ShowVariableList(bool show) override;
    void SetVariableLines(const std::vector<std::string>& lines) override;

private:
    // Selections waiting for the window; a new box starts after each ordered call, so a
    // selection never overtakes what was done after it.
    struct Mailbox {
        std::mutex mutex;
        std::optional<std::pair<std::int32_t, std::int32_t>> selection;
    };

    void Ordered(std::function<void(EditorDisplay&)> show);
    void Post(std::function<void(EditorDisplay&)> show);
    std::int32_t LineCount() const { return static_cast<std::int32_t>(snapshot_.lineStarts.size()); }

    EditorSnapshot snapshot_;
    EditorDisplay* display_ = nullptr;
    QObject* context_ = nullptr;
    std::shared_ptr<Mailbox> mailbox_ = std::make_shared<Mailbox>();
    bool enabled_ = true;
};

}  // namespace orvane::app::host
