// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/compiler/TranslationHarness.h"
#include "tests/support/RunRig.h"

namespace orvane::test {
namespace {

// Every box either engine shows for `script`, as "caption | text".
std::vector<std::string> Boxes(const std::string& script) {
    RunRig run(script);
    run.RunToEnd(1000);
    std::vector<std::string> boxes = run.prompts.Shown();
    TranslationHarness compile(host::Utf8ToCp1250(script));
    compile.Run();
    for (const auto& box : compile.prompts.Shown()) boxes.push_back(box);
    return boxes;
}

// A box quotes a line's worth of what the user wrote: never the reader's end-of-text mark
// (0xFF, shown as "˙"), never a whole long expression or name, the cut marked.
TEST(MessageQuoteTest, BoxesQuoteALineOfWhatTheUserWroteAndNeverTheEndMark) {
    const std::string kLong(5000, 'q');
    const struct {
        const char* what;
        std::string script;
        std::string quoted;  // a piece some box must show
    } rows[] = {
        {"a statement cut off by the end of the text", "Var:x; Nope", "Nope!"},
        {"a call cut off by the end of the text", "Nope(1)", "\"Nope(1)\"!"},
        {"an unclosed group", "Var:x; x=1+" + std::string(300, '('), std::string(78, '(') + "…"},
        {"a long unknown operand", "Var:x; x=1+" + kLong + ";", "1+" + kLong.substr(0, 78) + "…"},
        {"a long label", "GoTo(" + kLong + ");", "GoTo(" + kLong.substr(0, 75) + "…"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const std::vector<std::string> boxes = Boxes(row.script);
        ASSERT_FALSE(boxes.empty());
        bool quoted = false;
        for (const std::string& box : boxes) {
            EXPECT_EQ(box.find("˙"), std::string::npos) << box;
            EXPECT_LT(box.size(), 400u) << box.substr(0, 200);
            quoted = quoted || box.find(row.quoted) != std::string::npos;
        }
        EXPECT_TRUE(quoted) << boxes.front();
    }
}

}  // namespace
}  // namespace orvane::test
