#include <QListView>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "app/editor/CallTip.h"
#include "app/editor/CompletionPopup.h"
#include "app/editor/EditorAssist.h"
#include "tests/app/EditorRig.h"

namespace orvane::test {

using editor::CallTip;

namespace {

QWidget* Target(EditorRig& rig) { return &rig.sci; }

void Type(EditorRig& rig, const char* text) { QTest::keyClicks(Target(rig), QString::fromUtf8(text)); }
void Key(EditorRig& rig, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(Target(rig), key, mods);
}

QListView* List(EditorRig& rig) { return rig.sci.viewport()->findChild<QListView*>("completionList"); }
CallTip* Tip(EditorRig& rig) { return rig.sci.viewport()->findChild<CallTip*>("callTip"); }
QString ListSelection(EditorRig& rig) { return List(rig)->currentIndex().data().toString(); }

}  // namespace

class EditorTypingTest : public QObject {
    Q_OBJECT

private slots:
    // The rest of the first matching word comes in selected; typing on narrows it, Right takes
    // it a character at a time and then whole, Left gives back a character of the prefix.
    void completionSuggestsAndRefreshes() {
        EditorRig rig;
        Type(rig, "x = Serv");
        Key(rig, Qt::Key_Space, Qt::ControlModifier);
        QVERIFY(List(rig)->isVisible());
        QCOMPARE(rig.Text(), std::string("x = ServoRead"));
        QCOMPARE(rig.Selected(), std::string("oRead"));
        QCOMPARE(ListSelection(rig), QString("ServoRead"));

        Type(rig, "oS");
        QCOMPARE(rig.Text(), std::string("x = ServoSet"));
        QCOMPARE(rig.Selected(), std::string("et"));
        Key(rig, Qt::Key_Right);
        QCOMPARE(rig.Selected(), std::string("t"));
        Key(rig, Qt::Key_Left);
        Key(rig, Qt::Key_Left);
        QCOMPARE(rig.Text(), std::string("x = ServoRead"));
        QCOMPARE(rig.Selected(), std::string("Read"));
        Key(rig, Qt::Key_Down);  // the list moves; the text waits for the choice
        QCOMPARE(ListSelection(rig), QString("ServoReset"));
        Key(rig, Qt::Key_Return);
        QVERIFY(!List(rig)->isVisible());
        QCOMPARE(rig.Text(), std::string("x = ServoReset"));
        QCOMPARE(rig.Caret(), rig.doc.Length());
    }

    // Punctuation takes the chosen word and is typed behind it; Escape drops the suggestion;
    // a prefix that matches nothing closes the list; a one-letter prefix shortened goes away.
    void completionEndsAsTheKeySays() {
        EditorRig rig;
        Type(rig, "Ser");
        Key(rig, Qt::Key_Right, Qt::ControlModifier);  // the left Ctrl, as offscreen reports it
        Type(rig, "(");
        QCOMPARE(rig.Text(), std::string("ServoRead("));
        QVERIFY(!List(rig)->isVisible());
        QVERIFY(Tip(rig)->isVisible());

        rig.SetText("");
        Type(rig, "wh");
        Key(rig, Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(rig.Text(), std::string("while"));
        Key(rig, Qt::Key_Escape);
        QCOMPARE(rig.Text(), std::string("wh"));
        QVERIFY(!List(rig)->isVisible());

        Key(rig, Qt::Key_Space, Qt::ControlModifier);
        Type(rig, "q");
        QCOMPARE(rig.Text(), std::string("whq"));
        QVERIFY(!List(rig)->isVisible());

        rig.SetText("");
        Type(rig, "W");
        Key(rig, Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(rig.Text(), std::string("Wait"));
        Key(rig, Qt::Key_Left);
        QCOMPARE(rig.Text(), std::string(""));
        QVERIFY(!List(rig)->isVisible());
    }

    // Ctrl+Right with the right Ctrl key, and with nothing to complete, still moves by words.
    void ctrlRightMovesByWordsOtherwise() {
        EditorRig rig;
        rig.SetText("alpha beta");
        rig.sci.setCursorPosition(0, 0);
        Key(rig, Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(rig.Caret(), 6L);
        rig.sci.setCursorPosition(0, 5);
        // Sent by hand: QTest would press a Ctrl key of its own, the left one.
        QKeyEvent rightCtrl(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier, 105, 0xffe4, 0);
        QKeyEvent ctrlRight(QEvent::KeyPress, Qt::Key_Right, Qt::ControlModifier);
        QApplication::sendEvent(Target(rig), &rightCtrl);
        QApplication::sendEvent(Target(rig), &ctrlRight);
        QCOMPARE(rig.Caret(), 6L);
        QCOMPARE(rig.Text(), std::string("alpha beta"));
    }

    // "(" behind a function with a hint shows it under the caret, inside the window; the keys
    // that leave the call close it. Nothing shows in a comment or for a function without hint.
    void callTipsOpenAndClose() {
        EditorRig rig;
        Type(rig, "ServoSet(");
        CallTip* tip = Tip(rig);
        QVERIFY(tip->isVisible());
        QCOMPARE(tip->text(), QString::fromUtf8("Numer serwa, Pozycja [us]"));
        QVERIFY(rig.sci.viewport()->rect().contains(tip->geometry()));
        Type(rig, "1, 2)");
        QVERIFY(!tip->isVisible());

        for (Qt::Key closing : {Qt::Key_Up, Qt::Key_End, Qt::Key_Backspace}) {
            rig.SetText("");
            Type(rig, "ServoRead(");
            QVERIFY(tip->isVisible());
            Key(rig, closing);
            QVERIFY2(!tip->isVisible(), QTest::toString(closing));
        }
        rig.SetText("");
        Type(rig, "ServoRead(1");
        Key(rig, Qt::Key_Left);  // not next to "(" yet
        QVERIFY(tip->isVisible());

        for (const char* quiet : {"// ServoSet(", "ServoReset(", "Wait("}) {
            rig.SetText("");
            Type(rig, quiet);
            QVERIFY2(!tip->isVisible(), quiet);
        }

        // Near the right edge the tip moves left to end inside the window.
        rig.sci.resize(260, 200);
        rig.SetText("");
        Type(rig, "               ServoSet(");
        QVERIFY(tip->isVisible());
        QVERIFY(rig.sci.viewport()->rect().contains(tip->geometry()));
    }

    void tabInsertsSpacesOfTheTabSize() {
        EditorRig rig;
        Type(rig, "a");
        Key(rig, Qt::Key_Tab);
        QCOMPARE(rig.Text(), std::string("a   "));
        for (auto [asked, used] : {std::pair{0, 1}, {7, 7}, {40, 16}}) {
            rig.features->SetTabSize(asked);
            QCOMPARE(rig.features->Assist().TabSize(), used);
        }
        rig.SetText("ab");
        rig.sci.setSelection(0, 0, 0, 2);
        Key(rig, Qt::Key_Tab);  // like typing, over the selection
        QCOMPARE(rig.Text(), std::string(16, ' '));

        // While a run shows its statement the text stays as it is, whatever the keys.
        rig.SetText("Ser");
        rig.sci.SendScintilla(QsciScintillaBase::SCI_DOCUMENTEND);
        rig.editor.SetEnabled(false);
        for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Return}) Key(rig, key);
        Key(rig, Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(rig.Text(), std::string("Ser"));
        QVERIFY(!List(rig)->isVisible());
    }

    void enterIndents_data() {
        QTest::addColumn<QString>("before");  // "|" marks the caret
        QTest::addColumn<QString>("after");
        QTest::newRow("open brace adds a level") << "  if (a) {|" << "  if (a) {\n     |";
        QTest::newRow("same indent as the line before") << "   x = 1;|" << "   x = 1;\n   |";
        QTest::newRow("each open brace counts") << "{ {|" << "{ {\n      |";
        QTest::newRow("a brace closed on its line does not") << "  if (a) { x(); }|" << "  if (a) { x(); }\n  |";
        QTest::newRow("braces in comments and strings do not") << "  x(\"{\"); // {|" << "  x(\"{\"); // {\n  |";
        QTest::newRow("a line of spaces gives none") << "     |" << "     \n|";
        QTest::newRow("text after the caret moves, its spaces go") << "  if (a) {|   b" << "  if (a) {\n     |b";
        QTest::newRow("inside a block comment only breaks") << "  /* a {|" << "  /* a {\n|";
        QTest::newRow("after a closed comment indents") << "  /* a */ {|" << "  /* a */ {\n     |";
    }
    void enterIndents() {
        QFETCH(QString, before);
        QFETCH(QString, after);
        EditorRig rig;
        const std::string b = before.toStdString();
        rig.SetText(b.substr(0, b.find('|')) + b.substr(b.find('|') + 1));
        rig.sci.SendScintilla(QsciScintillaBase::SCI_GOTOPOS, static_cast<unsigned long>(b.find('|')));
        Key(rig, Qt::Key_Return);
        std::string text = rig.Text();
        text.insert(static_cast<std::size_t>(rig.Caret()), "|");
        QCOMPARE(QString::fromStdString(text), after);
        rig.sci.undo();  // the break and its indent are one step
        QCOMPARE(rig.Text(), b.substr(0, b.find('|')) + b.substr(b.find('|') + 1));
    }

    void closingBraceAligns_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("lastLine");
        QTest::newRow("with its opening line") << "  if (a) {\n     x = 1;\n     " << "}" << "  }";
        QTest::newRow("over a nested block") << "while (b) {\n   if (a) {\n   }\n      " << "}" << "}";
        QTest::newRow("braces in a comment skipped") << "  if (a) {\n // }\n        " << "}" << "  }";
        QTest::newRow("not inside a comment") << "  if (a) {\n /*  " << "}" << " /*  }";
        QTest::newRow("nothing to match") << "     " << "}" << "     }";
    }
    void closingBraceAligns() {
        QFETCH(QString, text);
        QFETCH(QString, typed);
        QFETCH(QString, lastLine);
        EditorRig rig;
        rig.SetText(text.toStdString());
        rig.sci.SendScintilla(QsciScintillaBase::SCI_DOCUMENTEND);
        Type(rig, typed.toUtf8().constData());
        const QString all = QString::fromStdString(rig.Text());
        QCOMPARE(all.section('\n', -1), lastLine);
        QCOMPARE(rig.Caret(), rig.doc.Length());
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
