// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <span>
#include <string>
#include <string_view>

namespace orvane::help {

// One message box the system can show, by the code it carries: the caption and text as the code
// raises them (‹…› stands for what is filled in), then what happened, the usual causes and what
// to do. All UTF-8. The help's box pages are generated from this table, and a check test keeps
// every code the sources raise in it.
struct BoxEntry {
    const char* code;
    const char* caption;
    const char* text;
    const char* happened;
    const char* causes;
    const char* remedy;
};

class BoxCatalog {
public:
    static std::span<const BoxEntry> All();
    // By code, exactly as written ("O1", "OWK1"); null when there is none.
    static const BoxEntry* Find(std::string_view code);
    // The code a caption (or the start of a box text) carries: "BŁĄD (O1)" gives "O1",
    // "Błąd Systemu OWSZKH!…" gives "OWSZKH"; empty when it carries no code of this table.
    static std::string CodeIn(std::string_view caption);
};

}  // namespace orvane::help
