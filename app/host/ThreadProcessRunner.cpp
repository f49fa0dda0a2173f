// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/host/ThreadProcessRunner.h"

#include <iostream>

#include "app/host/GuiCall.h"

namespace orvane::app::host {

// The report never goes to a stream here: the window shows it.
ThreadProcessRunner::ThreadProcessRunner(QObject* windowContext, Shower show)
    : PosixProcessRunner(std::cerr), context_(windowContext), show_(std::move(show)) {}

void ThreadProcessRunner::ShowReport(const std::string& path) {
    CallOnThreadOf(context_, [&] { show_(path); });
}

}  // namespace orvane::app::host
