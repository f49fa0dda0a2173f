#include <QTest>
#include <algorithm>
#include <random>

#include "app/editor/LineColourer.h"
#include "tests/app/EditorRig.h"

namespace orvane::test {

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
    // formats a colouring of the whole text gives: a "/*" typed at the top turns every line
    // below into comment, and closing it turns them back.
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
            QCOMPARE(Digits(rig.Styles()), Digits(rig.features->Lexer().Colourer().ColourText(text)));
        }
    }
};

}  // namespace orvane::test

QTEST_MAIN(orvane::test::EditorColouringTest)
#include "EditorColouringTest.moc"
