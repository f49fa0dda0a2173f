// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "core/host/EditorText.h"
#include "core/script/StatementReader.h"

namespace orvane::script {
namespace {

const std::string kEnd(1, '\xFF');

TEST(StatementReader, GivesStatementAndPositions) {
    const struct {
        std::string text;
        std::int32_t start, limit;
        std::string statement;
        std::int32_t newStart, end;  // end -7: left as it was
    } rows[] = {
        {"  x = 1 ;  y=2;", 0, -1, "x=1;", 2, 9}, {"// note\nx=1;", 0, -1, "x=1;", 8, 12},
        {"//a\r\nx=1;", 0, -1, "x=1;", 5, 9}, {"//a\rx=1;", 0, -1, "x=1;", 4, 8}, {"/* a; b */x=1;", 0, -1, "x=1;", 10, 14},
        {"/***/x;", 0, -1, "x;", 5, 7}, {"x=/*c*/1;", 0, -1, "x=1;", 0, 9},
        {"x=a/(b+c);z;", 0, -1, "x=a/(b+c);", 0, 10}, {"x=a/ 2;", 0, -1, "x=a/2;", 0, 7},
        {"Start: x=1;", 0, -1, "Start:", 0, 6}, {"Var: a, b;", 0, -1, "Var:a,b;", 0, 10},
        {"if((a)<(b))y;", 0, -1, "if((a)<(b))", 0, 11}, {"while(i<3){i=i+1;} x;", 0, -1, "while(i<3){i=i+1;}", 0, 18},
        {"{a=1; b=2;}c;", 0, -1, "{a=1;b=2;}", 0, 11}, {"else {x=1;}", 0, -1, "else/{x=1;}", 0, 11},
        {"else x=1;", 0, -1, "else/x=1;", 0, 9}, {"else/*c*/x;", 0, -1, "else/x;", 0, 11},
        {"elsewhere=1;", 0, -1, "elsewhere=1;", 0, 12}, {"x=1;} y;", 4, -1, "}", 4, 5},
        {"Cmd(a;b);", 0, -1, "Cmd(a;b);", 0, 9}, {"{L:x;}", 0, -1, "{L:x;}", 0, 6},
        {"x=1", 0, -1, "x=1" + kEnd, 0, 4}, {"", 0, -1, kEnd, 0, 1},
        {"x;//c", 2, -1, kEnd, 6, 7}, {"/* never closed", 0, -1, kEnd, 16, 17},
        {"x=1\xFFy=2;", 0, -1, "x=1" + kEnd, 0, 4}, {"x=\"a;b\";", 0, -1, "x=\"a;", 0, 5},
        {"x=\xB1\xEA;", 0, -1, "x=\xB1\xEA;", 0, 5}, {"abcdefgh;", 0, 5, "abcdef", 0, 6},
        {"x=1;y=2;", 4, 4, "", 4, -7}, {"Cmd(1;x;", 0, -1, "Cmd(1;x;" + kEnd, 0, 9},
    };
    for (const auto& c : rows) {
        SCOPED_TRACE(c.text + " from " + std::to_string(c.start));
        host::TextBuffer text(c.text);
        StatementReader reader(text);
        reader.Restore({c.start, -7});
        EXPECT_EQ(reader.ReadStatement(c.limit).Quoted(), c.statement);
        EXPECT_EQ(reader.Start(), c.newStart);
        EXPECT_EQ(reader.End(), c.end);
    }
}

// The branch of an else starts right after the word, wherever blanks or comments split it.
TEST(StatementReader, AnElseKnowsWhereItsBranchBegins) {
    const struct {
        std::string text;
        std::string branch;
        std::int32_t at;
    } rows[] = {{"else {x=1;}", "{x=1;}", 4}, {"  else x=1;", "x=1;", 6}, {"el/*c*/se x=1;", "x=1;", 9}};
    for (const auto& c : rows) {
        host::TextBuffer text(c.text);
        StatementReader reader(text);
        const Statement statement = reader.ReadStatement(-1);
        EXPECT_TRUE(statement.isElse) << c.text;
        EXPECT_EQ(statement.text, c.branch) << c.text;
        EXPECT_EQ(statement.elseBranch, c.at) << c.text;
    }
}

TEST(StatementReader, LongUnfinishedStatementsEndWithTheTextNeverPastIt) {
    for (const std::string& body : {std::string(100'000, '('), "/*" + std::string(100'000, '*')}) {
        host::TextBuffer text(body);
        StatementReader reader(text);
        EXPECT_EQ(reader.ReadStatement(-1).text.back(), '\xFF');
        EXPECT_GT(reader.End(), reader.TextLength());
        EXPECT_LE(reader.End(), reader.TextLength() + 2);
    }
}

}  // namespace
}  // namespace orvane::script
