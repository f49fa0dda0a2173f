// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/script/RunPrompts.h"

namespace orvane::script {

host::Answer RunPrompts::Ask(const std::string& caption, const std::string& text,
                             host::Buttons buttons, host::Icon icon) {
    if (buttons == host::Buttons::Ok && !shown_.emplace(statement_, caption, text).second)
        return host::Answer::Ok;
    return boxes_.Ask(caption, text, buttons, icon);
}

}  // namespace orvane::script
