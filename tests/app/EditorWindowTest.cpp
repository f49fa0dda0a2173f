// The script editor inside the window: the dictionaries and the loaded commands' call tips come
// with the start-up, the text is coloured after it, and the Edycja menu's search commands reach
// the find window.
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <Qsci/qsciscintilla.h>

#include "app/editor/Dictionaries.h"
#include "app/editor/FindReplaceDialog.h"
#include "app/editor/EditorFeatures.h"
#include "app/editor/ScriptEditor.h"
#include "app/shell/MainWindow.h"
#include "settings/OverlaySettings.h"
#include "settings/QtSettingsStore.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/SimProcess.h"

using enum orvane::app::shell::CommandId;

class EditorWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startUpLoadsTheWordsAndColoursTheScript() {
        orvane::test::BoxAnswerer boxes;
        orvane::test::SimProcess sim(ORVANE_SIM_BIN, {});
        orvane::settings::QtSettingsStore file;
        orvane::settings::OverlaySettings settings(file);
        file.WriteString("Sprawdzaj odpowiada co", "0");
        file.WriteString("Tab size", "5");
        // The user's own command table holds a command the shipped dictionary does not know.
        const QString commands = home_.Path(QStringLiteral("Komendy.ini"));
        QFile ini(commands);
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Komenda1]\r\nNazwa=Buzzer\r\nID=B\r\nArgumenty=1\r\nArgument 1=2\r\nOpis 1=Ton [Hz]\r\n");
        ini.close();
        file.WriteString("Plik komend", commands.toStdString());
        settings.OverridePort(sim.SlavePath());
        orvane::app::shell::MainWindow window(settings, orvane::host::PlatformFolders::Detect(ORVANE_DATA_DIR));
        window.show();
        orvane::app::editor::ScriptEditor& editor = window.Editor();
        editor.Load(QStringLiteral("Wait(1); // x"));
        window.RunStartUp();
        QVERIFY(orvane::test::WaitUntil([&] { return !window.Device().IsBusy(); }));
        QCOMPARE(boxes.Count(), std::size_t{0});
        QCOMPARE(editor.Words().Classify("while"), orvane::app::editor::Format::KeyWord);
        QVERIFY(editor.Words().FindFunction("ServoSet"));
        QCOMPARE(editor.Words().FindFunction("Buzzer")->hint, std::string("Ton [Hz]"));
        QCOMPARE(editor.TabSize(), 5);
        QsciScintilla& sci = *editor.Scintilla();
        QTest::qWait(50);  // the recolouring shows with the next paint
        QCOMPARE(sci.SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, 0UL), long(orvane::app::editor::Format::KeyWord));
        QCOMPARE(sci.SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, 10UL), long(orvane::app::editor::Format::LineComment));

        sci.setCursorPosition(0, 1);
        window.Action(EditFind)->trigger();
        orvane::app::editor::FindReplaceDialog& dialog = editor.Features().SearchDialog();
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("findText"))->text(), QStringLiteral("Wait"));
        dialog.hide();
        window.Action(EditFindNext)->trigger();
        QCOMPARE(sci.selectedText(), QStringLiteral("Wait"));
        window.Action(EditReplace)->trigger();
        QVERIFY(dialog.findChild<QLineEdit*>(QStringLiteral("replaceText"))->isVisible());

        // F3 that finds nothing opens the window to say so.
        dialog.findChild<QLineEdit*>(QStringLiteral("findText"))->setText(QStringLiteral("nowhere"));
        dialog.hide();
        window.Action(EditFindNext)->trigger();
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.findChild<QLabel*>(QStringLiteral("findStatus"))->text().contains(QStringLiteral("nowhere")));
    }

private:
    orvane::test::TempHome home_;
};

QTEST_MAIN(EditorWindowTest)
#include "EditorWindowTest.moc"
