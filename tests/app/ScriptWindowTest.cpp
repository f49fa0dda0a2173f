// SPDX-License-Identifier: GPL-3.0-or-later
// The script from the window against the real virtual controller and the real assembler. Runs: F5
// to the end with the variables left in the list and exactly the expected bytes on the line; Krok
// and a breakpoint halting where they should; Stop that does not wait for a controller gone quiet.
// Kompiluj and the flash commands: the program the compile wrote is the one the controller keeps;
// the report and a translation stop lead back to the script; Cancel before the erase leaves the
// flash alone.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QTextBlock>

#include "app/compile/CompileController.h"
#include "app/compile/ReportWindow.h"
#include "app/document/ScriptDocument.h"
#include "app/editor/Markers.h"
#include "app/flash/FlashCommands.h"
#include "app/host/FlashProgressDialog.h"
#include "app/host/QtProgress.h"
#include "app/run/RunController.h"
#include "app/run/VariableDock.h"
#include "core/device/FlashImage.h"
#include "core/device/HexFile.h"
#include "tests/app/WindowRig.h"
#include "tests/support/HexRecords.h"
#include "tests/support/ScriptedPrompts.h"

using enum orvane::app::window::CommandId;
using orvane::app::compile::ReportWindow;
using orvane::device::FlashImage;
using namespace orvane::test;

namespace {
QString Selected(WindowRig& rig) { return rig.Text().selectedText().trimmed(); }

int MarkedLine(WindowRig& rig, int marker) { return rig.Text().markerFindNext(0, 1 << marker); }

FlashImage ImageOf(const QString& hexPath) {
    FlashImage image;
    ScriptedPrompts prompts;
    orvane::device::HexFile::ReadHexImage(ReadAll(hexPath).toStdString(), image, 0, {}, {}, prompts);
    return image;
}

bool SameProgram(const FlashImage& a, const FlashImage& b) {
    for (int address = 0x0700; address < 0x1F00; ++address)
        if (a[address] != b[address]) return false;
    return true;
}

}  // namespace

class ScriptWindowTest : public QObject {
    Q_OBJECT
private slots:
    void F5RunsToTheEndAndLeavesItsVariablesShown() {
        WindowRig rig;
        QVERIFY(rig.WaitForPane(QStringLiteral("System")));
        auto& editor = rig.window->Editor();
        editor.Load(QStringLiteral("Var: a, b;\na = 2;\nb = ServoRead(1) + a;\nServoSet(1, 0, 0, 0, 1200);\n"));
        editor.SetSelection(5, 6);

        rig.window->Action(RunStart)->trigger();
        // Locked at once, the run working on the text as it was, and free again only when it ended. (A
        // short run may start and end between two looks, so its start is not waited for.)
        QVERIFY(!editor.IsEnabled());
        QVERIFY(SpinUntil([&] { return !rig.window->Runs().Status().exists && editor.IsEnabled(); }));

        QCOMPARE(rig.boxes.Count(), std::size_t{0});
        QVERIFY(rig.window->Runs().Dock().isVisible());
        QCOMPARE(rig.window->Runs().Dock().Lines(), (QStringList{"b = 1502.00", "a = 2.00"}));
        QCOMPARE(Selected(rig), QStringLiteral("a"));  // the selection the run found
        QCOMPARE(MarkedLine(rig, orvane::app::editor::kCurrentStatementMarker), -1);
        // The start-up's query and the way into Komendy; ServoRead(1): frame, checksum echo,
        // confirmation, acknowledgement and the result 1500; ServoSet(1, 0, 0, 0, 1200): frame,
        // echo, confirmation, acknowledgement; a query and back to System.
        const Traffic expected = Exchange({0x00}, {0xFF}) + Exchange({0x00}, {0xFF}) + Exchange({0x00}, {0xFF}) +
                                 Exchange({0xFE}, {0xFE}) + Exchange({0x52, 0x01}, {0x53}) +
                                 Exchange({0x01}, {0x01, 0x05, 0xDC}) +
                                 Exchange({0x53, 0x01, 0x00, 0x00, 0x00, 0x04, 0xB0}, {0x08}) + Exchange({0x01}, {0x01}) +
                                 Exchange({0x00}, {0xFE}) + Exchange({0xFF}, {0xFF});
        QVERIFY(rig.LoggedExactly(expected));

        rig.window->Document().New();  // the values belonged to the script that ran
        QVERIFY(rig.window->Runs().Dock().Lines().isEmpty());
    }

    void KrokAndABreakpointHaltBeforeTheirStatement() {
        WindowRig rig;
        QVERIFY(rig.WaitForPane(QStringLiteral("System")));
        auto& editor = rig.window->Editor();
        editor.Load(QStringLiteral("Var: a;\na = 1;\nwhile (a < 3) {\n  a = a + 1;\n}\na = a * 10;\n"));
        QsciScintilla& sci = rig.Text();
        QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
        const auto lineStart = static_cast<unsigned long>(sci.positionFromLineIndex(3, 0));
        const int y = static_cast<int>(sci.SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL, lineStart)) +
                      sci.textHeight(3) / 2;
        const int x = sci.marginWidth(0) + sci.marginWidth(orvane::app::editor::kSymbolMargin) / 2;
        QTest::mouseClick(sci.viewport(), Qt::LeftButton, {}, QPoint(x, y));  // the margin of "a = a + 1;"
        QCOMPARE(MarkedLine(rig, orvane::app::editor::kBreakpointMarker), 3);
        auto& runs = rig.window->Runs();
        const auto haltedAt = [&](const QString& statement) {
            return SpinUntil([&] { return runs.Status().halted && Selected(rig) == statement; });
        };

        rig.window->Action(RunStep)->trigger();
        QVERIFY(haltedAt(QStringLiteral("Var: a;")));  // shown, not carried out
        rig.window->Action(RunStep)->trigger();
        QVERIFY(haltedAt(QStringLiteral("a = 1;")));
        QVERIFY(!editor.IsEnabled());

        rig.window->Action(RunStart)->trigger();
        QVERIFY(haltedAt(QStringLiteral("a = a + 1;")));
        QCOMPARE(MarkedLine(rig, orvane::app::editor::kCurrentStatementMarker), 3);
        QVERIFY(SpinUntil([&] { return runs.Dock().Lines() == QStringList{"a = 1.00"}; }));

        rig.window->Action(RunStart)->trigger();  // halts there again on the loop's next pass
        QVERIFY(SpinUntil([&] { return runs.Dock().Lines() == QStringList{"a = 2.00"} && runs.Status().halted; }));
        rig.window->Action(RunBreakpoint)->trigger();  // Ctrl+B: off again, the caret stands on that line
        rig.window->Action(RunStart)->trigger();
        QVERIFY(SpinUntil([&] { return !runs.Status().exists && editor.IsEnabled(); }));
        QCOMPARE(runs.Dock().Lines(), QStringList{"a = 30.00"});
        QCOMPARE(MarkedLine(rig, orvane::app::editor::kBreakpointMarker), -1);
        QCOMPARE(rig.boxes.Count(), std::size_t{0});
    }

    // The controller's checksum echo of the first command is lost, so the run waits for it (three
    // seconds and more); Stop ends the run at once, without the box the timeout would bring, and
    // the controller is taken back to System.
    void StopDoesNotWaitForASilentController() {
        WindowRig rig({"--fault", "drop:5"});
        QVERIFY(rig.WaitForPane(QStringLiteral("System")));
        auto& editor = rig.window->Editor();
        editor.Load(QStringLiteral("ServoSet(1, 0, 0, 0, 1200);\nServoSet(1, 0, 0, 0, 1300);\n"));
        rig.window->Action(RunStart)->trigger();
        // The whole frame is out (its last byte heard); its echo will not come.
        const std::pair<char, std::uint8_t> lastOfFrame('R', 0xB0);
        QVERIFY(SpinUntil([&] { return Only('R', rig.sim.Traffic()).back() == lastOfFrame; }));

        Heartbeat heartbeat;
        QElapsedTimer sinceStop;
        sinceStop.start();
        rig.window->Action(RunStop)->trigger();
        QVERIFY(SpinUntil([&] { return editor.IsEnabled(); }));
        QVERIFY2(sinceStop.elapsed() < 1500, qPrintable(QStringLiteral("Stop took %1 ms").arg(sinceStop.elapsed())));
        QVERIFY(rig.WaitForPane(QStringLiteral("System")) && rig.WaitIdle());
        QVERIFY2(heartbeat.LongestGapMs() <= 100, qPrintable(QStringLiteral("stalled %1 ms").arg(heartbeat.LongestGapMs())));
        QCOMPARE(rig.boxes.Count(), std::size_t{0});
        const auto traffic = rig.Logged();
        QCOMPARE(std::count(traffic.begin(), traffic.end(), std::pair<char, std::uint8_t>('R', 0x53)), 1);  // one frame
    }

    void F9WritesTheHexAndTheControllerKeepsItsProgram() {
        FileDialogAnswerer dialogs;
        const QString flash = home_.Path(QStringLiteral("sim-flash.hex"));
        WindowRig rig({"--flash", flash.toStdString()});
        QVERIFY(rig.WaitForPane(QStringLiteral("System")));
        const QString script = home_.Path(QStringLiteral("ruch.orv"));
        QVERIFY(WriteAll(script, "Main:\nVar: x;\nx = 5;\nServoSet(1, 0, 0, 0, 1500);\nWait(x * 100);\n"));
        QVERIFY(rig.window->Document().OpenPath(script));
        QVERIFY(rig.WaitIdle());

        QVERIFY(Compile(rig));
        const auto& result = rig.window->Compiles().LastResult();
        QCOMPARE(static_cast<int>(result.outcome), static_cast<int>(orvane::compiler::CompileOutcome::Written));
        const QString hex = home_.Path(QStringLiteral("ruch.hex"));
        QCOMPARE(dialogs.Offered(), QStringList{hex});  // the write offers what was just built
        QCOMPARE(rig.boxes.Count(), std::size_t{0});
        QVERIFY(!rig.window->Progress().Dialog()->isVisible());
        QVERIFY(rig.window->Editor().IsEnabled());
        QVERIFY(rig.WaitForPane(QStringLiteral("System")));

        rig.sim.Stop();  // the simulator saves its flash as it ends
        const FlashImage built = ImageOf(hex);
        QVERIFY(!built.PageEmpty(0x0700 / FlashImage::kPageSize));
        QVERIFY(SameProgram(ImageOf(flash), built));
    }

    void ReportAndTranslationStopLeadBackToTheScript() {
        WindowRig rig;
        QVERIFY(rig.WaitForPane(QStringLiteral("System")));
        const QString script = home_.Path(QStringLiteral("bledy.orv"));
        QVERIFY(WriteAll(script, "Main:\nVar: x;\nx = 1;\nasm:\n{\nrjmp Nigdzie\n}\nx = 2;\n"));
        QVERIFY(rig.window->Document().OpenPath(script));
        QVERIFY(rig.WaitIdle());
        auto& editor = rig.window->Editor();
        QsciScintilla* sci = editor.Scintilla();

        QString chosen;
        QVERIFY(Compile(rig, [&](ReportWindow& report) {
            auto* text = report.findChild<QPlainTextEdit*>();
            for (QTextBlock block = text->document()->begin(); block.isValid(); block = block.next()) {
                if (!block.text().contains(QStringLiteral("Nigdzie"))) continue;
                const QRect line = text->cursorRect(QTextCursor(block));
                QTest::mouseDClick(text->viewport(), Qt::LeftButton, {}, line.center());
                chosen = sci->selectedText();
            }
        }));
        QCOMPARE(chosen, QStringLiteral("rjmp Nigdzie"));  // the line the assembler refused
        QCOMPARE(MarkedLine(rig, orvane::app::editor::kErrorMarker), 5);
        QCOMPARE(static_cast<int>(rig.window->Compiles().LastResult().outcome),
                 static_cast<int>(orvane::compiler::CompileOutcome::AssemblyErrors));

        editor.Load(QStringLiteral("Var: x;\nx = 1;\n}\nx = 2;\n"));
        QVERIFY(rig.window->Document().Save());
        QVERIFY(Compile(rig));
        QVERIFY(rig.boxes.SawText(QStringLiteral("TASM1")));
        QCOMPARE(sci->selectedText(), QStringLiteral("}"));
        QCOMPARE(MarkedLine(rig, orvane::app::editor::kErrorMarker), 2);
    }

    // The write is cancelled while it enters the boot loader: the erase never goes out, the
    // controller is taken back to System and keeps its program.
    void CancelBeforeTheEraseLeavesTheFlashAsItWas() {
        FileDialogAnswerer dialogs;
        const QString flash = home_.Path(QStringLiteral("kept.hex"));
        const QString other = home_.Path(QStringLiteral("other.hex"));
        QVERIFY(WriteAll(flash, QByteArray::fromStdString(HexRecord(0, 0x0700, {1, 2, 3, 4}) + "\r\n:00000001FF\r\n")));
        QVERIFY(WriteAll(other, QByteArray::fromStdString(HexRecord(0, 0x0700, {9, 9}) + "\r\n:00000001FF\r\n")));
        const FlashImage before = ImageOf(flash);
        WindowRig rig({"--flash", flash.toStdString()});
        rig.file.WriteString("Plik", other.toStdString());
        QVERIFY(rig.WaitForPane(QStringLiteral("System")));

        std::optional<orvane::device::FlashResult> result;
        QObject::connect(&rig.window->Flash(), &orvane::app::flash::FlashCommands::finished,
                         [&](orvane::device::FlashResult r) { result = r; });
        rig.window->Action(ProgramWrite)->trigger();
        const auto progress = [&] { return rig.window->Progress().Dialog(); };
        QVERIFY(SpinUntil([&] { return progress() != nullptr && progress()->isVisible() && progress()->Cancellable(); }));
        QTest::keyClick(progress(), Qt::Key_Escape);  // Cancel, as Esc asks it
        QVERIFY(SpinUntil([&] { return result.has_value(); }));
        QCOMPARE(static_cast<int>(*result), static_cast<int>(orvane::device::FlashResult::Cancelled));
        QCOMPARE(dialogs.Offered(), QStringList{other});
        QVERIFY(!progress()->isVisible());
        QCOMPARE(rig.boxes.Count(), std::size_t{0});
        QVERIFY(rig.WaitForPane(QStringLiteral("System")));
        const auto traffic = rig.Logged();
        QCOMPARE(std::count(traffic.begin(), traffic.end(), std::pair<char, std::uint8_t>('R', 'e')), 0);
        QVERIFY(SameProgram(ImageOf(flash), before));
    }

    // A Cancel pressed just after the operation passed its last safe stop is refused: the dialog
    // goes back to naming the step and offering Cancel; one in time says it is stopping.
    void ACancelTooLateLeavesTheProgressAtItsStep() {
        orvane::app::host::QtProgress progress(nullptr);
        progress.Expect(orvane::app::host::FlashTask::Erase, orvane::device::FlashArea::Kind::Program);
        progress.Begin(7);
        progress.SetCancellable(true);  // the window still offers it; the operation has closed it
        progress.SetPosition(2);
        const auto texts = [&] {
            QStringList all;
            for (const QLabel* label : progress.Dialog()->findChildren<QLabel*>()) all << label->text();
            return all;
        };
        const QStringList atTheStep = texts();
        QTest::keyClick(progress.Dialog(), Qt::Key_Escape);
        QCOMPARE(texts(), atTheStep);
        QVERIFY(progress.Dialog()->Cancellable());
        QVERIFY(!progress.CancelRequested());

        progress.Offer().Open(true);
        QTest::keyClick(progress.Dialog(), Qt::Key_Escape);
        QVERIFY(texts().contains(QStringLiteral("Przerywanie…")));
        QVERIFY(progress.CancelRequested());
    }

    // A controller gone silent after the start-up: each way out of the operation ends it at
    // once, with no box about the silence left behind.
    void EveryWayOutEndsAnOperationAgainstASilentController_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("way");
        QTest::newRow("System erase, Cancel") << int(SystemErase) << QStringLiteral("cancel");
        QTest::newRow("Program erase, the progress window closed") << int(ProgramErase) << QStringLiteral("close");
        QTest::newRow("System erase, the main window closed") << int(SystemErase) << QStringLiteral("quit");
    }
    void EveryWayOutEndsAnOperationAgainstASilentController() {
        QFETCH(int, command);
        QFETCH(QString, way);
        WindowRig rig({"--fault", "silent-after:1"});
        QVERIFY(rig.WaitForPane(QStringLiteral("System")));
        std::optional<orvane::device::FlashResult> result;
        QObject::connect(&rig.window->Flash(), &orvane::app::flash::FlashCommands::finished,
                         [&](orvane::device::FlashResult r) { result = r; });
        rig.window->Action(static_cast<orvane::app::window::CommandId>(command))->trigger();
        const auto progress = [&] { return rig.window->Progress().Dialog(); };
        // Well into the wait for the silent controller's mode reply.
        QVERIFY(SpinUntil([&] { return progress() != nullptr && progress()->Position() >= 2; }));
        QElapsedTimer since;
        since.start();
        if (way == QLatin1String("quit")) rig.window.reset();  // as the program ends once its window is closed
        else if (way == QLatin1String("cancel")) QTest::keyClick(progress(), Qt::Key_Escape);
        else progress()->close();
        QVERIFY(way == QLatin1String("quit") || SpinUntil([&] { return result.has_value(); }, 2500));
        QVERIFY2(since.elapsed() < 2500, qPrintable(QStringLiteral("took %1 ms").arg(since.elapsed())));
        QVERIFY(way == QLatin1String("quit") || *result == orvane::device::FlashResult::Cancelled);
        QCOMPARE(rig.boxes.Count(), std::size_t{0});
    }

    // Another program holds the port: the pane reads unknown, never empty, its box still open.
    void ABusyPortShowsTheModeUnknown() {
        WindowRig rig({}, "115,2k", [&](const std::string& path) {
            holder_ = ::open(path.c_str(), O_RDWR | O_NOCTTY);
            QVERIFY(holder_ >= 0 && ::flock(holder_, LOCK_EX | LOCK_NB) == 0);
        });
        QString paneBesideTheBox;
        rig.boxes.onBox = [&] { paneBesideTheBox = rig.Pane(); };
        QVERIFY(SpinUntil([&] { return rig.boxes.SawText(QStringLiteral("OIU3")); }));
        QCOMPARE(paneBesideTheBox, QStringLiteral(" Tryb: Nieznany"));
        ::close(std::exchange(holder_, -1));
    }

private:
    int holder_ = -1;
    TempHome home_;
};

QTEST_MAIN(ScriptWindowTest)
#include "ScriptWindowTest.moc"
