// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "app/host/GuiCall.h"
#include "app/host/QtPrompts.h"
#include "app/host/WaitBreaker.h"
#include "core/host/Prompts.h"

namespace orvane::app::host {

// The device thread's message boxes: each is shown by the window thread's prompts while the
// device thread waits for the answer (the window itself never waits for the device thread).
// While the breaker has fired (the user stopped the wait that caused the box) no box is shown:
// the answer is the one that stops.
class ThreadPrompts : public orvane::host::Prompts {
public:
    ThreadPrompts(orvane::host::Prompts& window, QObject* windowContext, const WaitBreaker* breaker = nullptr)
        : window_(window), context_(windowContext), breaker_(breaker) {}
    orvane::host::Answer Ask(const std::string& caption, const std::string& text,
                             orvane::host::Buttons buttons, orvane::host::Icon icon) override {
        if (breaker_ != nullptr && breaker_->Fired()) return QtPrompts::StoppingAnswer(buttons);
        orvane::host::Answer answer = orvane::host::Answer::Cancel;
        CallOnThreadOf(context_, [&] { answer = window_.Ask(caption, text, buttons, icon); });
        return answer;
    }

private:
    orvane::host::Prompts& window_;
    QObject* context_;
    const WaitBreaker* breaker_;
};

}  // namespace orvane::app::host
