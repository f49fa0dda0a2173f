// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace orvane::sim {

// Misbehaviour asked for on the command line, for the reliability tests. Byte counts start at 1:
// "the N-th byte sent" counts every reply byte the controller produces, "after N received"
// counts the bytes it heard at its own speed.
struct FaultPlan {
    bool silent = false;          // never answer
    int dropNth = 0;              // drop the N-th reply byte (0: off)
    int corruptNth = 0;           // flip the bits of the N-th reply byte
    bool corruptEcho = false;     // every command checksum echo wrong
    bool badAck = false;          // every command acknowledgement 0 instead of 1
    int hangupAfter = -1;         // close the line after N bytes heard (-1: off)
    int silentAfter = -1;         // answer nothing after N bytes heard (-1: off)
    int resetAfter = 0;           // restart as at power-up after N bytes heard (0: off)
    std::int64_t delayMs = 0;     // every reply this late
    bool eraseFails = false;      // boot-loader erases answered 0
    int writeFailsNth = 0;        // the N-th page write answered 0 and not stored

    // Adds one "--fault" description; false with a reason (UTF-8) when it is not understood.
    bool Add(std::string_view fault, std::string& error);
    // The accepted specifications, one per line, for the usage text.
    static const char* Help();
};

}  // namespace orvane::sim
