#include "cli/CliCommand.h"

#include <algorithm>
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
