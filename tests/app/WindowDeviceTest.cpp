// The window against the real virtual controller: the mode pane and the rules follow the
// controller's replies, and a controller that stops answering never freezes the window.
#include <QAction>
#include <QElapsedTimer>

#include "app/shell/MainWindow.h"
#include "app/shell/StatusPanes.h"
#include "core/host/Cp1250.h"
#include "settings/OverlaySettings.h"
#include "settings/QtSettingsStore.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/SimProcess.h"

using enum orvane::app::shell::CommandId;

namespace {
// A window started on the simulator through --port's override, as `make run` starts it.
struct Rig {
    explicit Rig(std::vector<std::string> simArgs)
        : sim(ORVANE_SIM_BIN, std::move(simArgs)), settings(file) {
        // Only the tests' own queries reach the controller: the periodic check stays off.
        file.WriteString("Sprawdzaj odpowiada co", "0");
        settings.OverridePort(sim.SlavePath());
        window = std::make_unique<orvane::app::shell::MainWindow>(
            settings, orvane::host::PlatformFolders::Detect(ORVANE_DATA_DIR));
        window->show();
        window->RunStartUp();
    }
    QString Pane() { return window->Panes().ModeText(); }

    orvane::test::SimProcess sim;
    orvane::settings::QtSettingsStore file;
    orvane::settings::OverlaySettings settings;
    std::unique_ptr<orvane::app::shell::MainWindow> window;
};
}  // namespace

class WindowDeviceTest : public QObject {
    Q_OBJECT
private slots:
    void ModeSwitchesShowInThePaneAndTheMenus();
    void SilentControllerNeverStallsTheWindowAndItsBoxesAppear();
    void PortThatVanishesIsReportedAndReopenedOnRequest();

private:
    orvane::test::TempHome home_;
};

void WindowDeviceTest::ModeSwitchesShowInThePaneAndTheMenus() {
    orvane::test::BoxAnswerer boxes;
    Rig rig({});
    QVERIFY(orvane::test::WaitUntil([&] { return rig.Pane() == QStringLiteral(" Tryb: System"); }));
    QVERIFY(rig.window->Action(AppExit)->isEnabled());

    rig.window->Action(ModeKomendy)->trigger();
    QVERIFY(orvane::test::WaitUntil([&] { return rig.Pane() == QStringLiteral(" Tryb: Komendy"); }));
    QVERIFY(!rig.window->Action(AppExit)->isEnabled());  // Koniec waits for System
    QVERIFY(rig.window->Action(EditPosition)->isEnabled());

    rig.window->Action(ModeSystem)->trigger();
    QVERIFY(orvane::test::WaitUntil([&] { return rig.Pane() == QStringLiteral(" Tryb: System"); }));
    QVERIFY(rig.window->Action(AppExit)->isEnabled());
    QVERIFY(orvane::test::WaitUntil([&] { return !rig.window->Device().IsBusy(); }));
    QCOMPARE(boxes.Count(), std::size_t{0});
    // What crossed the wire: the start-up query; to Komendy, a query and 0xFE; back to System, a
    // query, 0xFF and the query that makes sure it did not fall back to Program.
    using orvane::test::Exchange;
    using orvane::test::operator+;
    const orvane::test::Traffic expected = Exchange({0x00}, {0xFF}) + Exchange({0x00}, {0xFF}) +
                                           Exchange({0xFE}, {0xFE}) + Exchange({0x00}, {0xFE}) +
                                           Exchange({0xFF}, {0xFF}) + Exchange({0x00}, {0xFF});
    QVERIFY(rig.sim.Traffic() == expected);
}

void WindowDeviceTest::SilentControllerNeverStallsTheWindowAndItsBoxesAppear() {
    orvane::test::BoxAnswerer boxes;
    // It answers the start-up query, then falls silent for good.
    Rig rig({"--fault", "silent-after:1"});
    QVERIFY(orvane::test::WaitUntil([&] { return rig.Pane() == QStringLiteral(" Tryb: System"); }));

    QElapsedTimer sinceBeat;
    qint64 longestGap = 0;
    QTimer heartbeat;
    heartbeat.setTimerType(Qt::PreciseTimer);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, sinceBeat.restart());
    });
    sinceBeat.start();
    heartbeat.start(10);

    // The switch asks the silent controller and waits out its timeouts on the device thread.
    rig.window->Action(ModeKomendy)->trigger();
    QVERIFY(orvane::test::WaitUntil([&] { return boxes.SawText(QStringLiteral("OTK1")); }, 15000));
    QVERIFY(orvane::test::WaitUntil([&] { return rig.Pane() == QStringLiteral(" Tryb: Nieznany"); }));
    heartbeat.stop();

    QCOMPARE(boxes.Boxes().front().text, QStringLiteral("Błąd przejścia do trybu Komendy!"));
    QVERIFY2(longestGap <= 100, qPrintable(QStringLiteral("the window stalled for %1 ms").arg(longestGap)));
    QVERIFY(!rig.window->Action(ModeSystem)->isEnabled());
    QVERIFY(rig.window->Action(ModeCheckState)->isEnabled());
}

// The controller's line goes away while the window is open (an adapter pulled out): the mode
// turns Nieznany, and RESET RS232 says the port cannot be opened again, asking whether to say so
// next time.
void WindowDeviceTest::PortThatVanishesIsReportedAndReopenedOnRequest() {
    orvane::test::BoxAnswerer boxes;
    Rig rig({"--fault", "hangup-after:2"});
    QVERIFY(orvane::test::WaitUntil([&] { return rig.Pane() == QStringLiteral(" Tryb: System"); }));
    rig.window->Action(ModeCheckState)->trigger();
    QVERIFY(rig.sim.WaitExit(5000));
    rig.window->Action(ModeCheckState)->trigger();
    QVERIFY(orvane::test::WaitUntil([&] { return rig.Pane() == QStringLiteral(" Tryb: Nieznany"); }));

    boxes.Queue(QMessageBox::Ok);
    boxes.Queue(QMessageBox::No);
    rig.window->Action(ModeResetRs232)->trigger();
    QVERIFY(orvane::test::WaitUntil([&] { return boxes.Count() == 2 && !rig.window->Device().IsBusy(); }));
    QCOMPARE(boxes.Boxes()[0].caption, QStringLiteral("Reset RS232"));
    QCOMPARE(boxes.Boxes()[1].caption, QStringLiteral("Błąd (OTR1)"));
    QVERIFY(rig.window->Action(ModeResetRs232)->isEnabled());
}

QTEST_MAIN(WindowDeviceTest)
#include "WindowDeviceTest.moc"
