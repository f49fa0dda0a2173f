// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/StderrPrompts.h"

#include <cstdio>

#include "core/host/Cp1250.h"

namespace orvane::sim {

host::Answer StderrPrompts::Ask(const std::string& caption, const std::string& text,
                                host::Buttons buttons, host::Icon) {
    std::fprintf(stderr, "orvane-sim: %s: %s\n", host::Cp1250ToUtf8(caption).c_str(),
                 host::Cp1250ToUtf8(text).c_str());
    return buttons == host::Buttons::YesNo ? host::Answer::Yes : host::Answer::Ok;
}

}  // namespace orvane::sim
