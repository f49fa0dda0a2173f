// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "core/host/Prompts.h"

namespace orvane::sim {

// The simulator has no window: a box becomes a line on standard error, answered OK (Yes for a
// question, so nothing the simulator asks can stop it half-way).
class StderrPrompts : public host::Prompts {
public:
    host::Answer Ask(const std::string& caption, const std::string& text, host::Buttons buttons,
                     host::Icon icon) override;
};

}  // namespace orvane::sim
