// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/FaultPlan.h"

#include <charconv>
#include <limits>

namespace orvane::sim {

namespace {

// A whole decimal number within [low, high]; nothing else is accepted.
bool ParseCount(std::string_view text, long long low, long long high, long long& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && !text.empty() && value >= low && value <= high;
}

}  // namespace

bool FaultPlan::Add(std::string_view fault, std::string& error) {
    const auto colon = fault.find(':');
    const std::string_view name = fault.substr(0, colon);
    const bool hasValue = colon != std::string_view::npos;
    const std::string_view valueText = hasValue ? fault.substr(colon + 1) : std::string_view{};

    if (!hasValue) {
        bool* flag = name == "silent"         ? &silent
                     : name == "corrupt-echo" ? &corruptEcho
                     : name == "bad-ack"      ? &badAck
                     : name == "erase-fails"  ? &eraseFails
                                              : nullptr;
        if (flag) {
            *flag = true;
            return true;
        }
    } else {
        const long long maxInt = std::numeric_limits<int>::max();
        long long value = 0;
        auto take = [&](long long low, long long high) {
            if (ParseCount(valueText, low, high, value)) return true;
            error = "zła wartość w błędzie \"" + std::string(fault) + "\" (dozwolone " +
                    std::to_string(low) + ".." + std::to_string(high) + ")";
            return false;
        };
        if (name == "drop" || name == "corrupt" || name == "write-fails" || name == "reset-after") {
            if (!take(1, maxInt)) return false;
            (name == "drop"          ? dropNth
             : name == "corrupt"     ? corruptNth
             : name == "reset-after" ? resetAfter
                                     : writeFailsNth) = static_cast<int>(value);
            return true;
        }
        if (name == "hangup-after" || name == "silent-after") {
            if (!take(0, maxInt)) return false;
            (name == "hangup-after" ? hangupAfter : silentAfter) = static_cast<int>(value);
            return true;
        }
        if (name == "delay") {
            if (!take(0, 60000)) return false;
            delayMs = value;
            return true;
        }
    }
    error = "nieznany błąd do wywołania: \"" + std::string(fault) + "\"";
    return false;
}

const char* FaultPlan::Help() {
    return "  silent            nigdy nie odpowiada\n"
           "  drop:N            gubi N-ty wysyłany bajt\n"
           "  corrupt:N         odwraca bity N-tego wysyłanego bajtu\n"
           "  corrupt-echo      każde echo sumy kontrolnej komendy błędne\n"
           "  bad-ack           każde potwierdzenie komendy 0 zamiast 1\n"
           "  hangup-after:N    zamyka terminal po odebraniu N bajtów i kończy pracę\n"
           "  silent-after:N    milknie po odebraniu N bajtów\n"
           "  reset-after:N     po odebraniu N bajtów startuje od nowa jak po włączeniu zasilania\n"
           "  delay:MS          każda odpowiedź spóźniona o MS ms (0..60000)\n"
           "  erase-fails       kasowanie w trybie BootLoader odpowiada 0\n"
           "  write-fails:N     N-ty zapis strony odpowiada 0 i nic nie zapisuje\n";
}

}  // namespace orvane::sim
