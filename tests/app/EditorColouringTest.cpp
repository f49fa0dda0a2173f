#include <QTest>
#include <algorithm>
#include <random>

#include "app/editor/LineColourer.h"
#include "tests/app/EditorRig.h"

namespace orvane::test {

using editor::LexState;

namespace {

// Inserts the characters of `text` one at a time in a shuffled order, each where it belongs
// among those already there, colouring after each as far as a window would show.
void TypeShuffled(EditorRig& rig, const std::string& text, std::mt19937& random) {
    std::vector<std::size_t> order(text.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::shuffle(order.begin(), order.end(), random);
    std::vector<bool> placed(text.size(), false);
    rig.SetText("");
    for (std::size_t index : order) {
        const auto pos = static_cast<long>(std::count(placed.begin(), placed.begin() + static_cast<long>(index), true));
        rig.doc.Insert(pos, std::string(1, text[index]));
        placed[index] = true;
        std::uniform_int_distribution<long> upTo(0, rig.doc.Length());
        rig.features->Lexer().EnsureColouredTo(upTo(random));
    }
}

long CharacterStart(EditorRig& rig, long pos) {
    if (pos >= rig.doc.Length()) return rig.doc.Length();
    return rig.sci.SendScintilla(QsciScintillaBase::SCI_POSITIONBEFORE, static_cast<unsigned long>(pos + 1));
}

}  // namespace

class EditorColouringTest : public QObject {
    Q_OBJECT

private slots:
    // Each row: a script and the format of every byte (line ends included), coloured at once,
    // and typed key by key in a shuffled order, in the widget.
    void lines_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("formats");
        const auto row = [](const char* name, const char* text, const char* formats) {
            QTest::newRow(name) << QString::fromUtf8(text) << QString::fromLatin1(formats);
        };
        row("line comment after a statement", "x = 5; // set", "4444944111111");
        row("block comment over two lines", "/* a\nb */ c", "0000" "0" "0000" "44");
        row("key words match case exactly", "Wait wait WAIT", "6666" "4" "4444" "4" "4444");
        row("only digits make a number", "123abc 007 x1", "444444" "4" "999" "4" "44");
        row("directive then word rules", "#define Main", "5555555" "4" "8888");
        row("string ends at its line", "s = \"abc\nx", "4444" "2222" "4" "4");
        row("character literal is bold red", "c = 'a' + 1", "4444" "333" "444" "9");
        row("type word", "tmp1 = tmp10", "7777" "444" "44444");
        row("/*/ does not close itself", "/*/ x */ y", "00000000" "44");
        row("continued comment may close at once", "/* a\n*/ b", "0000" "0" "00" "44");
        row("empty lines carry a comment", "/*\n\nx */ y", "00" "0" "0" "0000" "44");
        row("CR LF line ends", "/* a\r\nb */ if", "0000" "00" "0000" "4" "66");
        row("lone CR line end", "// a\rif", "1111" "4" "66");
        row("# at the end of a line", "x #", "44" "5");
        row("directive swallows marks up to a blank", "#a/*b c", "55555" "4" "4");
        row("comment marks inside a string", "\"a//b\" // c", "222222" "4" "1111");
        row("comment marks inside a character", "'/*' x", "3333" "44");
        row("string marks inside a comment", "// \"x\n'y'", "11111" "4" "333");
        row("lone quote runs to the line end", "a ' b\nb", "44" "333" "4" "4");
        row("letters beyond ASCII separate words", "Waitą if", "6666" "44" "4" "66");
        row("comment opened after code, closed later", "if /* x\n*/ else", "66" "4" "0000" "0" "00" "4" "6666");
    }
    void lines() {
        QFETCH(QString, text);
        QFETCH(QString, formats);
        const std::string utf8 = text.toStdString();
        EditorRig rig;
        QCOMPARE(QString::fromStdString(Digits(rig.features->Lexer().Colourer().ColourText(utf8))), formats);
        rig.SetText(utf8);
        QCOMPARE(QString::fromStdString(Digits(rig.Styles())), formats);
        std::mt19937 random(static_cast<unsigned>(utf8.size()));
        for (int round = 0; round < 3; ++round) {
            TypeShuffled(rig, utf8, random);
            QCOMPARE(QString::fromStdString(Digits(rig.Styles())), formats);
        }
    }

    // Any sequence of edits, coloured as far as a window shows after each, ends with the
    // formats a colouring of the whole text gives.
    void randomEditsEndAsAFullColouring() {
        static const char* const pieces[] = {"/*", "*/", "//", "\"", "'", "#", "\n", "\r\n", " ",
                                             "Wait", "if", "tmp1", "Main", "12", "x", "{", "}", "ą"};
        EditorRig rig;
        std::mt19937 random(11);
        for (int script = 0; script < 20; ++script) {
            rig.SetText("");
            for (int edit = 0; edit < 150; ++edit) {
                const long length = rig.doc.Length();
                std::uniform_int_distribution<long> at(0, length);
                const long pos = at(random);
                // Edits keep whole characters, as typing does.
                const long from = CharacterStart(rig, pos);
                if (random() % 4 == 0) {
                    rig.doc.Delete(from, CharacterStart(rig, pos + static_cast<long>(random() % 6) + 1));
                } else {
                    rig.doc.Insert(from, pieces[random() % std::size(pieces)]);
                }
                std::uniform_int_distribution<long> shown(0, rig.doc.Length());
                rig.features->Lexer().EnsureColouredTo(shown(random));
            }
            const std::string text = rig.Text();
            const std::string got = rig.Styles(), want = rig.features->Lexer().Colourer().ColourText(text);
            if (got != want) {
                std::size_t i = 0; while (got[i] == want[i]) ++i;
                qWarning("differs at %zu of %zu\n%s\n%s\n%s", i, text.size(), text.substr(i > 40 ? i - 40 : 0, 80).c_str(), Digits(got.substr(i > 40 ? i - 40 : 0, 80)).c_str(), Digits(want.substr(i > 40 ? i - 40 : 0, 80)).c_str());
            }
            QCOMPARE(got, want);
        }
    }

    // What a character typed at a point is inside of, which Enter asks before it indents.
    void stateAt_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("continued");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("state");
        const auto row = [](const char* name, const char* line, bool continued, int offset, LexState state) {
            QTest::newRow(name) << QString::fromLatin1(line) << continued << offset << static_cast<int>(state);
        };
        row("inside an open comment", "/* a", false, 4, LexState::BlockComment);
        row("right after a closed comment", "/* a */", false, 7, LexState::Plain);
        row("between * and / of the closing mark", "/* a */", false, 6, LexState::BlockComment);
        row("half an opening mark is plain", "x /", false, 3, LexState::Plain);
        row("right after an opening quote", "\"ab\"", false, 1, LexState::String);
        row("right after the closing quote", "\"ab\"", false, 4, LexState::Plain);
        row("line start of a continued comment", "abc", true, 0, LexState::BlockComment);
        row("after the comment closed on its line", "a */ b", true, 5, LexState::Plain);
        row("in a directive", "#def x", false, 4, LexState::Directive);
        row("after the directive's blank", "#def x", false, 5, LexState::Plain);
        row("in a line comment", "x // y", false, 6, LexState::LineComment);
    }
    void stateAt() {
        QFETCH(QString, line);
        QFETCH(bool, continued);
        QFETCH(int, offset);
        QFETCH(int, state);
        editor::Dictionaries none;
        const editor::LineColourer colourer(none);
        QCOMPARE(static_cast<int>(colourer.StateAt(line.toStdString(), continued, static_cast<std::size_t>(offset))),
                 state);
    }

    // A comment opened on the first line of a long script turns everything below into comment
    // and closing it turns it back, as far down as the user scrolls.
    void openingCommentAtTheTopRecoloursTheLinesBelow() {
        EditorRig rig;
        std::string script;
        for (int i = 0; i < 2000; ++i) script += "if x = 1;\n";
        rig.SetText(script);
        rig.features->Lexer().EnsureColouredTo(200);
        const auto lastLineStart = [&] { return rig.Styles().substr(static_cast<std::size_t>(rig.doc.LineStart(1999)), 2); };
        rig.doc.Insert(0, "/*");
        QCOMPARE(lastLineStart(), std::string(2, '\0'));
        rig.doc.Insert(rig.doc.Length(), "*/");
        rig.doc.Delete(0, 2);
        QCOMPARE(lastLineStart(), std::string("\6\6"));
    }
};

}  // namespace orvane::test

QTEST_MAIN(orvane::test::EditorColouringTest)
#include "EditorColouringTest.moc"
