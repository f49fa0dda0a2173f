// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <set>
#include <string>
#include <tuple>

#include "core/host/Prompts.h"

namespace orvane::script {

// The boxes of a run's statements. An OK box that one statement has shown already in this run
// is not shown again: a loop whose statement keeps failing would otherwise bring the same box
// back without end, and a window user, who can only acknowledge it, would never reach Stop.
// Yes/No boxes are always asked: their No ends the run.
class RunPrompts : public host::Prompts {
public:
    explicit RunPrompts(host::Prompts& boxes) : boxes_(boxes) {}

    void StartRun() { shown_.clear(); }
    // The statement that the boxes to come belong to.
    void AtStatement(std::int32_t start) { statement_ = start; }

    host::Answer Ask(const std::string& caption, const std::string& text, host::Buttons buttons,
                     host::Icon icon) override;

private:
    host::Prompts& boxes_;
    std::int32_t statement_ = -1;
    std::set<std::tuple<std::int32_t, std::string, std::string>> shown_;
};

}  // namespace orvane::script
