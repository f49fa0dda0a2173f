// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace orvane::host {

// Window timers of the view, known by their ids (1138 variable list, 1139 and 1140 state check,
// 1141 run tick). Starting a running id restarts it with the new period. The host calls back
// the owner's handler on its own thread; the core never waits for a timer.
class Timers {
public:
    virtual ~Timers() = default;
    virtual void Start(int id, int periodMs) = 0;
    virtual void Kill(int id) = 0;
};

}  // namespace orvane::host
