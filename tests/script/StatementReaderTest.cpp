#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/host/EditorText.h"
#include "core/script/StatementReader.h"

namespace orvane::script {
namespace {

const std::string kEnd(1, '\xFF');

struct ReadCase {
    const char* name;
    std::string text;
    std::int32_t start;
    std::int32_t limit;
    std::string statement;
    std::int32_t newStart;
    std::int32_t end;
};

class ReadOne : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadOne, GivesStatementAndPositions) {
    const auto& c = GetParam();
    host::TextBuffer text(c.text);
    StatementReader reader(text);
    reader.statementStart = c.start;
    reader.statementEnd = -7;  // must be overwritten (or kept, for an empty read)
    EXPECT_EQ(reader.ReadStatement(c.limit), c.statement);
    EXPECT_EQ(reader.statementStart, c.newStart);
    EXPECT_EQ(reader.statementEnd, c.end);
}

INSTANTIATE_TEST_SUITE_P(
    Reader, ReadOne,
    ::testing::Values(
        ReadCase{"BlanksDropped", "  x = 1 ;  y=2;", 0, -1, "x=1;", 2, 9},
        ReadCase{"NextAfterBlanks", "  x = 1 ;  y=2;", 9, -1, "y=2;", 11, 15},
        ReadCase{"LineCommentFirst", "// note\nx=1;", 0, -1, "x=1;", 8, 12},
        ReadCase{"LineCommentCr", "//a\r\nx=1;", 0, -1, "x=1;", 5, 9},
        ReadCase{"BlockCommentWithSemicolon", "/* a; b */x=1;", 0, -1, "x=1;", 10, 14},
        ReadCase{"BlockCommentStars", "/***/x;", 0, -1, "x;", 5, 7},
        ReadCase{"CommentInside", "x=/*c*/1;", 0, -1, "x=1;", 0, 9},
        ReadCase{"Division", "x=a/2;", 0, -1, "x=a/2;", 0, 6},
        ReadCase{"DivisionByGroup", "x=a/(b+c);z;", 0, -1, "x=a/(b+c);", 0, 10},
        ReadCase{"SlashBeforeBlank", "x=a/ 2;", 0, -1, "x=a/2;", 0, 7},
        ReadCase{"Label", "Start: x=1;", 0, -1, "Start:", 0, 6},
        ReadCase{"VarKeepsReading", "Var: a, b;", 0, -1, "Var:a,b;", 0, 10},
        ReadCase{"IfCondition", "if (x<5) y=1;", 0, -1, "if(x<5)", 0, 8},
        ReadCase{"IfNestedParens", "if((a)<(b))y;", 0, -1, "if((a)<(b))", 0, 11},
        ReadCase{"While", "while(i<3){i=i+1;} x;", 0, -1, "while(i<3){i=i+1;}", 0, 18},
        ReadCase{"Block", "{a=1; b=2;}c;", 0, -1, "{a=1;b=2;}", 0, 11},
        ReadCase{"ElseBlock", "else {x=1;}", 0, -1, "else/{x=1;}", 0, 11},
        ReadCase{"ElseStatement", "else x=1;", 0, -1, "else/x=1;", 0, 9},
        ReadCase{"ElseComment", "else/*c*/x;", 0, -1, "else/x;", 0, 11},
        ReadCase{"ElsewhereUntouched", "elsewhere=1;", 0, -1, "elsewhere=1;", 0, 12},
        ReadCase{"StrayBrace", "x=1;} y;", 4, -1, "}", 4, 5},
        ReadCase{"SemicolonInParens", "Cmd(a;b);", 0, -1, "Cmd(a;b);", 0, 9},
        ReadCase{"ColonInBraces", "{L:x;}", 0, -1, "{L:x;}", 0, 6},
        ReadCase{"LastWithoutSemicolon", "x=1", 0, -1, "x=1" + kEnd, 0, 4},
        ReadCase{"AtEnd", "x=1;", 4, -1, kEnd, 4, 5},
        ReadCase{"EmptyText", "", 0, -1, kEnd, 0, 1},
        ReadCase{"TrailingComment", "x;//c", 2, -1, kEnd, 6, 7},
        ReadCase{"UnclosedBlockComment", "/* never closed", 0, -1, kEnd, 16, 17},
        ReadCase{"ByteFFEndsLikeEnd", "x=1\xFFy=2;", 0, -1, "x=1" + kEnd, 0, 4},
        ReadCase{"QuotesAreNoStrings", "x=\"a;b\";", 0, -1, "x=\"a;", 0, 5},
        ReadCase{"HighBytesKept", "x=\xB1\xEA;", 0, -1, "x=\xB1\xEA;", 0, 5},
        ReadCase{"LimitStopsOnePast", "abcdefgh;", 0, 5, "abcdef", 0, 6},
        ReadCase{"AtLimitReadsNothing", "x=1;y=2;", 4, 4, "", 4, -7},
        ReadCase{"LimitZeroReadsNothing", "x=1;", 0, 0, "", 0, -7},
        ReadCase{"UnbalancedParenRunsToEnd", "Cmd(1;x;", 0, -1, "Cmd(1;x;" + kEnd, 0, 9}),
    [](const auto& info) { return std::string(info.param.name); });

// Walking the whole text the way the run loop and the compiler do.
std::vector<std::string> ReadAll(const std::string& source) {
    host::TextBuffer text(source);
    StatementReader reader(text);
    std::vector<std::string> out;
    while (reader.statementStart < reader.TextLength()) {
        out.push_back(reader.ReadStatement(-1));
        reader.statementStart = reader.statementEnd;
    }
    return out;
}

TEST(ReaderWalk, SplitsScriptIntoStatements) {
    const std::vector<std::string> expected{"Var:a,b;", "Main:", "if(a<3)", "{a=a+1;}",
                                            "else/b=2;", "ServoSet(1,0,0,0,1500);"};
    EXPECT_EQ(ReadAll("Var: a, b;\nMain:\n  if (a < 3) { a = a + 1; }\n"
                      "  else b = 2; // done\n  ServoSet(1, 0, 0, 0, 1500);"),
              expected);
}

TEST(ReaderWalk, StrayClosingBracesEachEndAStatement) {
    EXPECT_EQ(ReadAll("}}x;"), (std::vector<std::string>{"}", "}", "x;"}));
}

TEST(ReaderWalk, LongUnfinishedStatementsRunToTheEnd) {
    // Unbalanced brackets and unclosed comments end with the text, never past it.
    for (const std::string& body : {std::string(100'000, '('), std::string(100'000, 'a'),
                                    "/*" + std::string(100'000, '*')}) {
        host::TextBuffer text(body);
        StatementReader reader(text);
        const std::string s = reader.ReadStatement(-1);
        EXPECT_GT(reader.statementEnd, reader.TextLength());
        EXPECT_LE(reader.statementEnd, reader.TextLength() + 2);
        EXPECT_EQ(s.back(), '\xFF');
    }
}

}  // namespace
}  // namespace orvane::script
