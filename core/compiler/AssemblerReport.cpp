// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/compiler/AssemblerReport.h"

#include "core/host/AsciiText.h"

namespace orvane::compiler {

namespace {

using host::IsDigit;

// " (N warning)." or " (N warnings)." right after "...no errors".
bool WarningsOnly(std::string_view rest) {
    if (!rest.starts_with(" (")) return false;
    rest.remove_prefix(2);
    std::size_t digits = 0;
    while (digits < rest.size() && IsDigit(rest[digits])) ++digits;
    if (digits == 0) return false;
    rest.remove_prefix(digits);
    return rest.starts_with(" warning).") || rest.starts_with(" warnings).");
}

constexpr int kMaxLine = 100'000'000;

}  // namespace

std::optional<AssemblerReport::Place> AssemblerReport::PlaceOf(std::string_view reportLine) {
    const std::size_t mark = reportLine.find(") :");
    if (mark == std::string_view::npos) return std::nullopt;
    const std::size_t open = reportLine.rfind('(', mark);
    if (open == std::string_view::npos || open == 0 || open + 1 == mark) return std::nullopt;
    Place place;
    for (std::size_t i = open + 1; i < mark; ++i) {
        if (!IsDigit(reportLine[i]) || place.line > kMaxLine) return std::nullopt;
        place.line = place.line * 10 + (reportLine[i] - '0');
    }
    place.file = std::string(reportLine.substr(0, open));
    std::string_view rest = reportLine.substr(mark + 3);
    while (rest.starts_with(' ')) rest.remove_prefix(1);
    if (rest.starts_with("Error")) place.kind = Place::Kind::Error;
    else if (rest.starts_with("Warning")) place.kind = Place::Kind::Warning;
    return place;
}

bool AssemblerReport::Succeeded(std::string_view report) {
    constexpr std::string_view kStem = "Assembly complete with no errors";
    for (std::size_t at = report.find(kStem); at != std::string_view::npos;
         at = report.find(kStem, at + 1)) {
        std::string_view rest = report.substr(at + kStem.size());
        rest = rest.substr(0, rest.find('\n'));
        if (rest.starts_with(".") || WarningsOnly(rest)) return true;
    }
    return false;
}

}  // namespace orvane::compiler
