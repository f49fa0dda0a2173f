#include "core/host/IniSettingsEscaping.h"

#include <cstdint>
#include <vector>

#include "core/host/Cp1250.h"
#include "core/host/HexDigits.h"

namespace orvane::host {

namespace {

// The code points of converted CP1250 text, which is well-formed UTF-8 of at most 3 bytes each.
std::vector<std::uint32_t> CodePoints(std::string_view utf8) {
    std::vector<std::uint32_t> points;
    for (std::size_t i = 0; i < utf8.size();) points.push_back(NextUtf8CodePoint(utf8, i));
    return points;
}

// `count` hex digits at `at` as one number, or -1.
long HexNumber(std::string_view text, std::size_t at, std::size_t count) {
    if (at + count > text.size()) return -1;
    long value = 0;
    for (std::size_t k = 0; k < count; ++k) {
        const int digit = HexDigitValue(text[at + k]);
        if (digit < 0) return -1;
        value = value * 16 + digit;
    }
    return value;
}

char EscapeCode(char c) {
    switch (c) {
        case 'a': return '\a';
        case 'b': return '\b';
        case 'f': return '\f';
        case 'n': return '\n';
        case 'r': return '\r';
        case 't': return '\t';
        case 'v': return '\v';
        case '"': return '"';
        case '?': return '?';
        case '\'': return '\'';
        case '\\': return '\\';
        default: return 0;
    }
}

void ChopTrailingBlanks(std::string& text, std::size_t limit) {
    while (text.size() > limit && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
}

// A numeric escape (\x.. or \0..): digits as long as they last, then the character.
std::size_t ReadNumericEscape(std::string_view text, std::size_t i, int base, std::string& out) {
    std::uint32_t value = 0;
    while (i < text.size()) {
        const int digit = HexDigitValue(text[i]);
        if (digit < 0 || digit >= base) break;
        value = (value * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(digit)) & 0xFFFF;
        ++i;
    }
    AppendUtf8(out, value);
    return i;
}

}  // namespace

std::string IniSettingsEscaping::EscapeKey(std::string_view cp1250) {
    std::string out;
    for (std::uint32_t ch : CodePoints(Cp1250ToUtf8(cp1250))) {
        if (ch == '/') {
            out += '\\';
        } else if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
                   ch == '_' || ch == '-' || ch == '.') {
            out += static_cast<char>(ch);
        } else if (ch <= 0xFF) {
            out += '%';
            AppendHexByte(out, static_cast<std::uint8_t>(ch));
        } else {
            out += "%U";
            for (int shift = 12; shift >= 0; shift -= 4) out += kHexDigits[(ch >> shift) & 0xF];
        }
    }
    return out;
}

std::string IniSettingsEscaping::UnescapeKey(std::string_view fileText) {
    std::string utf8;
    for (std::size_t i = 0; i < fileText.size();) {
        const char c = fileText[i];
        if (c == '\\') {
            utf8 += '/';
            ++i;
            continue;
        }
        if (c != '%' || i + 1 == fileText.size()) {
            utf8 += c;
            ++i;
            continue;
        }
        const bool wide = fileText[i + 1] == 'U';
        const std::size_t first = i + (wide ? 2 : 1);
        const std::size_t digits = wide ? 4 : 2;
        const long value = HexNumber(fileText, first, digits);
        if (value < 0) {
            utf8 += '%';
            ++i;
            continue;
        }
        AppendUtf8(utf8, static_cast<std::uint32_t>(value));
        i = first + digits;
    }
    return Utf8ToCp1250(utf8);
}

std::string IniSettingsEscaping::EscapeValue(std::string_view cp1250) {
    std::string text = Cp1250ToUtf8(cp1250);
    if (!text.empty() && text[0] == '@') text.insert(text.begin(), '@');
    std::string out;
    bool needsQuotes = false;
    bool escapeNextIfDigit = false;
    for (const char c : text) {
        if (c == ';' || c == ',' || c == '=') needsQuotes = true;
        if (escapeNextIfDigit && HexDigitValue(c) >= 0) {
            // After \0 or \x.. a hex digit would join the escape; it is escaped itself.
            out += "\\x";
            out += "0123456789abcdef"[static_cast<unsigned char>(c) / 16];
            out += "0123456789abcdef"[static_cast<unsigned char>(c) % 16];
            continue;
        }
        escapeNextIfDigit = false;
        switch (c) {
            case '\0': out += "\\0"; escapeNextIfDigit = true; break;
            case '\a': out += "\\a"; break;
            case '\b': out += "\\b"; break;
            case '\f': out += "\\f"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            case '\v': out += "\\v"; break;
            case '"':
            case '\\':
                out += '\\';
                out += c;
                break;
            default:
                if (static_cast<unsigned char>(c) <= 0x1F) {
                    out += "\\x";
                    const auto v = static_cast<unsigned char>(c);
                    if (v >= 16) out += "0123456789abcdef"[v / 16];
                    out += "0123456789abcdef"[v % 16];
                    escapeNextIfDigit = true;
                } else {
                    out += c;
                }
        }
    }
    if (needsQuotes || (!out.empty() && (out.front() == ' ' || out.back() == ' '))) {
        out = '"' + out + '"';
    }
    return out;
}

std::string IniSettingsEscaping::UnescapeValue(std::string_view fileText) {
    std::vector<std::string> items;
    std::string current;
    bool isList = false;
    bool inQuotes = false;
    bool currentQuoted = false;
    std::size_t chopLimit = 0;
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < fileText.size() && (fileText[i] == ' ' || fileText[i] == '\t')) ++i;
        chopLimit = current.size();
    };
    skipBlanks();
    while (i < fileText.size()) {
        const char c = fileText[i];
        if (c == '\\') {
            if (++i >= fileText.size()) break;
            const char e = fileText[i++];
            if (const char code = EscapeCode(e)) {
                current += code;
            } else if (e == 'x' && i < fileText.size() && HexDigitValue(fileText[i]) >= 0) {
                i = ReadNumericEscape(fileText, i, 16, current);
            } else if (e >= '0' && e <= '7') {
                i = ReadNumericEscape(fileText, i - 1, 8, current);
            }  // any other escaped character is dropped
            chopLimit = current.size();
        } else if (c == '"') {
            ++i;
            currentQuoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) skipBlanks();
        } else if (c == ',' && !inQuotes) {
            if (!currentQuoted) ChopTrailingBlanks(current, chopLimit);
            isList = true;
            items.push_back(current);
            current.clear();
            currentQuoted = false;
            ++i;
            skipBlanks();
        } else {
            current += c;
            ++i;
        }
    }
    if (!currentQuoted) ChopTrailingBlanks(current, chopLimit);
    std::string joined = current;
    if (isList) {
        joined.clear();
        items.push_back(current);
        for (std::size_t k = 0; k < items.size(); ++k) joined += (k ? "," : "") + items[k];
    } else if (joined == "@Invalid()") {
        joined.clear();
    } else if (joined.rfind("@@", 0) == 0) {
        joined.erase(0, 1);
    }
    return Utf8ToCp1250(joined);
}

}  // namespace orvane::host
