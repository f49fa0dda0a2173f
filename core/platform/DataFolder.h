// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace orvane::platform {

// The data files (Komendy.ini, the assembler includes, the dictionaries, the examples) keep one
// place relative to the programs, in the build tree and installed alike:
// <folder of the program>/../share/orvane/. Paths end with "/".
std::string DataFolderOf(const std::string& programPath);

// The running program's data folder: the one named by ORVANE_DATA_DIR when that is set,
// else the one beside the program.
std::string DataFolder();

}  // namespace orvane::platform
