// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliCommand.h"

#include <algorithm>
#include <cctype>
#include <deque>

namespace orvane::cli {

namespace {
// Built on first use: registrars in other files may run before this file's statics.
// A deque keeps the commands where they were put while more are added.
std::deque<CliCommand>& Table() {
    static std::deque<CliCommand> table;
    return table;
}
}  // namespace

CliCommand::Registrar::Registrar(const CliCommand& command) { Table().push_back(command); }

bool CliCommand::TakesOption(std::string_view word) const {
    const std::string_view text(usage);
    for (std::size_t at = text.find(word); at != std::string_view::npos; at = text.find(word, at + 1)) {
        const std::size_t end = at + word.size();
        const bool startsWord = at > 0 && (text[at - 1] == '[' || text[at - 1] == ' ');
        const bool endsWord = end == text.size() || text[end] == ']' || text[end] == ' ';
        if (startsWord && endsWord) return true;
    }
    return false;
}

bool CliCommand::IsOption(std::string_view word) {
    return word.size() > 1 && word[0] == '-' && !std::isdigit(static_cast<unsigned char>(word[1]));
}

const CliCommand* CliCommand::Find(std::string_view name) {
    for (const CliCommand& c : Table()) {
        if (name == c.name) return &c;
    }
    return nullptr;
}

std::vector<const CliCommand*> CliCommand::All() {
    std::vector<const CliCommand*> all;
    for (const CliCommand& c : Table()) all.push_back(&c);
    std::sort(all.begin(), all.end(),
              [](const CliCommand* a, const CliCommand* b) { return std::string_view(a->name) < b->name; });
    return all;
}

}  // namespace orvane::cli
