// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>

#include "core/host/Prompts.h"

class QWidget;

namespace orvane::app::host {

// The core's message boxes as QMessageBox, on the window thread: caption, text, buttons and
// icon exactly as the core words them (its CP1250 turned into Unicode here). While the window
// shuts down no box is shown: the answer is the one that stops (No, Cancel).
class QtPrompts : public orvane::host::Prompts {
public:
    explicit QtPrompts(QWidget* parent) : parent_(parent) {}
    orvane::host::Answer Ask(const std::string& caption, const std::string& text,
                             orvane::host::Buttons buttons, orvane::host::Icon icon) override;
    void SetClosing(bool closing) { closing_ = closing; }
    // A box whose code the help explains gets a "Pomoc" button (and F1) that calls `show` with
    // the code; the box stays up, asked again once the help is closed.
    void SetBoxHelp(std::function<void(const std::string& code)> show) { boxHelp_ = std::move(show); }
    bool IsClosing() const { return closing_; }
    // The answer that stops: No, Cancel, or the OK of a box that only tells.
    static orvane::host::Answer StoppingAnswer(orvane::host::Buttons buttons);

private:
    QWidget* parent_;
    bool closing_ = false;
    std::function<void(const std::string& code)> boxHelp_;
};

}  // namespace orvane::app::host
