// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/commands/CommandTable.h"
#include "core/help/HelpTopic.h"

namespace orvane::help {

// One row of the keyboard table, from the table the window's menus are built from. UTF-8.
struct ShortcutRow {
    std::string keys;
    std::string command;      // the menu text without its '&'
    std::string description;  // the command's status-bar help
};

// The whole reference: the written topics (the help source in the data folder), one topic per
// device command of the table in use, one per message box of the catalogue, one per warning of
// the compile, the keyboard table and the contents. The window, the installed HTML and `orvane-cli help` all read it from here.
class Reference {
public:
    static constexpr const char* kContents = "index";
    static constexpr const char* kCommands = "komendy";
    static constexpr const char* kBoxes = "komunikaty";
    static constexpr const char* kShortcuts = "skroty";
    static constexpr const char* kWarnings = "ostrzezenia";
    static constexpr const char* kDifferences = "roznice";

    // `source` is the help source (UTF-8 markup); the command table's texts are CP1250.
    Reference(std::string_view source, const commands::CommandTable& commands, std::vector<ShortcutRow> shortcuts);

    // <data folder>help/Pomoc.txt
    static std::string SourcePath(const std::string& dataFolder);
    // The keyboard table written beside the installed pages (<data folder>../doc/orvane/), one
    // row a line: keys, command and description separated by tabs.
    static std::string ShortcutsPath(const std::string& dataFolder);
    static std::vector<ShortcutRow> ParseShortcuts(std::string_view text);
    static std::string FormatShortcuts(const std::vector<ShortcutRow>& rows);
    static std::string CommandTopicId(std::string_view commandName);
    static std::string BoxTopicId(std::string_view code);
    static std::string WarningTopicId(std::string_view code);

    const std::vector<HelpTopic>& Topics() const { return topics_; }
    const HelpTopic* Find(std::string_view id) const;
    // A topic by id, box code, command name or key (exact first, then ignoring case).
    const HelpTopic* Lookup(std::string_view word) const;
    // What F1 on a word of a script opens: as Lookup, then a label of the script opens the
    // labels topic and a declared variable the declarations topic. Null when nothing fits.
    const HelpTopic* ForScriptWord(std::string_view word, std::string_view scriptText) const;
    // Every key with its topic, sorted for the index.
    std::vector<std::pair<std::string, std::string>> Index() const;
    // Topics holding every word of `query` (ignoring ASCII case), in contents order.
    std::vector<const HelpTopic*> Search(std::string_view query) const;

    std::string PageHtml(const HelpTopic& topic) const;
    std::string PageText(const HelpTopic& topic) const;

private:
    void AddCommands(const commands::CommandTable& commands);
    void AddBoxes();
    void AddWarnings();
    void AddShortcuts(const std::vector<ShortcutRow>& rows);
    void AddContents();

    std::vector<HelpTopic> topics_;
};

}  // namespace orvane::help
