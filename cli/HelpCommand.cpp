// SPDX-License-Identifier: GPL-3.0-or-later
// help: the reference on a terminal, as plain text.
#include "cli/CliCommand.h"
#include "cli/CliSession.h"
#include "core/commands/CommandTable.h"
#include "core/help/Reference.h"
#include "core/platform/AtomicFile.h"
#include "core/platform/DataFolder.h"

namespace orvane::cli {

namespace {

std::string ReadWhole(const std::string& path) {
    std::string text;
    return platform::AtomicFile::Read(path, text) ? text : std::string();
}

int RunHelp(CliSession& session, const std::vector<std::string>& arguments) {
    const std::string data = platform::DataFolder();
    const std::string source = ReadWhole(help::Reference::SourcePath(data));
    if (source.empty()) {
        session.Error("brak pliku pomocy " + help::Reference::SourcePath(data));
        return CliCommand::kFailed;
    }
    // The commands of the file in use are documented too; without one the rest still helps.
    commands::CommandTable table;
    session.LoadCommands(table);
    const help::Reference reference(source, table,
                                    help::Reference::ParseShortcuts(ReadWhole(help::Reference::ShortcutsPath(data))));
    if (arguments.empty()) {
        for (const help::HelpTopic& topic : reference.Topics())
            std::fprintf(session.Out(), "%-24s %s\n", topic.id.c_str(), topic.title.c_str());
        return CliCommand::kOk;
    }
    const help::HelpTopic* topic = reference.Lookup(arguments[0]);
    if (!topic) {
        session.Error("nie ma tematu " + arguments[0] + "; orvane-cli help wypisuje listę tematów");
        return CliCommand::kFailed;
    }
    std::fputs(reference.PageText(*topic).c_str(), session.Out());
    return CliCommand::kOk;
}

const CliCommand::Registrar kHelp{{"help", "help [TEMAT]",
                                   "pomoc: lista tematów albo temat (komenda, słowo kluczowe, kod komunikatu)",
                                   0, 1, &RunHelp}};

}  // namespace

}  // namespace orvane::cli
