#pragma once
#include <string>
#include <string_view>

namespace orvane::host {

// Keys and values of the shared settings file spelled exactly as the window application's
// settings library (QSettings, IniFormat) spells them, so either program reads what the other
// wrote. The file is UTF-8; the core's text is CP1250, converted here.
//   keys:   letters, digits, '_', '-', '.' as they are; '/' as '\'; other characters up to
//           U+00FF as %XX, above as %UXXXX (so "Baud Rate" is "Baud%20Rate");
//   values: UTF-8; control characters, '"' and '\' escaped with a backslash; quoted when they
//           hold ',', ';' or '=' or begin or end with a blank; a leading '@' doubled.
class IniSettingsEscaping {
public:
    static std::string EscapeKey(std::string_view cp1250);
    static std::string UnescapeKey(std::string_view fileText);
    static std::string EscapeValue(std::string_view cp1250);
    // A value the other program may have written as a list ("a, b") comes back joined by ",".
    static std::string UnescapeValue(std::string_view fileText);
};

}  // namespace orvane::host
