// SPDX-License-Identifier: GPL-3.0-or-later
// The script editor: colouring as the text changes, the dictionaries behind it, completion,
// call tips and indentation as keys are typed, find and replace; and inside the window, the
// words and the loaded commands' call tips that come with the start-up.
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QWheelEvent>
#include <algorithm>
#include <fstream>
#include <random>

#include "app/editor/CallTip.h"
#include "app/editor/CommandHints.h"
#include "app/editor/Dictionaries.h"
#include "app/editor/EditorFeatures.h"
#include "app/editor/FindReplaceDialog.h"
#include "app/editor/LineColourer.h"
#include "app/editor/SciDocument.h"
#include "app/editor/SyntaxLexer.h"
#include "app/editor/TextFinder.h"
#include "core/commands/CommandFile.h"
#include "core/host/Cp1250.h"
#include "tests/app/WindowRig.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TempDir.h"

namespace orvane::test {

namespace editor = orvane::app::editor;
using editor::Dictionaries;
using editor::FunctionHint;
using editor::SearchOptions;
using editor::TextFinder;
using Result = TextFinder::Result;
using enum orvane::app::window::CommandId;

namespace {

void Write(const TempDir& dir, const char* name, const std::string& text) {
    std::ofstream(dir / name, std::ios::binary) << text;
}

// The window's script editor, shown, on the test dictionaries.
struct EditorRig {
    TempDir folder;
    ScriptedPrompts prompts;
    QWidget window;
    editor::ScriptEditor editor{&window};
    QsciScintilla& sci = *editor.Scintilla();
    editor::SyntaxLexer& lexer = editor.Features().Lexer();
    editor::SciDocument doc{sci};

    EditorRig() {
        Write(folder, "DicKeyWord.txt", "Wait\r\nif\r\nelse\r\nwhile\r\nVar\r\n");
        Write(folder, "DicTypes.txt", "tmp1\r\n");
        Write(folder, "DicConstants.txt", "Main\r\n");
        Write(folder, "DicFunctions.txt", "ServoSet\tNumer serwa, Pozycja [us]\tUstawia serwo\r\n"
                                          "ServoRead\tNumer serwa\tOdczytuje pozycj\xEA\r\nServoReset\t\r\n");
        editor.LoadDictionaries(folder.Path(), prompts);
        editor.SetTabSize(3);
        window.resize(640, 400);
        sci.resize(640, 400);
        window.show();
    }

    // Every style of the text, after colouring whatever is still uncoloured.
    std::string Styles() {
        lexer.EnsureColouredTo(doc.Length());
        return doc.Styles(0, doc.Length());
    }
    std::string Text() const { return std::string(doc.Range(0, doc.Length())); }
    // A new text, and the repaint after it that tells the editor where the caret went.
    void SetText(const std::string& text) {
        sci.setText(QString::fromStdString(text));
        QCoreApplication::processEvents();
    }
};

std::string Digits(std::string styles) {
    for (char& s : styles) s = static_cast<char>('0' + s);
    return styles;
}

long CharacterStart(EditorRig& rig, long pos) {
    if (pos >= rig.doc.Length()) return rig.doc.Length();
    return rig.sci.SendScintilla(QsciScintillaBase::SCI_POSITIONBEFORE, static_cast<unsigned long>(pos + 1));
}

QListView* List(EditorRig& rig) { return rig.sci.viewport()->findChild<QListView*>("completionList"); }
editor::CallTip* Tip(EditorRig& rig) { return rig.sci.viewport()->findChild<editor::CallTip*>("callTip"); }

// Puts a text with "|" for the caret, or "[" and "]" around the selection, into the editor.
void SetMarked(EditorRig& rig, std::string text) {
    const auto mark = [&](char c) {
        const std::size_t at = text.find(c);
        if (at != std::string::npos) text.erase(at, 1);
        return static_cast<long>(at);
    };
    const long caret = mark('|'), from = mark('['), to = mark(']');
    rig.SetText(text);
    rig.doc.Select(from >= 0 ? from : caret, from >= 0 ? to : caret);
}

// The text as SetMarked writes it: the selection in brackets, else the caret.
std::string Marked(EditorRig& rig) {
    std::string text = rig.Text();
    const long from = std::min(rig.doc.Anchor(), rig.doc.Caret());
    const long to = std::max(rig.doc.Anchor(), rig.doc.Caret());
    if (from == to) return text.insert(static_cast<std::size_t>(from), "|");
    text.insert(static_cast<std::size_t>(to), "]");
    return text.insert(static_cast<std::size_t>(from), "[");
}

// Types characters and keys written as {Ctrl+Space} (any key sequence), {RC-Right}: Ctrl+Right
// on the right Ctrl key, and {Click}: a click on the first character.
void TypeKeys(EditorRig& rig, const QString& keys) {
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const qsizetype end = keys[i] == '{' ? keys.indexOf('}', i) : i;
        const QString name = keys.mid(i + 1, end - i - 1);
        if (end == i) {
            QTest::keyClicks(&rig.sci, keys.mid(i, 1));
        } else if (name == "Click") {  // on the script's first character
            const auto x = rig.sci.SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, 0L);
            const auto y = rig.sci.SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL, 0L);
            QTest::mouseClick(rig.sci.viewport(), Qt::LeftButton, {}, QPoint(static_cast<int>(x) + 1, static_cast<int>(y) + 2));
        } else if (name != "RC-Right") {
            QTest::keySequence(&rig.sci, QKeySequence(name));
        } else {  // by hand: QTest would press a Ctrl key of its own, the left one
            QKeyEvent rightCtrl(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier, 105, 0xffe4, 0);
            QKeyEvent ctrlRight(QEvent::KeyPress, Qt::Key_Right, Qt::ControlModifier);
            QApplication::sendEvent(&rig.sci, &rightCtrl);
            QApplication::sendEvent(&rig.sci, &ctrlRight);
        }
        i = end;
    }
}

}  // namespace

class EditorTest : public QObject {
    Q_OBJECT

private slots:
    // Each row: a script and the format of every byte (line ends included), coloured at once
    // and in the widget.
    void lines_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("formats");
        const auto row = [](const char* name, const char* text, const char* formats) {
            QTest::newRow(name) << QString::fromUtf8(text) << QString::fromLatin1(formats);
        };
        row("line comment after a statement", "x = 5; // set", "4444944111111");
        row("dictionary words match case exactly", "Wait wait tmp1 tmp10", "6666" "4" "4444" "4" "7777" "4" "44444");
        row("only digits make a number", "123abc 007 x1", "444444" "4" "999" "4" "44");
        row("directive then word rules", "#define Main", "5555555" "4" "8888");
        row("string ends at its line", "s = \"abc\nx", "4444" "2222" "4" "4");
        row("character literal is bold red", "c = 'a' + 1", "4444" "333" "444" "9");
        row("/*/ does not close itself", "/*/ x */ y", "00000000" "44");
        row("continued comment may close at once", "/* a\n*/ b", "0000" "0" "00" "44");
        row("empty lines carry a comment", "/*\n\nx */ y", "00" "0" "0" "0000" "44");
        row("CR LF and lone CR line ends", "/* a\r\nb */ // c\rif", "0000" "00" "0000" "4" "1111" "4" "66");
        row("# at the end of a line", "x #", "44" "5");
        row("directive swallows marks up to a blank", "#a/*b c", "55555" "4" "4");
        row("marks inside a string, a character, a comment", "\"a//b\" '/*' // \"x\n'y'",
            "222222" "4" "3333" "4" "11111" "4" "333");
        row("lone quote runs to the line end", "a ' b\nb", "44" "333" "4" "4");
        row("letters beyond ASCII separate words", "Waitą if", "6666" "44" "4" "66");
        row("comment opened after code, closed later", "if /* x\n*/ else", "66" "4" "0000" "0" "00" "4" "6666");
    }
    void lines() {
        QFETCH(QString, text);
        QFETCH(QString, formats);
        const std::string utf8 = text.toStdString();
        EditorRig rig;
        QCOMPARE(QString::fromStdString(Digits(rig.lexer.Colourer().ColourText(utf8))), formats);
        rig.SetText(utf8);
        QCOMPARE(QString::fromStdString(Digits(rig.Styles())), formats);
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
                rig.lexer.EnsureColouredTo(shown(random));
            }
            const std::string text = rig.Text();
            QCOMPARE(Digits(rig.Styles()), Digits(rig.lexer.Colourer().ColourText(text)));
        }
    }

    // A missing file is told by name. Line ends of any kind, a UTF-8 file with its mark, huge
    // lines and thousands of words load whole, in order without regard to case, each spelling
    // once; loading again adds nothing.
    void filesLoadWhateverTheirShape() {
        TempDir dir;
        std::string constants;
        for (int i = 0; i < 20000; ++i) constants += "K" + std::to_string(i) + "\n";
        Write(dir, "DicKeyWord.txt", "Wait\r\nif\nwait\nwhile\nWait");
        Write(dir, "DicTypes.txt", "\xEF\xBB\xBFtmp\xC5\x82\r\n" + std::string(1'000'000, 'x') + "\r\n");
        Write(dir, "DicConstants.txt", constants);
        // A name ends at the first tab, the third field starts after the last one, the hint is what
        // lies between; a line without a tab, or starting with one, is skipped.
        Write(dir, "DicFunctions.txt", "LedSet\tNumer diody\tx\r\nLedSet\tdrugi\tx\r\nbroken\r\n\tbez\tnazwy\r\nF\ta\tb\tc\r\nG\tpo\r\n");
        Dictionaries words;
        ScriptedPrompts missing;
        words.Load(TempDir().Path(), missing);  // each missing file is told
        QCOMPARE(missing.Boxes().size(), std::size_t{4});
        QCOMPARE(missing.Boxes()[1].text, std::string("Can't open Types dictionary"));
        ScriptedPrompts prompts;
        for (int load = 0; load < 2; ++load) words.Load(dir.Path(), prompts);
        QVERIFY(prompts.Boxes().empty());
        QCOMPARE(words.KeyWords().Words(), (std::vector<std::string>{"if", "Wait", "wait", "while"}));
        QCOMPARE(words.Types().Words()[0], host::Pl("tmpł"));
        QCOMPARE(words.Constants().Size(), std::size_t{20000});
        QCOMPARE(words.AllWords().Size(), std::size_t{4 + 2 + 20000 + 3});
        const auto fields = [&](const char* name) { return words.FindFunction(name)->hint + '|' + words.FindFunction(name)->extra; };
        QCOMPARE(fields("LedSet") + ' ' + fields("F") + ' ' + fields("G"), std::string("Numer diody|x a\tb|c |po"));
        QVERIFY(!words.FindFunction("broken") && !words.FindFunction(""));
    }

    // The shipped dictionaries load without a box, know the statements, and hold one call tip
    // per command of the shipped Komendy.ini, made from its arguments.
    void shippedDictionariesMatchTheShippedCommands() {
        ScriptedPrompts prompts;
        Dictionaries words;
        words.Load(ORVANE_DATA_DIR, prompts);
        QVERIFY(prompts.Boxes().empty());
        for (const char* statement : {"Var", "asm", "if", "while", "GoTo", "Call", "Return", "RetINT"})
            QVERIFY2(words.Classify(statement) == editor::Format::KeyWord, statement);
        commands::CommandTable table;
        QVERIFY(commands::CommandFile::ReadFile(ORVANE_DATA_DIR "/Komendy.ini", table, nullptr));
        QVERIFY(!table.Empty());
        for (const FunctionHint& expected : editor::HintsOf(table)) {
            const FunctionHint* shipped = words.FindFunction(expected.name);
            QVERIFY2(shipped, expected.name.c_str());
            QCOMPARE(host::Cp1250ToUtf8(shipped->hint), host::Cp1250ToUtf8(expected.hint));
            QCOMPARE(host::Cp1250ToUtf8(shipped->extra), host::Cp1250ToUtf8(expected.extra));
        }
        QCOMPARE(words.FunctionNames().Size(), table.Size());
    }

    // Each row searches "Wait wait Waiting ŁÓDŹ łódź" from a caret with options (c: match case,
    // w: whole word, b: backwards) and names the match's byte offset, -1 for none.
    void findNext_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("options");
        QTest::addColumn<int>("found");
        QTest::addColumn<Result>("result");
        QTest::newRow("matching case") << 1 << "Wait" << "c" << 10 << Result::Found;
        QTest::newRow("whole words only") << 6 << "wait" << "w" << 0 << Result::FoundAfterWrap;
        QTest::newRow("backwards wraps to the end") << 0 << "waiting" << "b" << 10 << Result::FoundAfterWrap;
        QTest::newRow("Polish letters ignoring case") << 0 << "łódź" << "" << 18 << Result::Found;
        QTest::newRow("Polish letters matching case") << 0 << "łódź" << "c" << 26 << Result::Found;
        QTest::newRow("nothing") << 0 << "xyz" << "" << -1 << Result::NotFound;
    }
    void findNext() {
        QFETCH(int, from);
        QFETCH(QString, text);
        QFETCH(QString, options);
        QFETCH(int, found);
        EditorRig rig;
        rig.SetText("Wait wait Waiting ŁÓDŹ łódź");
        rig.doc.Select(from, from);
        const SearchOptions o{text.toStdString(), "", options.contains('c'), options.contains('w'), options.contains('b')};
        QTEST(TextFinder(rig.sci).FindNext(o), "result");
        if (found >= 0) {
            QCOMPARE(std::min(rig.doc.Anchor(), rig.doc.Caret()), static_cast<long>(found));
            QCOMPARE(rig.sci.selectedText().toStdString().size(), o.text.size());
        }
    }

    // Replace changes the selected match only and moves on; Replace all is one undoable step and
    // never searches its own replacement again.
    void replace() {
        EditorRig rig;
        rig.SetText("a b a ba");
        TextFinder finder(rig.sci);
        SearchOptions o{"a", "aa", true, true, false};
        QCOMPARE(finder.Replace(o), Result::Found);  // nothing selected yet: finds the first
        QCOMPARE(rig.Text(), std::string("a b a ba"));
        QCOMPARE(finder.Replace(o), Result::Found);
        QCOMPARE(rig.Text(), std::string("aa b a ba"));
        QCOMPARE(rig.doc.Anchor(), 5L);

        rig.SetText("a b a ba");
        QCOMPARE(finder.ReplaceAll(o), 2);
        QCOMPARE(rig.Text(), std::string("aa b aa ba"));
        o.wholeWord = false;
        QCOMPARE(finder.ReplaceAll(o), 5);
        QCOMPARE(rig.Text(), std::string("aaaa b aaaa baa"));
        rig.sci.undo();
        QCOMPARE(rig.Text(), std::string("aa b aa ba"));
        QCOMPARE(finder.ReplaceAll(SearchOptions{}), 0);
        rig.editor.SetEnabled(false);  // a run: found, never changed
        QCOMPARE(finder.ReplaceAll(o), 0);
        for (int i = 0; i < 3; ++i) QVERIFY(finder.Replace(o) != Result::NotFound);
        TypeKeys(rig, "{Tab}{Return}{Ctrl+Space}x");  // nor does any key
        QCOMPARE(rig.Text(), std::string("aa b aa ba"));
        QVERIFY(!List(rig)->isVisible());
    }

    // Each row: a text with the caret, the keys typed, the text after them and which of the
    // completion list and the call tip is left open. Tab size 3; the words are the rig's.
    void keys_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("open");  // "list", "tip" or ""
        const auto row = [](const char* name, const char* before, const char* keys, const char* after,
                            const char* open) {
            QTest::newRow(name) << QString::fromUtf8(before) << QString::fromUtf8(keys) << QString::fromUtf8(after)
                                << QString::fromLatin1(open);
        };
        // Completion: the rest of the first word with the prefix comes in selected.
        row("suggests the first word", "x = Serv|", "{Ctrl+Space}", "x = Serv[oRead]", "list");
        row("typing on narrows it", "x = Serv|", "{Ctrl+Space}oS", "x = ServoS[et]", "list");
        row("Right takes a character", "Serv|", "{Ctrl+Space}oS{Right}", "ServoSe[t]", "list");
        row("Right with nothing selected takes the word", "Serv|", "{Ctrl+Space}oS{Right}{Right}{Right}", "ServoSet|", "");
        row("Left gives one back", "Serv|", "{Ctrl+Space}oS{Left}", "Servo[Read]", "list");
        row("Enter takes the word chosen in the list", "Serv|", "{Ctrl+Space}{Down}{Return}", "ServoReset|", "");
        row("( takes the word and opens its tip", "Ser|", "{Ctrl+Right}(", "ServoRead(|", "tip");
        row("Tab types its spaces over the suggestion", "Ser|", "{Ctrl+Space}{Tab}", "Ser   |", "");
        row("Esc drops the suggestion", "wh|", "{Ctrl+Space}{Esc}", "wh|", "");
        row("no word left closes the list", "wh|", "{Ctrl+Space}q", "whq|", "");
        // Leaving the list any other way than accepting takes the suggested rest away.
        row("an unbound key drops the suggestion", "wh|", "{Ctrl+Space}{F2}", "wh|", "");
        row("a click elsewhere drops it", "x wh|", "{Ctrl+Space}{Click}", "|x wh", "");
        row("moving in the list, then Esc", "wh|", "{Ctrl+Space}{Down}{Ctrl+End}{Esc}", "wh|", "");
        row("a one-letter prefix shortened goes", "W|", "{Ctrl+Space}{Left}", "|", "");
        row("Ctrl+Right with nothing to complete", "|alpha beta", "{Ctrl+Right}", "alpha |beta", "");
        row("the right Ctrl key moves by words", "alpha| beta", "{RC-Right}", "alpha |beta", "");
        // Call tips.
        row("tip after (", "|", "ServoSet(", "ServoSet(|", "tip");
        row(") closes it", "|", "ServoSet(1, 2)", "ServoSet(1, 2)|", "");
        row("Up closes it", "|", "ServoRead({Up}", "|ServoRead(", "");
        row("Backspace over ( closes it", "|", "ServoRead({Backspace}", "ServoRead|", "");
        row("Left before ( is reached keeps it", "|", "ServoRead(1{Left}", "ServoRead(|1", "tip");
        row("none in a comment", "|", "// ServoSet(", "// ServoSet(|", "");
        row("none without a hint", "|", "ServoReset(", "ServoReset(|", "");
        // Tab and indentation.
        row("Tab is tab-size spaces", "a|", "{Tab}", "a   |", "");
        row("Tab over a selection", "[ab]", "{Tab}", "   |", "");
        row("each open brace adds a level", "  { {|", "{Return}", "  { {\n        |", "");
        row("a brace closed on its line does not", "  if (a) { x(); }|", "{Return}", "  if (a) { x(); }\n  |", "");
        row("braces in comments and strings do not", "  x(\"{\"); // {|", "{Return}", "  x(\"{\"); // {\n  |", "");
        row("a line of spaces gives none", "     |", "{Return}", "     \n|", "");
        row("text after the caret moves, its spaces go", "  if (a) {|   b", "{Return}", "  if (a) {\n     |b", "");
        row("inside a block comment Enter only breaks", "  /* a {|", "{Return}", "  /* a {\n|", "");
        row("after a closed comment it indents", "  /* a */ {|", "{Return}", "  /* a */ {\n     |", "");
        row("Enter and its indent are one undo step", "  if (a) {|", "{Return}{Ctrl+Z}", "  if (a) {|", "");
        row("} over a nested block", "while (b) {\n   if (a) {\n   }\n      |", "}", "while (b) {\n   if (a) {\n   }\n}|", "");
        row("} skips braces in comments", "  if (a) {\n // }\n        |", "}", "  if (a) {\n // }\n  }|", "");
        row("} in a comment aligns nothing", "  if (a) {\n /*  |", "}", "  if (a) {\n /*  }|", "");
        row("} with nothing to match", "     |", "}", "     }|", "");
    }
    void keys() {
        QFETCH(QString, before);
        QFETCH(QString, keys);
        EditorRig rig;
        SetMarked(rig, before.toStdString());
        TypeKeys(rig, keys);
        QTEST(QString::fromStdString(Marked(rig)), "after");
        const QString open = List(rig)->isVisible() ? "list" : Tip(rig)->isVisible() ? "tip" : "";
        QTEST(open, "open");
    }

    // The tip shows the hint, under the caret and inside the window even at its right edge; Ctrl+wheel
    // zooms, and the line numbers stay readable.
    void callTipAndZoomFitTheWindow() {
        EditorRig rig;
        rig.sci.resize(260, 200);
        SetMarked(rig, "               |");
        TypeKeys(rig, "ServoSet(");
        QCOMPARE(Tip(rig)->text(), QString::fromUtf8("Numer serwa, Pozycja [us]"));
        QVERIFY(rig.sci.viewport()->rect().contains(Tip(rig)->geometry()));

        const int margin = rig.sci.marginWidth(0);
        const QPointF at(50, 50);
        QWheelEvent wheel(at, rig.sci.viewport()->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, Qt::ControlModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(rig.sci.viewport(), &wheel);
        QVERIFY(rig.sci.SendScintilla(QsciScintillaBase::SCI_GETZOOM) > 0);
        QVERIFY(rig.sci.marginWidth(0) > margin);
    }

    void startUpLoadsTheWordsAndColoursTheScript() {
        BoxAnswerer boxes;
        SimProcess sim(ORVANE_SIM_BIN, {});
        settings::QtSettingsStore file;
        settings::OverlaySettings settings(file);
        file.WriteString("Sprawdzaj odpowiada co", "0");
        file.WriteString("Tab size", "5");
        // The user's own command table holds a command the shipped dictionary does not know.
        const QString commands = home_.Path(QStringLiteral("Komendy.ini"));
        QVERIFY(WriteAll(commands, "[Komenda1]\r\nNazwa=Buzzer\r\nID=B\r\nArgumenty=1\r\nArgument 1=2\r\nOpis 1=Ton [Hz]\r\n"));
        file.WriteString("Plik komend", commands.toStdString());
        settings.OverridePort(sim.SlavePath());
        app::shell::MainWindow window(settings, host::PlatformFolders::Detect(ORVANE_DATA_DIR));
        window.show();
        editor::ScriptEditor& ed = window.Editor();
        ed.Load(QStringLiteral("Wait(1); // x"));
        window.RunStartUp();
        QVERIFY(SpinUntil([&] { return !window.Device().IsBusy(); }));
        QCOMPARE(boxes.Count(), std::size_t{0});
        QCOMPARE(ed.Words().FindFunction("Buzzer")->hint, std::string("Ton [Hz]"));
        QCOMPARE(ed.TabSize(), 5);
        QsciScintilla& sci = *ed.Scintilla();
        QTest::qWait(50);  // the recolouring shows with the next paint
        QCOMPARE(sci.SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, 0UL), long(editor::Format::KeyWord));

        sci.setCursorPosition(0, 1);
        // Its find window, through the keys and buttons a user presses.
        QWidget* typing = ed.Widget();
        typing->setFocus();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::keyClick(typing, Qt::Key_F, Qt::ControlModifier);
        auto& dialog = ed.Features().SearchDialog();
        QVERIFY(dialog.isVisible());
        auto* findText = dialog.findChild<QLineEdit*>(QStringLiteral("findText"));
        QCOMPARE(findText->text(), QStringLiteral("Wait"));  // the word at the caret
        const auto button = [&](const char* text) {
            for (QPushButton* b : dialog.findChildren<QPushButton*>())
                if (b->text() == QString::fromUtf8(text)) return b;
            return static_cast<QPushButton*>(nullptr);
        };
        QVERIFY(button("Znajdź &następny") && button("Zamień &wszystko") && button("Zamknij"));
        QTest::mouseClick(button("Znajdź &następny"), Qt::LeftButton);  // from inside the word: round to its start
        QCOMPARE(sci.selectedText(), QStringLiteral("Wait"));
        QTest::keyClick(typing, Qt::Key_R, Qt::ControlModifier);
        auto* replaceText = dialog.findChild<QLineEdit*>(QStringLiteral("replaceText"));
        QVERIFY(replaceText->isVisible());
        QTest::keyClicks(replaceText, QStringLiteral("Czekaj"));
        QTest::mouseClick(button("Zamień &wszystko"), Qt::LeftButton);
        QCOMPARE(sci.text(), QStringLiteral("Czekaj(1); // x"));
        QTest::mouseClick(button("Zamknij"), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());

        // F3 that finds nothing opens the window to say so.
        findText->selectAll();
        QTest::keyClicks(findText, QStringLiteral("nowhere"));
        QTest::keyClick(typing, Qt::Key_F3);
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.findChild<QLabel*>(QStringLiteral("findStatus"))->text().contains(QStringLiteral("nowhere")));
    }

private:
    TempHome home_;
};

}  // namespace orvane::test

QTEST_MAIN(orvane::test::EditorTest)
#include "EditorTest.moc"
