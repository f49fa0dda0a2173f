#include <QListView>
#include <QTest>
#include <QWheelEvent>

#include "app/editor/CallTip.h"
#include "tests/app/EditorRig.h"

namespace orvane::test {

namespace {

QListView* List(EditorRig& rig) { return rig.sci.viewport()->findChild<QListView*>("completionList"); }
editor::CallTip* Tip(EditorRig& rig) { return rig.sci.viewport()->findChild<editor::CallTip*>("callTip"); }

// Puts a text with "|" for the caret, or "[" and "]" around the selection, into the editor.
void SetMarked(EditorRig& rig, std::string text) {
    const auto mark = [&](char c) {
        const std::size_t at = text.find(c);
        if (at != std::string::npos) text.erase(at, 1);
        return static_cast<long>(at);
    };
    long caret = mark('|');
    const long from = mark('[');
    const long to = from >= 0 ? mark(']') : -1;
    rig.SetText(text);
    if (from >= 0) rig.doc.Select(from, to);
    else rig.doc.Select(caret, caret);
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

// Types characters and keys written as {Name}: Enter, Tab, Esc, Up, Down, End, Left, Right,
// Backspace, C-Space, C-Right, C-Z, and RC-Right (Ctrl+Right on the right Ctrl key).
void TypeKeys(EditorRig& rig, const QString& keys) {
    static const std::map<QString, std::pair<Qt::Key, Qt::KeyboardModifiers>> named = {
        {"Enter", {Qt::Key_Return, Qt::NoModifier}},  {"Tab", {Qt::Key_Tab, Qt::NoModifier}},
        {"Esc", {Qt::Key_Escape, Qt::NoModifier}},     {"Up", {Qt::Key_Up, Qt::NoModifier}},
        {"Down", {Qt::Key_Down, Qt::NoModifier}},      {"End", {Qt::Key_End, Qt::NoModifier}},
        {"Left", {Qt::Key_Left, Qt::NoModifier}},      {"Right", {Qt::Key_Right, Qt::NoModifier}},
        {"Backspace", {Qt::Key_Backspace, Qt::NoModifier}}, {"C-Space", {Qt::Key_Space, Qt::ControlModifier}},
        {"C-Right", {Qt::Key_Right, Qt::ControlModifier}},  {"C-Z", {Qt::Key_Z, Qt::ControlModifier}}};
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (keys[i] != '{') {
            QTest::keyClicks(&rig.sci, keys.mid(i, 1));
            continue;
        }
        const qsizetype end = keys.indexOf('}', i);
        const QString name = keys.mid(i + 1, end - i - 1);
        i = end;
        if (name == "RC-Right") {
            // By hand: QTest would press a Ctrl key of its own, the left one.
            QKeyEvent rightCtrl(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier, 105, 0xffe4, 0);
            QKeyEvent ctrlRight(QEvent::KeyPress, Qt::Key_Right, Qt::ControlModifier);
            QApplication::sendEvent(&rig.sci, &rightCtrl);
            QApplication::sendEvent(&rig.sci, &ctrlRight);
            continue;
        }
        const auto [key, mods] = named.at(name);
        QTest::keyClick(&rig.sci, key, mods);
    }
}

}  // namespace

class EditorTypingTest : public QObject {
    Q_OBJECT

private slots:
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
        row("suggests the first word", "x = Serv|", "{C-Space}", "x = Serv[oRead]", "list");
        row("typing on narrows it", "x = Serv|", "{C-Space}oS", "x = ServoS[et]", "list");
        row("Right takes a character", "Serv|", "{C-Space}oS{Right}", "ServoSe[t]", "list");
        row("Right with nothing selected takes the word", "Serv|", "{C-Space}oS{Right}{Right}{Right}", "ServoSet|", "");
        row("Left gives one back", "Serv|", "{C-Space}oS{Left}", "Servo[Read]", "list");
        row("Enter takes the word chosen in the list", "Serv|", "{C-Space}{Down}{Enter}", "ServoReset|", "");
        row("( takes the word and opens its tip", "Ser|", "{C-Right}(", "ServoRead(|", "tip");
        row("Tab types its spaces over the suggestion", "Ser|", "{C-Space}{Tab}", "Ser   |", "");
        row("Esc drops the suggestion", "wh|", "{C-Space}{Esc}", "wh|", "");
        row("no word left closes the list", "wh|", "{C-Space}q", "whq|", "");
        row("a one-letter prefix shortened goes", "W|", "{C-Space}{Left}", "|", "");
        row("Ctrl+Right with nothing to complete", "|alpha beta", "{C-Right}", "alpha |beta", "");
        row("the right Ctrl key moves by words", "alpha| beta", "{RC-Right}", "alpha |beta", "");
        // Call tips.
        row("tip after (", "|", "ServoSet(", "ServoSet(|", "tip");
        row(") closes it", "|", "ServoSet(1, 2)", "ServoSet(1, 2)|", "");
        row("Up closes it", "|", "ServoRead({Up}", "|ServoRead(", "");
        row("End closes it", "|", "ServoRead({End}", "ServoRead(|", "");
        row("Backspace over ( closes it", "|", "ServoRead({Backspace}", "ServoRead|", "");
        row("Left before ( is reached keeps it", "|", "ServoRead(1{Left}", "ServoRead(|1", "tip");
        row("none in a comment", "|", "// ServoSet(", "// ServoSet(|", "");
        row("none without a hint", "|", "ServoReset(", "ServoReset(|", "");
        row("none for a key word", "|", "Wait(", "Wait(|", "");
        // Tab and indentation.
        row("Tab is tab-size spaces", "a|", "{Tab}", "a   |", "");
        row("Tab over a selection", "[ab]", "{Tab}", "   |", "");
        row("open brace adds a level", "  if (a) {|", "{Enter}", "  if (a) {\n     |", "");
        row("same indent as the line before", "   x = 1;|", "{Enter}", "   x = 1;\n   |", "");
        row("each open brace counts", "{ {|", "{Enter}", "{ {\n      |", "");
        row("a brace closed on its line does not", "  if (a) { x(); }|", "{Enter}", "  if (a) { x(); }\n  |", "");
        row("braces in comments and strings do not", "  x(\"{\"); // {|", "{Enter}", "  x(\"{\"); // {\n  |", "");
        row("a line of spaces gives none", "     |", "{Enter}", "     \n|", "");
        row("text after the caret moves, its spaces go", "  if (a) {|   b", "{Enter}", "  if (a) {\n     |b", "");
        row("inside a block comment Enter only breaks", "  /* a {|", "{Enter}", "  /* a {\n|", "");
        row("after a closed comment it indents", "  /* a */ {|", "{Enter}", "  /* a */ {\n     |", "");
        row("Enter and its indent are one undo step", "  if (a) {|", "{Enter}{C-Z}", "  if (a) {|", "");
        row("} lines up with its {", "  if (a) {\n     x = 1;\n     |", "}", "  if (a) {\n     x = 1;\n  }|", "");
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

    // The tip shows the hint, under the caret and inside the window even at its right edge.
    void callTipStaysInsideTheWindow() {
        EditorRig rig;
        for (int width : {640, 260}) {
            rig.sci.resize(width, 200);
            SetMarked(rig, "               |");
            TypeKeys(rig, "ServoSet(");
            QCOMPARE(Tip(rig)->text(), QString::fromUtf8("Numer serwa, Pozycja [us]"));
            QVERIFY(rig.sci.viewport()->rect().contains(Tip(rig)->geometry()));
        }
    }

    // The tab size is kept within 1..16, and while a run shows its statement no key changes the
    // text.
    void tabSizeAndRuns() {
        EditorRig rig;
        for (auto [asked, used] : {std::pair{0, 1}, {7, 7}, {40, 16}}) {
            rig.editor.SetTabSize(asked);
            QCOMPARE(rig.editor.TabSize(), used);
        }
        SetMarked(rig, "Ser|");
        rig.editor.SetEnabled(false);
        TypeKeys(rig, "{Tab}{Enter}{C-Space}");
        QCOMPARE(Marked(rig), std::string("Ser|"));
        QVERIFY(!List(rig)->isVisible());
    }

    // Ctrl+wheel zooms, and the line numbers stay readable.
    void zoomWithCtrlWheel() {
        EditorRig rig;
        rig.SetText("a\nb\nc");
        const int margin = rig.sci.marginWidth(0);
        const QPointF at(50, 50);
        QWheelEvent wheel(at, rig.sci.viewport()->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, Qt::ControlModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(rig.sci.viewport(), &wheel);
        QVERIFY(rig.sci.SendScintilla(QsciScintillaBase::SCI_GETZOOM) > 0);
        QVERIFY(rig.sci.marginWidth(0) > margin);
    }
};

}  // namespace orvane::test

QTEST_MAIN(orvane::test::EditorTypingTest)
#include "EditorTypingTest.moc"
