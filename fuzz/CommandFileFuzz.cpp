// SPDX-License-Identifier: GPL-3.0-or-later
// Komendy.ini as a hand-edited or damaged file would give it: the load never fails, and the
// table it loads survives the command editor's write-back: written and read again, every
// command comes back (texts without their outer blanks, which no reload keeps), in the
// reversed order the writer gives.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/commands/CommandFile.h"
#include "core/commands/IniFile.h"
#include "fuzz/FuzzCheck.h"

namespace {

using orvane::commands::CommandDef;
using orvane::commands::CommandFile;
using orvane::commands::CommandTable;
using orvane::commands::IniFile;

// Far above any real file; larger inputs only slow the search down.
constexpr std::size_t kMaxInput = 64 * 1024;

std::string Trimmed(const std::string& s) { return std::string(IniFile::TrimBlanks(s)); }

CommandDef AsWritten(CommandDef def) {
    def.name = Trimmed(def.name);
    def.description = Trimmed(def.description);
    def.asmName = Trimmed(def.asmName);
    for (int i = 0; i < def.argumentCount; ++i) {
        auto& arg = def.arguments[static_cast<std::size_t>(i)];
        arg.description = Trimmed(arg.description);
    }
    return def;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kMaxInput) return -1;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CommandTable loaded;
    std::vector<std::string> warnings;
    CommandFile::Parse(bytes, loaded, &warnings);

    CommandTable reloaded;
    CommandFile::Parse(CommandFile::Serialize(loaded), reloaded, nullptr);
    const auto& before = loaded.NewestFirst();
    const auto& after = reloaded.NewestFirst();
    orvane::fuzz::Require(after.size() == before.size(), "written back, the file holds another number of commands");
    for (std::size_t i = 0; i < before.size(); ++i) {
        orvane::fuzz::Require(after[after.size() - 1 - i] == AsWritten(before[i]),
                              "a command changed on its way through the writer");
    }
    return 0;
}
