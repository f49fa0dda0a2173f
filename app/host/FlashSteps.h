// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "core/device/FlashArea.h"

namespace orvane::app::host {

// What the window asked of the flash (a compile asks for a Program write).
enum class FlashTask { Erase, Write, ReadOut };

// Words for the progress of a flash operation: its title, the step it is at and the pages or
// bytes done, from the task the window started and the positions the operation reports. The
// operation's range tells its phase: 7 an erase, 137 a write, anything else a read of that many
// bytes (the verify, when it follows a write). Texts are UTF-8.
class FlashSteps {
public:
    struct Text {
        std::string title;
        std::string step;
        std::string count;  // empty while nothing is counted
    };

    static constexpr int kPages = 128;

    void Expect(FlashTask task, orvane::device::FlashArea::Kind area);
    void Begin(int range);
    Text Describe(int position) const;

private:
    enum class Phase { Erase, Write, Read, Verify };

    Text DescribeErase(int position) const;
    Text DescribeWrite(int position) const;
    Text DescribeRead(int position) const;

    FlashTask task_ = FlashTask::Write;
    orvane::device::FlashArea::Kind area_ = orvane::device::FlashArea::Kind::Program;
    Phase phase_ = Phase::Write;
    int range_ = 0;
    bool wrote_ = false;
};

}  // namespace orvane::app::host
