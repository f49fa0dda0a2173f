// SPDX-License-Identifier: GPL-3.0-or-later
// orvane-helpdoc: writes the reference as HTML pages, one per topic, with the command pages of
// the shipped Komendy.ini and the keyboard table of the menus, for installation under
// share/doc/orvane/. Usage: orvane-helpdoc DATA_FOLDER OUTPUT_FOLDER
#include <cstdio>
#include <string>

#include "app/shell/ShortcutTable.h"
#include "core/commands/CommandFile.h"
#include "core/help/Reference.h"
#include "core/platform/AtomicFile.h"

int main(int argc, char** argv) {
    using orvane::platform::AtomicFile;
    if (argc != 3) {
        std::fprintf(stderr, "usage: orvane-helpdoc DATA_FOLDER OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string data = std::string(argv[1]) + "/";
    const std::string out = std::string(argv[2]) + "/";
    std::string source;
    if (!AtomicFile::Read(orvane::help::Reference::SourcePath(data), source)) {
        std::fprintf(stderr, "orvane-helpdoc: cannot read %s\n", orvane::help::Reference::SourcePath(data).c_str());
        return 1;
    }
    orvane::commands::CommandTable table;
    if (!orvane::commands::CommandFile::ReadFile(data + "Komendy.ini", table, nullptr)) {
        std::fprintf(stderr, "orvane-helpdoc: cannot read %sKomendy.ini\n", data.c_str());
        return 1;
    }
    const auto rows = orvane::app::shell::ShortcutTable::Rows();
    const orvane::help::Reference reference(source, table, rows);
    bool written = AtomicFile::Write(out + "skroty.txt", orvane::help::Reference::FormatShortcuts(rows));
    for (const orvane::help::HelpTopic& topic : reference.Topics())
        written = AtomicFile::Write(out + topic.id + ".html", reference.PageHtml(topic)) && written;
    if (!written) std::fprintf(stderr, "orvane-helpdoc: cannot write into %s\n", out.c_str());
    return written ? 0 : 1;
}
