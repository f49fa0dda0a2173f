// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/PositionMap.h"

#include <algorithm>

#include "core/host/Cp1250.h"

namespace orvane::app::editor {

void PositionMap::Rebuild(std::string_view utf8) {
    editorLength_ = static_cast<std::int64_t>(utf8.size());
    editorOffsets_.clear();
    const bool ascii = std::all_of(utf8.begin(), utf8.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii) {
        cp1250_.assign(utf8);
        return;
    }
    // The converter turns every code point into exactly one CP1250 character ('?' when the
    // code page has none), walking the text as the loop below does.
    cp1250_ = orvane::host::Utf8ToCp1250(utf8);
    editorOffsets_.reserve(cp1250_.size());
    for (std::size_t i = 0; i < utf8.size();) {
        editorOffsets_.push_back(static_cast<std::int64_t>(i));
        orvane::host::NextUtf8CodePoint(utf8, i);
    }
}

std::int64_t PositionMap::ToEditor(std::int32_t corePos) const {
    if (corePos <= 0) return 0;
    if (corePos >= CoreLength()) return editorLength_;
    return editorOffsets_.empty() ? corePos : editorOffsets_[static_cast<std::size_t>(corePos)];
}

std::int32_t PositionMap::ToCore(std::int64_t editorPos) const {
    if (editorPos <= 0) return 0;
    if (editorPos >= editorLength_) return CoreLength();
    if (editorOffsets_.empty()) return static_cast<std::int32_t>(editorPos);
    const auto it = std::upper_bound(editorOffsets_.begin(), editorOffsets_.end(), editorPos);
    return static_cast<std::int32_t>(it - editorOffsets_.begin()) - 1;
}

}  // namespace orvane::app::editor
