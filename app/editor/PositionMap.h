// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::app::editor {

// The editor keeps its text as UTF-8 and counts positions in bytes; the core reads the script as
// CP1250, one byte per character. The map converts between the two for one version of the text,
// and holds the CP1250 bytes the core reads. An ASCII text maps one to one and stores no table.
class PositionMap {
public:
    void Rebuild(std::string_view utf8);

    // The script as the core sees it.
    const std::string& Cp1250() const { return cp1250_; }
    std::int32_t CoreLength() const { return static_cast<std::int32_t>(cp1250_.size()); }

    // The editor byte position of a core position; positions beyond the text clamp to its ends.
    std::int64_t ToEditor(std::int32_t corePos) const;
    // The core position of the character that holds editor byte `editorPos` (a position inside a
    // multi-byte character maps to that character); clamped like ToEditor.
    std::int32_t ToCore(std::int64_t editorPos) const;

private:
    std::string cp1250_;
    std::vector<std::int64_t> editorOffsets_;  // byte offset of each character; empty for ASCII
    std::int64_t editorLength_ = 0;
};

}  // namespace orvane::app::editor
