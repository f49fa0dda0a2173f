// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/simulate/ObjectLines.h"

#include <fstream>
#include <iterator>

namespace orvane::app::simulate {

namespace {
// Header: offset of the file-name table (4 bytes, big-endian), offset of the first record (4),
// the length of a record (1), the number of files (1), then the format's name.
// Record: word address (3), opcode (2), file index (1), line (2), macro flag (1).
constexpr std::size_t kHeaderBytes = 10;
constexpr std::size_t kRecordBytes = 9;
// An 8 KB chip's program never comes near this; a larger file is not an object of ours.
constexpr std::streamsize kMaxObjectBytes = 4 << 20;

std::uint32_t BigEndian(const std::string& bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i) value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}
}  // namespace

std::optional<int> ObjectLines::LineOf(const std::string& objPath, std::uint32_t wordAddress) {
    std::ifstream file(objPath, std::ios::binary);
    if (!file) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(kMaxObjectBytes), '\0');
    file.read(bytes.data(), kMaxObjectBytes);
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    return LineIn(bytes, wordAddress);
}

std::optional<int> ObjectLines::LineIn(const std::string& bytes, std::uint32_t wordAddress) {
    if (bytes.size() < kHeaderBytes) return std::nullopt;
    const std::size_t names = BigEndian(bytes, 0, 4);
    const std::size_t first = BigEndian(bytes, 4, 4);
    if (BigEndian(bytes, 8, 1) != kRecordBytes || first < kHeaderBytes || names > bytes.size()) return std::nullopt;
    for (std::size_t at = first; at + kRecordBytes <= names; at += kRecordBytes) {
        if (BigEndian(bytes, at, 3) != wordAddress || bytes[at + 5] != 0) continue;
        return static_cast<int>(BigEndian(bytes, at + 6, 2));
    }
    return std::nullopt;
}

}  // namespace orvane::app::simulate
