#pragma once

namespace orvane::sim {

// SIGINT, SIGTERM and SIGHUP delivered as a readable descriptor, so the event loop ends in an
// orderly way (flash saved) instead of inside a signal handler. SIGPIPE is ignored.
class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // Readable once a stop signal arrived; -1 when it could not be set up.
    int Fd() const { return fd_; }
    // The name of the signal that arrived (consumes it), empty if none.
    const char* Take();

private:
    int fd_ = -1;
};

}  // namespace orvane::sim
