#pragma once
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

private:
    QWidget* parent_;
    bool closing_ = false;
};

}  // namespace orvane::app::host
