#pragma once
#include "app/host/GuiCall.h"
#include "core/host/Prompts.h"

namespace orvane::app::host {

// The device thread's message boxes: each is shown by the window thread's prompts while the
// device thread waits for the answer (the window itself never waits for the device thread).
class ThreadPrompts : public orvane::host::Prompts {
public:
    ThreadPrompts(orvane::host::Prompts& window, QObject* windowContext)
        : window_(window), context_(windowContext) {}
    orvane::host::Answer Ask(const std::string& caption, const std::string& text,
                             orvane::host::Buttons buttons, orvane::host::Icon icon) override {
        orvane::host::Answer answer = orvane::host::Answer::Cancel;
        CallOnThreadOf(context_, [&] { answer = window_.Ask(caption, text, buttons, icon); });
        return answer;
    }

private:
    orvane::host::Prompts& window_;
    QObject* context_;
};

}  // namespace orvane::app::host
