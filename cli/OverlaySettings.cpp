#include "cli/OverlaySettings.h"

namespace orvane::cli {

std::string OverlaySettings::ReadString(std::string_view key, std::string_view fallback) const {
    if (overlay_.Contains(key)) return overlay_.ReadString(key, fallback);
    return base_.ReadString(key, fallback);
}

void OverlaySettings::WriteString(std::string_view key, std::string_view value) {
    base_.WriteString(key, value);
    if (overlay_.Contains(key)) overlay_.WriteString(key, value);
}

}  // namespace orvane::cli
