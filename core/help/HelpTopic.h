// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

namespace orvane::help {

// One page of the reference. The body is in the help's own small markup (HelpMarkup), UTF-8;
// keys are the words the index lists and F1 finds it by (a key word, a command, a box code).
struct HelpTopic {
    std::string id;     // file name without ".html", and the CLI's topic name
    std::string title;
    std::vector<std::string> keys;
    std::string body;
};

}  // namespace orvane::help
