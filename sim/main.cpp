// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <string>
#include <vector>

#include "sim/SimOptions.h"
#include "sim/SimRunner.h"

int main(int argc, char** argv) {
    using orvane::sim::SimOptions;
    SimOptions options;
    std::string error;
    if (!SimOptions::Parse(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::fprintf(stderr, "orvane-sim: %s\n\n%s", error.c_str(), SimOptions::Usage().c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(SimOptions::Usage().c_str(), stdout);
        return 0;
    }
    return orvane::sim::SimRunner(std::move(options)).Run();
}
