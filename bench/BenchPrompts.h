// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdio>
#include <string>

#include "core/host/Cp1250.h"
#include "core/host/Prompts.h"

// Boxes during a benchmark: printed to standard error and counted; a question is answered No,
// so a failure ends the measured operation instead of being passed over.
class BenchPrompts : public orvane::host::Prompts {
public:
    orvane::host::Answer Ask(const std::string& caption, const std::string& text,
                             orvane::host::Buttons, orvane::host::Icon) override {
        std::fprintf(stderr, "box: %s: %s\n", orvane::host::Cp1250ToUtf8(caption).c_str(),
                     orvane::host::Cp1250ToUtf8(text).c_str());
        ++shown;
        return orvane::host::Answer::No;
    }
    int shown = 0;
};
