// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <string>

#include "core/platform/PosixProcessRunner.h"

class QObject;

namespace orvane::app::host {

// The compile's processes on the device thread: the build script runs right there (the window
// keeps painting meanwhile), and the assembler's report is shown by the window thread, the
// device thread waiting until the user has closed it, as the compile always waited for its
// report.
class ThreadProcessRunner : public orvane::platform::PosixProcessRunner {
public:
    // `show` runs on the window thread and returns once the report is closed; the path is CP1250.
    using Shower = std::function<void(const std::string& path)>;

    ThreadProcessRunner(QObject* windowContext, Shower show);
    void ShowReport(const std::string& path) override;

private:
    QObject* context_;
    Shower show_;
};

}  // namespace orvane::app::host
