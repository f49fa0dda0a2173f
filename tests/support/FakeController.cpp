// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/FakeController.h"

#include <algorithm>

namespace orvane::test {

using device::FlashImage;

FakeController::FakeController(Wire& wire) {
    wire.responder = [this](const std::vector<std::uint8_t>& bytes, Wire& w) { Hear(bytes, w); };
}

void FakeController::Hear(const std::vector<std::uint8_t>& bytes, Wire& wire) {
    if (silent || bytes.empty()) return;
    const std::uint8_t request = bytes[0];
    if (request == 0x00 || request == 0xFF) {  // the query, and the way back to System from any mode
        const std::int64_t delay = request == 0xFF && mode == 0xF0 ? bootLoaderDelayMs : 0;
        if (request == 0xFF) mode = 0xFF;
        wire.Reply({static_cast<std::uint8_t>(mode)}, delay);
        return;
    }
    if (mode == 0x00) wire.ReplyBytes(bytes);  // Program: only the switch back reaches the firmware
    if (mode == 0xF0) HearBootLoader(bytes, wire);
    if (mode != 0xFF) return;
    switch (request) {
        case 0xFE: mode = 0xFE; wire.Reply({0xFE}); break;
        case 0xFD: mode = 0x00; break;
        case 0xF0: mode = 0xF0; wire.Reply({0xF0}, bootLoaderDelayMs); break;
        case 0x01: wire.Reply({params[0], params[1]}); break;
        case 0x02:
            if (bytes.size() >= 3) std::copy_n(bytes.begin() + 1, 2, params);
            break;
        case 'v': wire.Reply({version[0], version[1]}); break;
        default: break;
    }
}

void FakeController::HearBootLoader(const std::vector<std::uint8_t>& bytes, Wire& wire) {
    const std::uint8_t request = bytes[0];
    if (request == 'E' || request == 'e') {
        const int from = request == 'E' ? FlashImage::kSystemStart : FlashImage::kProgramStart;
        const int to = request == 'E' ? FlashImage::kSystemEnd : FlashImage::kProgramEnd;
        std::fill(flash.Data() + from, flash.Data() + to, FlashImage::kErased);
        wire.Reply({static_cast<std::uint8_t>(eraseReply)}, bootLoaderDelayMs);
        if (extraByteAfterErase) wire.Reply({1});
    } else if (request == 'w' && bytes.size() == 3 + FlashImage::kPageSize) {
        if (pagesAnswered >= 0 && static_cast<int>(pagesWritten.size()) >= pagesAnswered) {
            silent = true;
            return;
        }
        const int address = bytes[1] * 256 + bytes[2];
        pagesWritten.push_back(address / FlashImage::kPageSize);
        for (int i = 0; i < FlashImage::kPageSize && address + i < FlashImage::kSize; ++i) {
            const std::uint8_t b = bytes[static_cast<std::size_t>(3 + i)];
            flash[address + i] = address + i == corruptAddress ? static_cast<std::uint8_t>(~b) : b;
        }
        wire.Reply({static_cast<std::uint8_t>(pageReply)}, bootLoaderDelayMs);
    } else if (request == 'R' || request == 'r') {
        const int from = request == 'R' ? 0 : FlashImage::kProgramStart;
        int count = FlashImage::kSize - from;
        if (streamLimit >= 0) count = std::min(count, streamLimit);
        wire.ReplyBytes(std::vector<std::uint8_t>(flash.Data() + from, flash.Data() + from + count));
    }
}

}  // namespace orvane::test
