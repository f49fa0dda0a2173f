// Runs from the window against the real virtual controller: F5 to the end with the variables
// left in the list and exactly the expected bytes on the line; Krok and a breakpoint halting
// where they should; Stop that does not wait for a controller gone quiet.
#include <Qsci/qsciscintilla.h>

#include "app/editor/Markers.h"
#include "app/run/RunController.h"
#include "app/run/VariableDock.h"
#include "tests/app/WindowRig.h"

using enum orvane::app::shell::CommandId;
using namespace orvane::test;

namespace {
QString Selected(WindowRig& rig) { return rig.Text().selectedText().trimmed(); }

int MarkedLine(WindowRig& rig, int marker) { return rig.Text().markerFindNext(0, 1 << marker); }
}  // namespace

class RunWindowTest : public QObject {
    Q_OBJECT
private slots:
    void F5RunsToTheEndAndLeavesItsVariablesShown() {
        BoxAnswerer boxes;
        WindowRig rig;
        QVERIFY(rig.WaitForPane(QStringLiteral("System")));
        auto& editor = rig.window->Editor();
        editor.Load(QStringLiteral("Var: a, b;\na = 2;\nb = ServoRead(1) + a;\nServoSet(1, 0, 0, 0, 1200);\n"));
        editor.SetSelection(5, 6);

        rig.window->Action(RunStart)->trigger();
        // Locked at once, the run working on the text as it was, and free again only when it ended. (A
        // short run may start and end between two looks, so its start is not waited for.)
        QVERIFY(!editor.IsEnabled());
        QVERIFY(WaitUntil([&] { return !rig.window->Runs().Status().exists && editor.IsEnabled(); }));

        QCOMPARE(boxes.Count(), std::size_t{0});
        QVERIFY(rig.window->Runs().Dock().isVisible());
        QCOMPARE(rig.window->Runs().Dock().Lines(), (QStringList{"b = 1502.00", "a = 2.00"}));
        QCOMPARE(rig.Pane(), QStringLiteral(" Tryb: System"));
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
        QVERIFY(rig.Logged() == expected);
    }

    void KrokAndABreakpointHaltBeforeTheirStatement() {
        BoxAnswerer boxes;
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
            return WaitUntil([&] { return runs.Status().halted && Selected(rig) == statement; });
        };

        rig.window->Action(RunStep)->trigger();
        QVERIFY(haltedAt(QStringLiteral("Var: a;")));  // shown, not carried out
        rig.window->Action(RunStep)->trigger();
        QVERIFY(haltedAt(QStringLiteral("a = 1;")));
        QVERIFY(rig.window->Action(RunStop)->isEnabled() && !editor.IsEnabled());

        rig.window->Action(RunStart)->trigger();
        QVERIFY(haltedAt(QStringLiteral("a = a + 1;")));
        QCOMPARE(MarkedLine(rig, orvane::app::editor::kCurrentStatementMarker), 3);
        QVERIFY(WaitUntil([&] { return runs.Dock().Lines() == QStringList{"a = 1.00"}; }));
        QVERIFY(rig.window->Action(RunStart)->isEnabled() && !rig.window->Action(RunPause)->isEnabled());

        rig.window->Action(RunStart)->trigger();  // halts there again on the loop's next pass
        QVERIFY(WaitUntil([&] { return runs.Dock().Lines() == QStringList{"a = 2.00"} && runs.Status().halted; }));
        rig.window->Action(RunBreakpoint)->trigger();  // Ctrl+B: off again, the caret stands on that line
        rig.window->Action(RunStart)->trigger();
        QVERIFY(WaitUntil([&] { return !runs.Status().exists && editor.IsEnabled(); }));
        QCOMPARE(runs.Dock().Lines(), QStringList{"a = 30.00"});
        QCOMPARE(MarkedLine(rig, orvane::app::editor::kBreakpointMarker), -1);
        QCOMPARE(boxes.Count(), std::size_t{0});
    }

    // The controller's checksum echo of the first command is lost, so the run waits for it (three
    // seconds and more); Stop ends the run at once, without the box the timeout would bring, and
    // the controller is taken back to System.
    void StopDoesNotWaitForASilentController() {
        BoxAnswerer boxes;
        WindowRig rig({"--fault", "drop:5"});
        QVERIFY(rig.WaitForPane(QStringLiteral("System")));
        auto& editor = rig.window->Editor();
        editor.Load(QStringLiteral("ServoSet(1, 0, 0, 0, 1200);\nServoSet(1, 0, 0, 0, 1300);\n"));
        rig.window->Action(RunStart)->trigger();
        // The whole frame is out (its last byte heard); its echo will not come.
        const std::pair<char, std::uint8_t> lastOfFrame('R', 0xB0);
        QVERIFY(WaitUntil([&] { return Only('R', rig.sim.Traffic()).back() == lastOfFrame; }));

        Heartbeat heartbeat;
        QElapsedTimer sinceStop;
        sinceStop.start();
        rig.window->Action(RunStop)->trigger();
        QVERIFY(WaitUntil([&] { return editor.IsEnabled(); }));
        QVERIFY2(sinceStop.elapsed() < 1500, qPrintable(QStringLiteral("Stop took %1 ms").arg(sinceStop.elapsed())));
        QVERIFY(rig.WaitForPane(QStringLiteral("System")) && rig.WaitIdle());
        QVERIFY2(heartbeat.LongestGapMs() <= 100, qPrintable(QStringLiteral("stalled %1 ms").arg(heartbeat.LongestGapMs())));
        QCOMPARE(boxes.Count(), std::size_t{0});
        const auto traffic = rig.Logged();
        QCOMPARE(std::count(traffic.begin(), traffic.end(), std::pair<char, std::uint8_t>('R', 0x53)), 1);  // one frame
    }

private:
    TempHome home_;
};

QTEST_MAIN(RunWindowTest)
#include "RunWindowTest.moc"
