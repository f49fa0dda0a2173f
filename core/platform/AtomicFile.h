// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>

namespace orvane::platform {

// Files the user keeps (Komendy.ini, HEX images, generated sources) are never left truncated:
// the bytes go to a temporary file beside the target, which replaces it only once complete.
// Where the file system allows, that file has no name until it is whole, so a process killed
// while writing leaves no stray file in the user's folder either.
class AtomicFile {
public:
    // Writes `bytes` to `path`; false with a reason when any step failed (the old file stays).
    static bool Write(const std::string& path, std::string_view bytes, std::string* error = nullptr);
    // Whole-file read; false when the file cannot be opened or read.
    static bool Read(const std::string& path, std::string& bytes);
    static bool Exists(const std::string& path);
    // True when `path` can be created or truncated for writing (its folder exists and is writable
    // and the file itself, if present, is writable); nothing is changed.
    static bool CanWrite(const std::string& path);
};

}  // namespace orvane::platform
