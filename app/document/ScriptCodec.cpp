// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/document/ScriptCodec.h"

#include <QList>
#include <QStringDecoder>
#include <algorithm>

#include "core/host/Cp1250.h"

namespace orvane::app::document {

namespace {
bool IsAscii(const QByteArray& bytes) {
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

bool IsValidUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    [[maybe_unused]] const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

// Letters and signs of the Latin alphabets (Latin-1 and Latin Extended-A), the typographic
// punctuation, the euro and the trade mark. Polish text in CP1250 never reads as UTF-8 made only
// of these: its letters' bytes lead into Latin Extended-B, IPA, Cyrillic and CJK instead.
bool IsPlainLatin(char32_t c) {
    return c < 0x180 || (c >= 0x2000 && c < 0x2070) || c == 0x20AC || c == 0x2122;
}

bool IsPlainLatinUtf8(const QByteArray& bytes) {
    const QString text = QString::fromUtf8(bytes);
    const auto points = text.toUcs4();
    return std::all_of(points.begin(), points.end(), [](uint c) { return IsPlainLatin(c); });
}

// Tab, line feed, form feed and carriage return belong in a text; other control bytes do not.
bool IsStrayControl(unsigned char b) {
    return b < 0x20 && b != '\t' && b != '\n' && b != '\f' && b != '\r';
}

// The five bytes CP1250 gives no character.
bool IsUndefinedInCp1250(unsigned char b) {
    return b == 0x81 || b == 0x83 || b == 0x88 || b == 0x90 || b == 0x98;
}

// UTF-8 without a mark only where it is plain: all its other characters Latin letters and signs,
// or bytes that CP1250 could not read at all (a UTF-8 file in another alphabet).
bool UnmarkedUtf8(const QByteArray& bytes) {
    if (IsAscii(bytes) || !IsValidUtf8(bytes)) return false;
    if (IsPlainLatinUtf8(bytes)) return true;
    return std::any_of(bytes.begin(), bytes.end(),
                       [](char c) { return IsUndefinedInCp1250(static_cast<unsigned char>(c)); });
}

}  // namespace

ScriptCodec::Decoded ScriptCodec::Decode(const QByteArray& file) {
    Decoded result;
    if (file.contains('\0')) {
        result.problem = Problem::Binary;
        return result;
    }
    // A byte-order mark is kept aside, never shown: the statement reader would trip over it.
    const bool marked = file.startsWith(kBom) && IsValidUtf8(file);
    const QByteArray bytes = marked ? file.mid(kBom.size()) : file;
    const bool utf8 = marked || UnmarkedUtf8(bytes);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (IsStrayControl(b) || (!utf8 && IsUndefinedInCp1250(b))) {
            result.problem = Problem::Unreadable;
            return result;
        }
    }
    result.bom = marked;
    if (utf8) {
        result.encoding = Encoding::Utf8;
        result.text = QString::fromUtf8(bytes);
    } else {
        result.encoding = Encoding::Cp1250;
        result.text = QString::fromStdString(orvane::host::Cp1250ToUtf8(bytes.toStdString()));
    }
    return result;
}

bool ScriptCodec::CanEncode(const QString& text, Encoding encoding) {
    if (encoding == Encoding::Utf8) return true;
    // '?' is the converter's stand-in: any '?' that was not in the text marks a lost character.
    const std::string utf8 = text.toStdString();
    const std::string cp1250 = orvane::host::Utf8ToCp1250(utf8);
    return QString::fromStdString(orvane::host::Cp1250ToUtf8(cp1250)) == text;
}

QByteArray ScriptCodec::Encode(const QString& text, Encoding encoding, bool bom) {
    if (encoding == Encoding::Utf8) return bom ? kBom + text.toUtf8() : text.toUtf8();
    return QByteArray::fromStdString(orvane::host::Utf8ToCp1250(text.toStdString()));
}

}  // namespace orvane::app::document
