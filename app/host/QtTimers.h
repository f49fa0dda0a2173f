// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <map>
#include <memory>

#include "core/host/Timers.h"

class QTimer;

namespace orvane::app::host {

// The core's timers by id as QTimers of the thread that uses them (the device thread for the
// state check and the run): each fires the handler with its id on that thread, between the
// operations posted to it, never inside one.
class QtTimers : public orvane::host::Timers {
public:
    using Handler = std::function<void(int id)>;
    explicit QtTimers(Handler handler);
    ~QtTimers() override;

    // A period below 1 ms counts as 1 ms.
    void Start(int id, int periodMs) override;
    void Kill(int id) override;
    bool IsRunning(int id) const;

private:
    Handler handler_;
    std::map<int, std::unique_ptr<QTimer>> timers_;
};

}  // namespace orvane::app::host
