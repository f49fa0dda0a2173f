// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tools/ConversationLog.h"

#include <cstdio>

#include "core/host/Cp1250.h"

namespace orvane::tools {

void ConversationLog::Add(Entry entry) {
    if (entry.bytes.empty()) return;
    bytes_ += entry.bytes.size();
    entries_.push_back(std::move(entry));
    while (bytes_ > kMaxBytes && entries_.size() > 1) {
        bytes_ -= entries_.front().bytes.size();
        entries_.pop_front();
        dropped_ = true;
    }
}

std::string ConversationLog::Text() const {
    std::string text = host::Pl("Rozmowa ze sterownikiem (czas od otwarcia okna; bajty dziesiętnie i [szesnastkowo])\n");
    if (dropped_) text += host::Pl("(najstarsze bajty pominięto)\n");
    const std::string sent = host::Pl("wysłano: ");
    const std::string received = "odebrano:";
    for (const Entry& entry : entries_) {
        char time[32];
        std::snprintf(time, sizeof time, "%lld,%03lld s  ", static_cast<long long>(entry.atMs / 1000),
                      static_cast<long long>(entry.atMs % 1000));
        std::string decimal, hex;
        for (const std::uint8_t byte : entry.bytes) {
            char digits[8];
            std::snprintf(digits, sizeof digits, " %u", static_cast<unsigned>(byte));
            decimal += digits;
            std::snprintf(digits, sizeof digits, " %02X", static_cast<unsigned>(byte));
            hex += digits;
        }
        text += time + (entry.sent ? sent : received) + decimal + "  [" + hex.substr(1) + "]\n";
    }
    return text;
}

}  // namespace orvane::tools
