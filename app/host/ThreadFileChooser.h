// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "app/host/GuiCall.h"
#include "core/host/FileChooser.h"

namespace orvane::app::host {

// The device thread's file dialogs, shown by the window thread while the device thread waits.
class ThreadFileChooser : public orvane::host::FileChooser {
public:
    ThreadFileChooser(orvane::host::FileChooser& window, QObject* windowContext)
        : window_(window), context_(windowContext) {}
    std::optional<std::string> ChooseOpen(const orvane::host::FileRequest& request) override {
        std::optional<std::string> path;
        CallOnThreadOf(context_, [&] { path = window_.ChooseOpen(request); });
        return path;
    }
    std::optional<std::string> ChooseSave(const orvane::host::FileRequest& request) override {
        std::optional<std::string> path;
        CallOnThreadOf(context_, [&] { path = window_.ChooseSave(request); });
        return path;
    }

private:
    orvane::host::FileChooser& window_;
    QObject* context_;
};

}  // namespace orvane::app::host
