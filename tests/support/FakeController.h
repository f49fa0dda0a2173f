// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <vector>

#include "core/device/FlashImage.h"
#include "tests/support/ScriptedPort.h"

namespace orvane::test {

// The controller as the device tests need it on a scripted wire: its modes, the two device
// parameters, the version and an 8 KB flash the boot loader erases, writes and streams back,
// answering at once on the fake clock. The knobs below make it misbehave in one way each.
class FakeController {
public:
    // Installs itself as the wire's responder; the wire must outlive it.
    explicit FakeController(Wire& wire);

    int mode = 0xFF;  // the mode byte it reports
    std::uint8_t params[2] = {0xFF, 0x00};
    std::uint8_t version[2] = {'3', '1'};
    device::FlashImage flash;

    bool silent = false;           // answers nothing at all
    int eraseReply = 1;
    int pageReply = 1;
    int pagesAnswered = -1;        // pages answered before it falls silent (-1: all)
    int corruptAddress = -1;       // a flash byte that is stored inverted
    int streamLimit = -1;          // bytes sent by a read-out (-1: to the end of memory)
    bool extraByteAfterErase = false;  // a stray 1 after the erase reply
    std::int64_t bootLoaderDelayMs = 0;  // how late the boot loader answers (entry and way back too)

    std::vector<int> pagesWritten;  // page numbers, in the order they came

private:
    void Hear(const std::vector<std::uint8_t>& bytes, Wire& wire);
    void HearBootLoader(const std::vector<std::uint8_t>& bytes, Wire& wire);
};

}  // namespace orvane::test
