// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "core/help/HelpTopic.h"

namespace orvane::help {

// The reference is written in a small line markup, so that one source gives both the HTML of
// the window and the installed pages and the plain text of `orvane-cli help`:
//   @@ id | Title | key, key        starts a topic
//   ## Heading                      a heading inside the topic
//   - item                          a list item
//   > code                          a line of an example, kept as written
//   | cell | cell |                 a table row; the first row of a table is its header
//   other lines                     a paragraph; a blank line ends it
// Inside text: `code`, and [[id]] or [[id|words]] for a link to another topic.
class HelpMarkup {
public:
    static std::vector<HelpTopic> ParseTopics(std::string_view source);
    // The body as HTML; a link to a topic goes to "<id>.html".
    static std::string ToHtml(std::string_view body);
    // The body as plain text for a terminal; a link shows as its words.
    static std::string ToText(std::string_view body);
    static std::string EscapeHtml(std::string_view text);
};

}  // namespace orvane::help
