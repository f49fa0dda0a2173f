// SPDX-License-Identifier: GPL-3.0-or-later
// No chord with Ctrl or Alt types into the script: in every mode of the controller, with and
// without a selection, every Ctrl and Alt chord (Shift or not) over the letters and digits whose
// window command is disabled or absent reaches the editor and leaves the script as it was. (A
// chord whose command is enabled runs that command; the window's own tests cover those.)
#include <QMenuBar>
#include <Qsci/qsciscintilla.h>

#include "tests/app/WindowRig.h"

using namespace orvane::test;

namespace {

const QString kScript = QStringLiteral("Wait(1);\n// żółw\n");
const Qt::KeyboardModifiers kModifiers[] = {Qt::ControlModifier, Qt::AltModifier, Qt::ControlModifier | Qt::ShiftModifier,
                                            Qt::AltModifier | Qt::ShiftModifier};

bool RunsACommand(QWidget& window, const QKeySequence& chord) {
    for (const QAction* action : window.findChildren<QAction*>())
        if (action->isEnabled() && action->shortcuts().contains(chord)) return true;
    return false;
}

// A mnemonic opens its menu; the user closes it again.
void CloseMenus(QsciScintilla& editor) {
    while (QWidget* popup = QApplication::activePopupWidget()) QTest::keyClick(popup, Qt::Key_Escape);
    editor.setFocus();
}

}  // namespace

class ChordTest : public QObject {
    Q_OBJECT

private slots:
    void chordsNeverEditTheScript_data() {
        QTest::addColumn<QStringList>("simArgs");
        QTest::addColumn<QList<int>>("modeKeys");  // Ctrl+digit pressed to reach the mode
        QTest::addColumn<QString>("mode");
        QTest::newRow("System") << QStringList{} << QList<int>{} << QStringLiteral("System");
        QTest::newRow("Komendy") << QStringList{} << QList<int>{Qt::Key_3} << QStringLiteral("Komendy");
        QTest::newRow("BootLoader") << QStringList{} << QList<int>{Qt::Key_1} << QStringLiteral("BootLoader");
        QTest::newRow("Nieznany") << QStringList{QStringLiteral("--fault"), QStringLiteral("silent")} << QList<int>{}
                                  << QStringLiteral("Nieznany");
    }

    void chordsNeverEditTheScript() {
        QFETCH(QStringList, simArgs);
        QFETCH(QList<int>, modeKeys);
        QFETCH(QString, mode);
        std::vector<std::string> args;
        for (const QString& arg : simArgs) args.push_back(arg.toStdString());
        WindowRig rig(args);
        QMainWindow& window = *rig.window;
        auto* editor = window.findChild<QsciScintilla*>(QStringLiteral("scriptEditor"));
        QVERIFY(editor != nullptr);
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        editor->setFocus();
        if (!modeKeys.isEmpty()) QVERIFY(rig.WaitForPane(QStringLiteral("System")));
        for (const int key : modeKeys) QTest::keyClick(editor, static_cast<Qt::Key>(key), Qt::ControlModifier);
        QVERIFY(rig.WaitForPane(mode));
        QVERIFY(rig.WaitIdle());

        int sent = 0;
        for (const bool selected : {false, true}) {
            editor->setText(kScript);
            editor->setModified(false);
            if (selected) editor->selectAll();
            else editor->setCursorPosition(1, 3);
            for (const Qt::KeyboardModifiers modifiers : kModifiers) {
                for (int index = 0; index < 36; ++index) {
                    const auto key = static_cast<Qt::Key>(index < 26 ? Qt::Key_A + index : Qt::Key_0 + index - 26);
                    const QKeySequence chord(QKeyCombination(modifiers, key));
                    if (RunsACommand(window, chord)) continue;
                    // The character the keyboard sends with the chord, as with Alt on X11.
                    QString text(QChar(index < 26 ? 'a' + index : '0' + index - 26));
                    if (modifiers & Qt::ShiftModifier) text = text.toUpper();
                    QTest::sendKeyEvent(QTest::Click, editor, key, text, modifiers);
                    CloseMenus(*editor);
                    ++sent;
                    QVERIFY2(editor->text() == kScript && !editor->isModified(),
                             qPrintable(chord.toString() + (selected ? " over a selection: " : ": ") + editor->text()));
                }
            }
        }
        QVERIFY2(sent > 200, qPrintable(QString::number(sent)));
    }
};

QTEST_MAIN(ChordTest)
#include "ChordTest.moc"
