// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace orvane::sim {

// SIGINT, SIGTERM and SIGHUP in two phases. While the simulator only loads its files they end
// it at once, as they end any program: nothing needs saving yet, and a huge Komendy.ini or HEX
// file, or a log path that blocks, must not leave it deaf to Ctrl+C. Catch() then delivers them
// as a readable descriptor, so the event loop ends in an orderly way (flash saved) instead of
// inside a signal handler. SIGPIPE is ignored throughout.
class StopSignals {
public:
    // The default action for the stop signals, even where the parent left them ignored or
    // blocked.
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // From now on a stop signal waits on Fd() instead of ending the process; one that arrives
    // later is never lost.
    void Catch();
    // Readable once a stop signal arrived; -1 before Catch or when it could not be set up.
    int Fd() const { return fd_; }
    // The name of the signal that arrived (consumes it), empty if none.
    const char* Take();

private:
    int fd_ = -1;
};

}  // namespace orvane::sim
