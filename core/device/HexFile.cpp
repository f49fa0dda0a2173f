// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/HexFile.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "core/device/HexCursor.h"
#include "core/host/HexDigits.h"
#include "core/platform/AtomicFile.h"

namespace orvane::device {

namespace {

enum RecordType { kData = 0, kEndOfFile = 1, kSegmentBase = 2, kLinearBase = 4 };

constexpr char kLineEnd[] = "\r\n";
constexpr char kSegmentZeroLine[] = ":020000020000FC";
constexpr char kEndOfFileLine[] = ":00000001FF";
constexpr int kRecordBytes = 16;  // data bytes per record the writers produce

// Extended address records may carry any count; beyond this the address is far out of the
// image anyway, so saturating keeps the arithmetic defined without changing any verdict.
constexpr std::uint64_t kBaseCeiling = 0xFFFFFFFFu;

struct Record {
    int count = 0;
    int offset = 0;  // the 16-bit address field
    int type = 0;
    unsigned sum = 0;
    std::array<std::uint8_t, 255> data{};
};

int ChecksumOf(unsigned sum) { return static_cast<int>((256 - sum % 256) % 256); }

void ReadHeader(HexCursor& cursor, Record& record) {
    record.count = cursor.ReadHexByte();
    const int high = cursor.ReadHexByte();
    const int low = cursor.ReadHexByte();
    record.type = cursor.ReadHexByte();
    record.offset = high * 256 + low;
    record.sum = static_cast<unsigned>(record.count + high + low + record.type);
}

// The data bytes are kept aside and only land in the image once the checksum has vouched for
// them; a bad record stops the transfer, but the image should not hold half of it.
void ReadData(HexCursor& cursor, Record& record) {
    for (int i = 0; i < record.count; ++i) {
        const int value = cursor.ReadHexByte();
        record.data[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value);
        record.sum += static_cast<unsigned>(value);
    }
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Whether the text holds one record as any tool writes one: ':' and at least the ten digits of
// count, address, type and checksum, all hexadecimal, up to a blank, a line end, the next ':'
// or the end. The reader forgives a stray character inside a record, but a text without a
// single such record (random bytes, a script, one endless line) is no Intel HEX, whatever its
// colons would read as.
bool HoldsARecord(std::string_view text) {
    constexpr std::size_t kShortestRecord = 10;
    for (std::size_t colon = text.find(':'); colon != std::string_view::npos; colon = text.find(':', colon + 1)) {
        std::size_t end = colon + 1;
        while (end < text.size() && host::HexDigitValue(text[end]) >= 0) ++end;
        const bool closed = end == text.size() || text[end] == ':' || IsBlank(text[end]);
        if (closed && end - colon - 1 >= kShortestRecord) return true;
    }
    return false;
}

std::uint64_t BigEndianValue(const Record& record) {
    std::uint64_t value = 0;
    for (int i = 0; i < record.count; ++i) {
        value = std::min(value * 256 + record.data[static_cast<std::size_t>(i)], kBaseCeiling);
    }
    return value;
}

// Only the record's start address is checked against the limits, so a record that starts
// below 0x1F00 may run into the top of memory. Its count (at most 255) keeps it inside the
// image; bytes beyond the image's end would be dropped, should the limits ever change.
void StoreData(const Record& record, std::uint64_t address, FlashImage& image) {
    for (int i = 0; i < record.count; ++i) {
        const std::uint64_t target = address + static_cast<std::uint64_t>(i);
        if (target >= static_cast<std::uint64_t>(FlashImage::kSize)) return;
        image[static_cast<int>(target)] = record.data[static_cast<std::size_t>(i)];
    }
}

// Two uppercase digits of a value from 0 to 255.
void AppendByte(std::string& text, int value) { host::AppendHexByte(text, static_cast<std::uint8_t>(value)); }

void AppendDataRecord(std::string& text, int address, const std::uint8_t* bytes, int count) {
    unsigned sum = static_cast<unsigned>(count + address / 256 + address % 256 + kData);
    text += ':';
    AppendByte(text, count);
    AppendByte(text, address / 256);
    AppendByte(text, address % 256);
    AppendByte(text, kData);
    for (int i = 0; i < count; ++i) {
        AppendByte(text, bytes[i]);
        sum += bytes[i];
    }
    AppendByte(text, ChecksumOf(sum));
    text += kLineEnd;
}

// The fixed first line; room for a whole region's records up front.
std::string StartFile(int regionSize) {
    std::string text;
    text.reserve(static_cast<std::size_t>(regionSize / kRecordBytes + 3) * 45);
    text += kSegmentZeroLine;
    text += kLineEnd;
    return text;
}

std::string EndFile(std::string text) {
    text += kEndOfFileLine;
    text += kLineEnd;
    return text;
}

bool WordErased(const FlashImage& image, int address) {
    return image[address] == FlashImage::kErased && image[address + 1] == FlashImage::kErased;
}

bool BlockErased(const FlashImage& image, int address) {
    const std::uint8_t* first = image.Data() + address;
    return std::all_of(first, first + kRecordBytes,
                       [](std::uint8_t b) { return b == FlashImage::kErased; });
}

}  // namespace

std::string HexFile::ByteToHex(int value) {
    std::string text;
    AppendByte(text, std::clamp(value, 0, 255));
    return text;
}

std::string HexFile::WordToHex(int value) {
    if (value >= 0x10000) return "FFFF";
    if (value < 0) return "0000";
    return ByteToHex(value / 256) + ByteToHex(value % 256);
}

HexReadResult HexFile::ReadHexImage(std::string_view content, FlashImage& image, int lowerLimit,
                                    const HexMessage& below, const HexMessage& top,
                                    host::Prompts& prompts) {
    image.Erase();
    const bool blank = std::all_of(content.begin(), content.end(), IsBlank);
    if (!blank && !HoldsARecord(content)) return HexReadResult::NotHex;
    HexCursor cursor(content);
    std::uint64_t segmentBase = 0;
    std::uint64_t linearBase = 0;
    Record record;
    while (cursor.SkipToColon()) {
        ReadHeader(cursor, record);
        // A record cut off by the end of the text cannot be trusted, whatever its digits say.
        if (cursor.RanPastEnd()) return HexReadResult::StoppedBadChecksum;
        const std::uint64_t address = segmentBase * 16 + linearBase * 65536 +
                                      static_cast<std::uint64_t>(record.offset);
        if (record.type == kData) {
            if (lowerLimit > 0 && address < static_cast<std::uint64_t>(lowerLimit)) {
                prompts.Tell(below.caption, below.text);
                return HexReadResult::StoppedBelowLimit;
            }
            if (address >= static_cast<std::uint64_t>(FlashImage::kProgramEnd)) {
                prompts.Tell(top.caption, top.text);
                return HexReadResult::StoppedAtTop;
            }
        }
        if (record.type == kEndOfFile && record.count >= 1) {
            return HexReadResult::StoppedEndWithData;
        }
        // Every other type, start addresses (3 and 5) included, has its data read and
        // checked too, so that its bytes are never mistaken for the checksum.
        ReadData(cursor, record);
        const int checksum = cursor.ReadHexByte();
        if (cursor.RanPastEnd() || checksum != ChecksumOf(record.sum)) {
            return HexReadResult::StoppedBadChecksum;
        }
        switch (record.type) {
            case kData: StoreData(record, address, image); break;
            case kEndOfFile: return HexReadResult::Complete;
            case kSegmentBase:
                segmentBase = BigEndianValue(record);
                linearBase = 0;
                break;
            case kLinearBase:
                linearBase = BigEndianValue(record);
                segmentBase = 0;
                break;
            default: break;
        }
    }
    return HexReadResult::NoEndRecord;
}

HexReadResult HexFile::ReadHexFile(const std::string& path, FlashImage& image, int lowerLimit,
                                   const HexMessage& below, const HexMessage& top,
                                   host::Prompts& prompts) {
    std::string content;
    if (!platform::AtomicFile::Read(path, content)) {
        image.Erase();
        return HexReadResult::CannotOpen;
    }
    return ReadHexImage(content, image, lowerLimit, below, top, prompts);
}

bool HexFile::Usable(HexReadResult result) {
    return result == HexReadResult::Complete || result == HexReadResult::NoEndRecord;
}

// Runs of erased words are left out; a record holds up to 16 bytes, always whole words. Records
// end at the System's end: bytes beyond it belong to the user program, and a System write of
// this file would otherwise put them into the program's first page.
std::string HexFile::WriteSystemHex(const FlashImage& image) {
    std::string text = StartFile(FlashImage::kSystemEnd - FlashImage::kSystemStart);
    int a = FlashImage::kSystemStart;
    while (a < FlashImage::kSystemEnd) {
        while (a < FlashImage::kSystemEnd && WordErased(image, a)) a += 2;
        if (a >= FlashImage::kSystemEnd) break;
        const int start = a;
        int n = 0;
        while (a < FlashImage::kSystemEnd && !WordErased(image, a) && n < kRecordBytes) {
            a += 2;
            n += 2;
        }
        AppendDataRecord(text, start, image.Data() + start, n);
    }
    return EndFile(std::move(text));
}

// Whole 16-byte records; erased blocks are left out but do not end the file, so a program
// with a gap (an .org, a table placed high) comes back complete.
std::string HexFile::WriteProgramHex(const FlashImage& image) {
    std::string text = StartFile(FlashImage::kProgramEnd - FlashImage::kProgramStart);
    for (int a = FlashImage::kProgramStart; a < FlashImage::kProgramEnd; a += kRecordBytes) {
        if (BlockErased(image, a)) continue;
        AppendDataRecord(text, a, image.Data() + a, kRecordBytes);
    }
    return EndFile(std::move(text));
}

}  // namespace orvane::device
