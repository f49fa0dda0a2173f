// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/ScriptedPrompts.h"

#include "core/host/Cp1250.h"

namespace orvane::test {

host::Answer ScriptedPrompts::Ask(const std::string& caption, const std::string& text,
                                  host::Buttons buttons, host::Icon icon) {
    boxes_.push_back({host::Cp1250ToUtf8(caption), host::Cp1250ToUtf8(text), buttons, icon});
    if (!answers_.empty()) {
        const host::Answer a = answers_.front();
        answers_.pop_front();
        return a;
    }
    return buttons == host::Buttons::YesNo ? host::Answer::Yes : host::Answer::Ok;
}

std::vector<std::string> ScriptedPrompts::Shown() const {
    std::vector<std::string> shown;
    for (const auto& b : boxes_) shown.push_back(b.caption + " | " + b.text);
    return shown;
}

}  // namespace orvane::test
