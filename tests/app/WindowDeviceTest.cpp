// The window against the real virtual controller when it stops answering or goes away: the
// window never freezes, the mode pane turns Nieznany and the boxes appear.
#include "tests/app/WindowRig.h"

using enum orvane::app::shell::CommandId;
using namespace orvane::test;

class WindowDeviceTest : public QObject {
    Q_OBJECT
private slots:
    void SilentControllerNeverStallsTheWindowAndItsBoxesAppear() {
        BoxAnswerer boxes;
        WindowRig rig({"--fault", "silent-after:1"});  // answers the start-up query, then never again
        QVERIFY(rig.WaitForPane(QStringLiteral("System")));
        Heartbeat heartbeat;
        // The switch asks the silent controller and waits out its timeouts on the device thread.
        rig.window->Action(ModeKomendy)->trigger();
        QVERIFY(WaitUntil([&] { return boxes.SawText(QStringLiteral("OTK1")); }, 15000));
        QVERIFY(rig.WaitForPane(QStringLiteral("Nieznany")));
        const qint64 longestGap = heartbeat.LongestGapMs();
        QCOMPARE(boxes.Boxes().front().text, QStringLiteral("Błąd przejścia do trybu Komendy!"));
        QVERIFY2(longestGap <= 100, qPrintable(QStringLiteral("the window stalled for %1 ms").arg(longestGap)));
        QVERIFY(!rig.window->Action(ModeSystem)->isEnabled());
        QVERIFY(rig.window->Action(ModeCheckState)->isEnabled());
    }

    // The controller's line goes away while the window is open (an adapter pulled out): the mode
    // turns Nieznany, and RESET RS232 says the port cannot be opened again, asking whether to say so
    // next time.
    void PortThatVanishesIsReportedAndReopenedOnRequest() {
        BoxAnswerer boxes;
        WindowRig rig({"--fault", "hangup-after:2"});
        QVERIFY(rig.WaitForPane(QStringLiteral("System")));
        rig.window->Action(ModeCheckState)->trigger();
        QVERIFY(rig.sim.WaitExit(5000));
        rig.window->Action(ModeCheckState)->trigger();
        QVERIFY(rig.WaitForPane(QStringLiteral("Nieznany")));

        boxes.Queue(QMessageBox::Ok);
        boxes.Queue(QMessageBox::No);
        rig.window->Action(ModeResetRs232)->trigger();
        QVERIFY(WaitUntil([&] { return boxes.Count() == 2 && rig.Idle(); }));
        QCOMPARE(boxes.Boxes()[0].caption, QStringLiteral("Reset RS232"));
        QCOMPARE(boxes.Boxes()[1].caption, QStringLiteral("Błąd (OTR1)"));
        QVERIFY(rig.window->Action(ModeResetRs232)->isEnabled());
    }

private:
    TempHome home_;
};

QTEST_MAIN(WindowDeviceTest)
#include "WindowDeviceTest.moc"
