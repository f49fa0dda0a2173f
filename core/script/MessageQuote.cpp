// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/script/MessageQuote.h"

#include "core/host/Cp1250.h"

namespace orvane::script {

std::string MessageQuote::Of(std::string_view scriptText) {
    std::string quote;
    for (const char c : scriptText) {
        if (c == '\xFF') continue;
        if (quote.size() == kLineWorth) return quote + host::Pl("…");
        quote.push_back(c);
    }
    return quote;
}

}  // namespace orvane::script
