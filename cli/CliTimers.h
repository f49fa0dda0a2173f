// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "core/host/Timers.h"

namespace orvane::cli {

// A command line runs one operation and ends; the periodic state check has nothing to watch
// between operations, so its timers are accepted and never fire.
class CliTimers : public host::Timers {
public:
    void Start(int, int) override {}
    void Kill(int) override {}
};

}  // namespace orvane::cli
