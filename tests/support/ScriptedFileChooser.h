// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/host/FileChooser.h"

namespace orvane::test {

// Answers file dialogs from a queue (an empty optional is a Cancel) and records the requests.
class ScriptedFileChooser : public host::FileChooser {
public:
    struct Request {
        bool save;
        host::FileRequest request;
    };
    std::optional<std::string> ChooseOpen(const host::FileRequest& request) override {
        return Next(false, request);
    }
    std::optional<std::string> ChooseSave(const host::FileRequest& request) override {
        return Next(true, request);
    }
    void QueueChoice(std::optional<std::string> path) { choices_.push_back(std::move(path)); }
    const std::vector<Request>& Requests() const { return requests_; }

private:
    std::optional<std::string> Next(bool save, const host::FileRequest& request) {
        requests_.push_back({save, request});
        if (choices_.empty()) return std::nullopt;
        auto c = choices_.front();
        choices_.pop_front();
        return c;
    }
    std::deque<std::optional<std::string>> choices_;
    std::vector<Request> requests_;
};

}  // namespace orvane::test
