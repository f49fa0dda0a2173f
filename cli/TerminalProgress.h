// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdio>

#include "core/host/Progress.h"

namespace orvane::cli {

// The progress bar of erases, writes and read-outs, drawn in place on a terminal and left out
// when the output is not one (a log file should not fill with carriage returns).
class TerminalProgress : public host::Progress {
public:
    explicit TerminalProgress(std::FILE* out);

    void Begin(int rangeMax) override;
    void SetPosition(int position) override;
    void End() override;

private:
    void Draw(int percent);

    std::FILE* out_;
    bool drawing_;
    int range_ = 0;
    int shownPercent_ = -1;
};

}  // namespace orvane::cli
