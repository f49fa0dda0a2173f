// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/TerminalProgress.h"

#include <algorithm>
#include <string>
#include <unistd.h>

namespace orvane::cli {

namespace {
constexpr int kWidth = 40;
}

TerminalProgress::TerminalProgress(std::FILE* out)
    : out_(out), drawing_(out && ::isatty(::fileno(out))) {}

void TerminalProgress::Begin(int rangeMax) {
    range_ = std::max(rangeMax, 1);
    shownPercent_ = -1;
    Draw(0);
}

void TerminalProgress::SetPosition(int position) {
    Draw(std::clamp(position, 0, range_) * 100 / range_);
}

void TerminalProgress::End() {
    if (drawing_ && shownPercent_ >= 0) {
        std::fputc('\n', out_);
        std::fflush(out_);
    }
    shownPercent_ = -1;
}

// Redrawn only when the percentage changes: a read-out reports every page.
void TerminalProgress::Draw(int percent) {
    if (!drawing_ || percent == shownPercent_) return;
    shownPercent_ = percent;
    const int filled = percent * kWidth / 100;
    const std::string bar = std::string(static_cast<std::size_t>(filled), '#') +
                            std::string(static_cast<std::size_t>(kWidth - filled), '.');
    std::fprintf(out_, "\r[%s] %3d%%", bar.c_str(), percent);
    std::fflush(out_);
}

}  // namespace orvane::cli
