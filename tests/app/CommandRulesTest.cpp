// SPDX-License-Identifier: GPL-3.0-or-later
// The enabling and checked state of every command of the window, after each document command
// and in every device mode and run state, read from the real window's actions after the state
// reached it the way it does in use.
#include <memory>
#include <set>


#include "app/editor/EditorHolds.h"
#include "app/document/ScriptDocument.h"
#include "app/shell/CommandCatalog.h"
#include "core/host/MemorySettings.h"
#include "tests/app/WindowRig.h"

using orvane::app::shell::CommandCatalog;
using orvane::app::window::CommandId;
using enum orvane::app::window::CommandId;
using Mode = orvane::device::DeviceMode;
using Run = orvane::script::RunCommand;

using namespace orvane::test;

namespace {
// Paste follows the clipboard, which this machine shares with everything else.
const std::set<CommandId> kClipboard{EditPaste, EditPasteSpecial};
// Nothing to undo, redo or copy: a script just loaded, with the caret only.
const std::set<CommandId> kFresh{EditUndo, EditRedo, EditCut, EditCopy};
const std::set<CommandId> kNeedText{FileSave, FileSaveAs, FilePrint, FilePrintPreview, FilePageSetup,
                                    EditSelectAll, EditFind, EditFindNext, EditReplace};
const std::set<CommandId> kFlash{ProgramWrite, ProgramRead, ProgramErase, SystemWrite, SystemRead, SystemErase};

std::set<CommandId> Join(std::initializer_list<std::set<CommandId>> parts) {
    std::set<CommandId> all;
    for (const auto& part : parts) all.insert(part.begin(), part.end());
    return all;
}
// The document commands a row names, in order, as the user gives them: typing into the editor,
// its own Undo and Select All, and Nowy, Otwórz (of a good and of a refused file) and Zapisz.
void Apply(orvane::app::shell::MainWindow& window, const QStringList& steps) {
    static QTemporaryDir folder;
    const QString script = folder.filePath(QStringLiteral("skrypt.orv"));
    const QString refused = folder.filePath(QStringLiteral("binary.orv"));
    WriteAll(script, "Wait(1);\n");
    WriteAll(refused, QByteArray("\x7F" "ELF\x00", 5));
    auto next = std::make_shared<QString>(script);
    window.Document().SetPathAsker([next](bool, const QString&) { return *next; });
    if (steps.first() == QStringLiteral("empty")) return;
    window.Action(FileOpen)->trigger();
    for (const QString& step : steps) {
        if (step == QStringLiteral("typed")) QTest::keyClicks(window.Editor().Widget(), QStringLiteral("x"));
        if (step == QStringLiteral("select")) window.Action(EditSelectAll)->trigger();
        if (step == QStringLiteral("undo")) window.Action(EditUndo)->trigger();
        if (step == QStringLiteral("save")) window.Action(FileSave)->trigger();
        if (step == QStringLiteral("new")) window.Action(FileNew)->trigger();
        if (step == QStringLiteral("bad")) *next = refused;
        if (step == QStringLiteral("open") || step == QStringLiteral("bad")) window.Action(FileOpen)->trigger();
    }
}
}  // namespace

class CommandRulesTest : public QObject {
    Q_OBJECT
private slots:
    void EveryCommandInEveryModeAndRunState_data() {
        QTest::addColumn<QString>("document");  // the document commands given first, see Apply
        QTest::addColumn<Mode>("mode");
        QTest::addColumn<Run>("runCommand");
        QTest::addColumn<bool>("editorEnabled");
        QTest::addColumn<std::set<CommandId>>("disabled");

        const std::set<CommandId> servoTools{EditSequence, EditPosition};
        const std::set<CommandId> fromSystem{ModeKomendy, ModeProgram, ModeProgramCtrl};
        const std::set<CommandId> runOnly{RunRestart, RunPause, RunStop};

        const auto komendyRun = Join({fromSystem, kFlash, {AppExit, ControlByRs, EditReplace, ModeCheckState,
                                                            ModeBootLoader, ModeSystem, RunCompile, RunSimulate, SystemVersion}});

        QTest::newRow("before the first reply, empty script") << QStringLiteral("empty") << Mode::NotQueried << Run::Stop << true
            << Join({kNeedText, kFresh, servoTools, fromSystem, kFlash,
                     {ControlByRs, RunStart, RunRestart, RunStep, RunPause, RunStop, RunCompile, RunSimulate,
                      SystemVersion}});
        QTest::newRow("System, idle") << QStringLiteral("loaded") << Mode::System << Run::Stop << true
                                      << Join({kFresh, servoTools, runOnly, {ModeSystem}});
        QTest::newRow("Komendy, running") << QStringLiteral("loaded") << Mode::Komendy << Run::Start << false << Join({kFresh, komendyRun, {RunStart}});
        QTest::newRow("Komendy, paused") << QStringLiteral("loaded") << Mode::Komendy << Run::Pause << false << Join({kFresh, komendyRun, {RunPause}});
        QTest::newRow("Komendy, idle") << QStringLiteral("loaded") << Mode::Komendy << Run::Stop << true
            << Join({kFresh, fromSystem, kFlash, runOnly, {AppExit, ControlByRs, RunCompile, SystemVersion}});
        QTest::newRow("Program, idle") << QStringLiteral("loaded") << Mode::Program << Run::Stop << true
                                       << Join({kFresh, servoTools, fromSystem, runOnly, {ControlByRs, SystemVersion}});
        QTest::newRow("BootLoader, idle") << QStringLiteral("loaded") << Mode::BootLoader << Run::Stop << true
            << Join({kFresh, servoTools, fromSystem, runOnly, {ControlByRs, ModeBootLoader, RunStart, RunStep, SystemVersion}});
        QTest::newRow("Nieznany, idle") << QStringLiteral("loaded") << Mode::Unknown << Run::Stop << true
            << Join({kFresh, servoTools, fromSystem, runOnly, kFlash,
                     {ControlByRs, OptionsDeviceParameters, ModeBootLoader, ModeSystem, RunStart, RunStep, SystemVersion}});

        // The document commands in System mode: what the editor's history and text allow.
        const auto system = Join({servoTools, runOnly, {ModeSystem}});
        const auto typed = [&](std::set<CommandId> more) { return Join({system, {EditRedo, EditCut, EditCopy}, more}); };
        QTest::newRow("typed, saved") << QStringLiteral("typed,save") << Mode::System << Run::Stop << true << typed({});
        QTest::newRow("typed, selected all") << QStringLiteral("typed,select") << Mode::System << Run::Stop << true
                                             << Join({system, {EditRedo}});
        QTest::newRow("typed, undone") << QStringLiteral("typed,undo") << Mode::System << Run::Stop << true
                                       << Join({system, {EditUndo, EditCut, EditCopy}});
        QTest::newRow("typed, saved, New") << QStringLiteral("typed,save,new") << Mode::System << Run::Stop << true
                                           << Join({system, kFresh, kNeedText, {RunStart, RunStep, RunCompile, RunSimulate}});
        QTest::newRow("typed, saved, Open") << QStringLiteral("typed,save,open") << Mode::System << Run::Stop << true
                                            << Join({system, kFresh});
        QTest::newRow("typed, saved, failed Open") << QStringLiteral("typed,save,bad") << Mode::System << Run::Stop
                                                   << true << typed({});
    }

    void EveryCommandInEveryModeAndRunState() {
        QFETCH(QString, document);
        QFETCH(Mode, mode);
        QFETCH(Run, runCommand);
        QFETCH(bool, editorEnabled);
        QFETCH(std::set<CommandId>, disabled);

        WindowRig rig;
        orvane::app::shell::MainWindow& window = *rig.window;
        QVERIFY(rig.WaitIdle());
        Apply(window, document.split(','));
        QVERIFY(rig.WaitIdle());
        emit window.Device().modeApplied(mode);
        window.SetRunCommand(runCommand);
        window.Holds().SetHeld(!editorEnabled);  // a run or a compile holds the text

        QStringList wrong;
        const auto check = [&] {
            wrong.clear();
            for (const auto& entry : CommandCatalog::All()) {
                if (kClipboard.count(entry.id) != 0) continue;
                const QAction* action = window.Action(entry.id);
                if (action->isEnabled() != (disabled.count(entry.id) == 0)) {
                    wrong << QString::fromUtf8(entry.text) + (action->isEnabled() ? " enabled" : " disabled");
                }
                if (action->isCheckable() && !action->isChecked()) wrong << QString::fromUtf8(entry.text) + " unchecked";
            }
            return wrong.isEmpty();
        };
        QVERIFY2(SpinUntil(check, 2000), qPrintable(wrong.join(QStringLiteral(", "))));
    }

    // "Edycja Pozycji" answers Alt+P, which is also the "&Plik" menu's mnemonic.
    void AcceleratorsWinOverMenuMnemonics() {
        orvane::host::MemorySettings settings;
        orvane::app::shell::MainWindow window(settings, orvane::host::PlatformFolders::Detect(ORVANE_DATA_DIR));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        int positions = 0;
        connect(window.Action(EditPosition), &QAction::triggered, [&] { ++positions; });
        QWidget* editor = window.Editor().Widget();
        editor->setFocus();

        emit window.Device().modeApplied(Mode::Komendy);
        QTest::keyClick(editor, Qt::Key_P, Qt::AltModifier);
        QCOMPARE(positions, 1);
        emit window.Device().modeApplied(Mode::System);
        QTest::keyClick(editor, Qt::Key_P, Qt::AltModifier);
        QCOMPARE(positions, 1);
    }

private:
    orvane::test::TempHome home_;
};

QTEST_MAIN(CommandRulesTest)
#include "CommandRulesTest.moc"
