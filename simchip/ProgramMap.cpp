// SPDX-License-Identifier: GPL-3.0-or-later
#include "simchip/ProgramMap.h"

#include <algorithm>
#include <sstream>

#include "core/compiler/AsmFrame.h"
#include "core/platform/AtomicFile.h"

namespace orvane::simchip {

namespace {

constexpr std::uint32_t kSramStart = 0x60;
const std::string kScriptLabelPrefix = "ORVANExl";  // every label of the script, as compiled

}  // namespace

bool ProgramMap::Read(const std::string& path) {
    std::string text;
    if (!platform::AtomicFile::Read(path, text)) return false;
    Parse(text);
    return true;
}

void ProgramMap::Parse(const std::string& text) {
    variables_.clear();
    scriptLabels_.clear();
    bool inCode = false;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string name, kind, hex;
        if (!(fields >> name >> kind >> hex) || kind != "L") continue;
        std::uint32_t address = 0;
        try {
            address = static_cast<std::uint32_t>(std::stoul(hex, nullptr, 16));
        } catch (const std::exception&) {
            continue;  // a damaged line names nothing
        }
        if (name == "Program") inCode = true;
        if (!inCode && name != compiler::AsmFrame::kStackKeeper) variables_.push_back({name, address});
        if (inCode && name.rfind(kScriptLabelPrefix, 0) == 0)
            scriptLabels_.push_back({name.substr(kScriptLabelPrefix.size()), address});
    }
    std::stable_sort(scriptLabels_.begin(), scriptLabels_.end(),
                     [](const Symbol& a, const Symbol& b) { return a.address < b.address; });
}

std::uint32_t ProgramMap::VariablesEnd() const {
    std::uint32_t end = kSramStart;
    for (const Symbol& v : variables_) end = std::max(end, v.address + 2);
    return end;
}

std::string ProgramMap::LabelAt(std::uint32_t wordAddress) const {
    const auto after = std::upper_bound(scriptLabels_.begin(), scriptLabels_.end(), wordAddress,
                                        [](std::uint32_t a, const Symbol& s) { return a < s.address; });
    return after == scriptLabels_.begin() ? std::string() : std::prev(after)->name;
}

}  // namespace orvane::simchip
