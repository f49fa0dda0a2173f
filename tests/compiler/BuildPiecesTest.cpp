// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <set>

#include "core/compiler/AssemblerReport.h"
#include "core/compiler/BuildPaths.h"
#include "tests/compiler/CompileFakes.h"

namespace orvane::test {
namespace {

using compiler::BuildPaths;

TEST(AssemblerReport, SuccessOnlyOnTheExactLine) {
    struct Row { const char* report; bool success; };
    for (const Row row : {Row{"Pass 2...\nAssembly complete with no errors.\nSegment usage:\n", true},
                          Row{"x Assembly complete with no errors. y", true},
                          Row{"Assembly complete with no errors (1 warning).\n", true},
                          Row{"Assembly complete with no errors (12 warnings).\n", true},
                          Row{"Assembly complete with no errors\n.", false},
                          Row{"Assembly complete with no errors (some errors).\n", false},
                          Row{"Assembly aborted with 2 errors and 0 warnings.\n", false},
                          Row{"assembly complete with no errors.\n", false}, Row{"", false}})
        EXPECT_EQ(compiler::AssemblerReport::Succeeded(row.report), row.success) << row.report;
}

// The report's lines that name a place in a file, as avra writes them, and lines that only
// look alike.
TEST(AssemblerReport, PlacesOfItsLines) {
    using Kind = compiler::AssemblerReport::Place::Kind;
    struct Row { const char* line; const char* file; int number; Kind kind; };
    for (const Row row : {Row{"/tmp/a b/test.asm(41) : Error   : Unknown mnemonic/macro: foo", "/tmp/a b/test.asm",
                              41, Kind::Error},
                          Row{"t.asm(5) : Warning : Constant out of range", "t.asm", 5, Kind::Warning},
                          Row{"/x/(1)/m8def.inc(44) : PRAGMA PARTINC directive", "/x/(1)/m8def.inc", 44, Kind::Note},
                          Row{"Pass 1...", nullptr, 0, Kind::Note}, Row{"f() : Error : x", nullptr, 0, Kind::Note},
                          Row{"(3) : Error : x", nullptr, 0, Kind::Note},
                          Row{"f(1x) : Error : x", nullptr, 0, Kind::Note},
                          Row{"f(99999999999999999999) : Error", nullptr, 0, Kind::Note}}) {
        const auto place = compiler::AssemblerReport::PlaceOf(row.line);
        ASSERT_EQ(place.has_value(), row.file != nullptr) << row.line;
        if (!place) continue;
        EXPECT_EQ(place->file, row.file);
        EXPECT_EQ(place->line, row.number);
        EXPECT_EQ(place->kind, row.kind) << row.line;
    }
}

// Whatever the build script is called, the assembler's four files and the script differ, and
// only the script's own extension is replaced (not a ".bat" in a folder name).
TEST(BuildPaths, OutputsAlwaysDiffer) {
    struct Row { const char* script; const char* hex; const char* map; };
    for (const Row row : {Row{"/d/x.bat.d/test.sh", "/d/x.bat.d/test.hex", "/d/x.bat.d/test.map"},
                          Row{"/d/build", "/d/build.hex", "/d/build.map"},
                          Row{"/d/build.bat", "/d/build.hex", "/d/build.map"},
                          Row{"/d/X.HEX", "/d/X.HEX.hex", "/d/X.HEX.map"}}) {
        const auto out = BuildPaths::OutputsOf(row.script);
        EXPECT_EQ(out.hex + " " + out.map, std::string(row.hex) + " " + row.map);
        EXPECT_EQ((std::set<std::string>{out.hex, out.object, out.eeprom, out.map, row.script}).size(), 5u) << row.script;
    }
    // The compiled files take the document's name without its last extension.
    for (const auto& [document, base] : {std::pair{"/d/prog.v2.orv", "prog.v2"}, {"/d/prog", "prog"}, {"/d/.orv", ".orv"}})
        EXPECT_EQ(BuildPaths::BaseOf(document), base) << document;
}

}  // namespace
}  // namespace orvane::test
