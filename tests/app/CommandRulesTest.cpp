// The enabling of every command of the window, in every device mode and run state, read from
// the real window's actions after the state reached it the way it does in use.
#include <set>


#include "app/shell/CommandCatalog.h"
#include "core/host/MemorySettings.h"
#include "tests/app/WindowRig.h"

using orvane::app::shell::CommandCatalog;
using orvane::app::window::CommandId;
using enum orvane::app::window::CommandId;
using Mode = orvane::device::DeviceMode;
using Run = orvane::script::RunCommand;

namespace {
// The editor's own items follow its undo history, selection and clipboard, not the table.
const std::set<CommandId> kEditorOwn{EditUndo, EditRedo, EditCut, EditCopy, EditPaste, EditPasteSpecial};
const std::set<CommandId> kNeedText{FileSave, FileSaveAs, FilePrint, FilePrintPreview, FilePageSetup,
                                    EditSelectAll, EditFind, EditFindNext, EditReplace};
const std::set<CommandId> kFlash{ProgramWrite, ProgramRead, ProgramErase, SystemWrite, SystemRead, SystemErase};

std::set<CommandId> Join(std::initializer_list<std::set<CommandId>> parts) {
    std::set<CommandId> all;
    for (const auto& part : parts) all.insert(part.begin(), part.end());
    return all;
}
}  // namespace

class CommandRulesTest : public QObject {
    Q_OBJECT
private slots:
    void EveryCommandInEveryModeAndRunState_data() {
        QTest::addColumn<Mode>("mode");
        QTest::addColumn<Run>("runCommand");
        QTest::addColumn<bool>("editorEnabled");
        QTest::addColumn<bool>("hasText");
        QTest::addColumn<std::set<CommandId>>("disabled");

        const std::set<CommandId> servoTools{EditSequence, EditPosition};
        const std::set<CommandId> fromSystem{ModeKomendy, ModeProgram, ModeProgramCtrl};
        const std::set<CommandId> runOnly{RunRestart, RunPause, RunStop};

        const auto komendyRun = Join({fromSystem, kFlash, {AppExit, ControlByRs, EditReplace, ModeCheckState,
                                                            ModeBootLoader, ModeSystem, RunCompile, RunSimulate, SystemVersion}});

        QTest::newRow("before the first reply, empty script") << Mode::NotQueried << Run::Stop << true << false
            << Join({kNeedText, servoTools, fromSystem, kFlash,
                     {ControlByRs, RunStart, RunRestart, RunStep, RunPause, RunStop, RunCompile, RunSimulate,
                      SystemVersion}});
        QTest::newRow("System, idle") << Mode::System << Run::Stop << true << true
                                      << Join({servoTools, runOnly, {ModeSystem}});
        QTest::newRow("Komendy, running") << Mode::Komendy << Run::Start << false << true << Join({komendyRun, {RunStart}});
        QTest::newRow("Komendy, paused") << Mode::Komendy << Run::Pause << false << true << Join({komendyRun, {RunPause}});
        QTest::newRow("Komendy, idle") << Mode::Komendy << Run::Stop << true << true
            << Join({fromSystem, kFlash, runOnly, {AppExit, ControlByRs, RunCompile, SystemVersion}});
        QTest::newRow("Program, idle") << Mode::Program << Run::Stop << true << true
                                       << Join({servoTools, fromSystem, runOnly, {ControlByRs, SystemVersion}});
        QTest::newRow("BootLoader, idle") << Mode::BootLoader << Run::Stop << true << true
            << Join({servoTools, fromSystem, runOnly, {ControlByRs, ModeBootLoader, RunStart, RunStep, SystemVersion}});
        QTest::newRow("Nieznany, idle") << Mode::Unknown << Run::Stop << true << true
            << Join({servoTools, fromSystem, runOnly, kFlash,
                     {ControlByRs, OptionsDeviceParameters, ModeBootLoader, ModeSystem, RunStart, RunStep, SystemVersion}});
    }

    void EveryCommandInEveryModeAndRunState() {
        QFETCH(Mode, mode);
        QFETCH(Run, runCommand);
        QFETCH(bool, editorEnabled);
        QFETCH(bool, hasText);
        QFETCH(std::set<CommandId>, disabled);

        orvane::host::MemorySettings settings;
        orvane::app::shell::MainWindow window(settings, orvane::host::PlatformFolders::Detect(ORVANE_DATA_DIR));
        window.Editor().Load(hasText ? QStringLiteral("ServoSet(1, 0, 0, 0, 1500);") : QString());
        emit window.Device().modeApplied(mode);
        window.SetRunCommand(runCommand);
        window.Editor().SetEnabled(editorEnabled);
        QTest::qWait(0);

        for (const auto& entry : CommandCatalog::All()) {
            if (kEditorOwn.count(entry.id) != 0) continue;
            const bool expected = disabled.count(entry.id) == 0;
            QVERIFY2(window.Action(entry.id)->isEnabled() == expected,
                     qPrintable(QStringLiteral("%1 should be %2").arg(QString::fromUtf8(entry.text))
                                    .arg(expected ? "enabled" : "disabled")));
        }
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
