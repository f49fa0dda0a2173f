#include "core/compiler/AssemblerReport.h"

namespace orvane::compiler {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

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

}  // namespace

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
