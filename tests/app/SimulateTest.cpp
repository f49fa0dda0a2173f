// SPDX-License-Identifier: GPL-3.0-or-later
// Symuluj from the window and the servo timeline: the pace against the wall clock, the time
// window the plot shows under the user's keys, the CSV of the moves, and whole simulations
// pressed from the keyboard.
#include <functional>

#include <QComboBox>
#include <QImage>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include "app/document/ScriptDocument.h"
#include "app/editor/Markers.h"
#include "app/run/RunController.h"
#include "app/run/VariableDock.h"
#include "app/servo/ServoView.h"
#include "app/simulate/ServoTimeline.h"
#include "app/simulate/SimulateController.h"
#include "app/simulate/SimulationPace.h"
#include "app/simulate/TimeWindow.h"
#include "app/simulate/TimelineDock.h"
#include "app/simulate/TimelinePlot.h"
#include "tests/app/WindowRig.h"

using orvane::app::simulate::ServoTimeline;
using orvane::app::simulate::SimulationPace;
using orvane::app::simulate::TimeWindow;

using orvane::app::simulate::SimulateController;
using orvane::app::simulate::TimelineDock;
using orvane::test::FileDialogAnswerer;
using orvane::test::SpinUntil;
using orvane::test::WindowRig;
using enum orvane::app::window::CommandId;

namespace {
constexpr std::int64_t kMs = 1000;

// A sweep of servo 1 at speed 100 (five frames for 500 µs) that ends after about 450 ms, and a
// last jump of servo 2.
const char kSweep[] = "Main:\nVar: poz, n;\npoz = 1000;\nn = 0;\nwhile (poz <= 2000) {\n"
                      "    ServoSet(1, 100, 0, 0, poz);\n    Wait(150);\n    poz = poz + 500;\n    n = n + 1;\n}\n"
                      "ServoSet(2, 0, 0, 0, 1200);\n";
const char kForever[] = "Main:\nServoSet(3, 0, 0, 0, 1000);\nWait(100);\nServoSet(3, 0, 0, 0, 2000);\nWait(100);\n"
                        "GoTo(Main);\n";

// The window with `script` saved as `name`.orv in `folder`, its timeline's pace chosen by index.
struct SimulationRig : WindowRig {
    SimulationRig(const QString& folder, const QString& name, const char* script, int speed) {
        path = folder + QLatin1Char('/') + name + QStringLiteral(".orv");
        orvane::test::WriteAll(path, script);
        window->Document().OpenPath(path);
        Simulation().Dock().findChild<QComboBox*>(QStringLiteral("simulationSpeed"))->setCurrentIndex(speed);
        window->Editor().Widget()->setFocus();
    }
    SimulateController& Simulation() { return window->Simulation(); }
    orvane::app::simulate::ServoTimeline& Timeline() { return Simulation().Dock().Timeline(); }
    // As the window system delivers a key: to the focused editor, through the window's shortcuts.
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QTest::keyClick(window->windowHandle(), key, modifiers);
    }
    bool Enabled(orvane::app::window::CommandId id) const { return window->Action(id)->isEnabled(); }
    // Ctrl+F5, then until the simulation has begun. A program that stops at once may begin and
    // end between two looks, so the beginning is caught as it is announced.
    bool Simulate() {
        bool began = false;
        const auto watch = QObject::connect(&Simulation(), &SimulateController::runningChanged,
                                            [&began](bool running) { began = began || running; });
        Press(Qt::Key_F5, Qt::ControlModifier);
        const bool ok = SpinUntil([&] { return began; }, 30000);
        QObject::disconnect(watch);
        return ok;
    }
    bool WaitEnd() { return SpinUntil([&] { return !Simulation().Running(); }, 30000); }
    QString Message() const { return window->statusBar()->currentMessage(); }

    QString path;
};

QAction* Button(TimelineDock& dock, const char* text) {
    for (QAction* action : dock.findChild<QToolBar*>()->actions()) {
        if (action->text() == QString::fromUtf8(text)) return action;
    }
    return nullptr;
}
}  // namespace

class SimulateTest : public QObject {
    Q_OBJECT
private slots:
    // Slices of a chip that simulates one millisecond in `costPerMs` of wall time, started at
    // wall time 0 with the wall clock jumping `stallUs` after the first slice (a busy machine).
    // After three slices: how far the simulated time is behind or ahead of `factor` × wall.
    void PaceKeepsToTheChosenSpeed_data() {
        QTest::addColumn<double>("factor");
        QTest::addColumn<qint64>("costPerMsUs");
        QTest::addColumn<qint64>("stallUs");
        QTest::addColumn<qint64>("sleptUs");  // in all three steps
        QTest::newRow("real time, fast chip: sleeps the difference") << 1.0 << 50LL << 0LL << 30'000LL - 3 * 500;
        QTest::newRow("ten times faster: a tenth of the time") << 10.0 << 50LL << 0LL << 300'000LL / 10 - 3 * 5000;
        QTest::newRow("no limit: never sleeps") << 0.0 << 50LL << 0LL << 0LL;
        QTest::newRow("chip slower than real time: no sleep, short slices") << 1.0 << 4000LL << 0LL << 0LL;
        QTest::newRow("a stall gives the lost time up instead of racing") << 1.0 << 50LL << 400'000LL << 20'000LL - 2 * 500
                                                                         ;
    }
    void PaceKeepsToTheChosenSpeed() {
        QFETCH(double, factor);
        QFETCH(qint64, costPerMsUs);
        QFETCH(qint64, stallUs);
        QFETCH(qint64, sleptUs);
        SimulationPace pace(factor);
        qint64 sim = 0;
        qint64 wall = 0;
        qint64 slept = 0;
        SimulationPace::Step step = pace.Start(sim, wall);
        for (int i = 0; i < 3; ++i) {
            const std::int64_t cost = step.sliceUs * costPerMsUs / kMs;
            sim += step.sliceUs;
            wall += cost + (i == 0 ? stallUs : 0);
            step = pace.Next(sim, wall, cost);
            if (i > 0 || stallUs == 0) slept += step.sleepUs;  // the step after a stall owes nothing
            wall += step.sleepUs;
            QVERIFY(step.sliceUs > 0);
            QVERIFY(step.sliceUs * costPerMsUs / kMs <= 4 * SimulationPace::kTargetWallUs);
        }
        QCOMPARE(slept, sleptUs);
    }

    void PaceChangedMidRunKeepsTheTimeAlreadyRun() {
        SimulationPace pace(1.0);
        pace.Start(0, 0);
        pace.Next(500 * kMs, 500 * kMs, kMs);
        pace.SetFactor(10.0, 500 * kMs, 500 * kMs);
        // 100 ms of simulated time at ten times: due 10 ms after the change, not 400 ms before it.
        QCOMPARE(pace.Next(600 * kMs, 501 * kMs, kMs).sleepUs, 9 * kMs);
    }

    // What the plot shows as a run grows and the user zooms and scrolls: a run of 10 s, then
    // the user's action, then the run growing to 20 s.
    void TimeWindowFollowsTheUser_data() {
        QTest::addColumn<std::function<void(TimeWindow&)>>("act");
        QTest::addColumn<qint64>("startMs");
        QTest::addColumn<qint64>("spanMs");
        using Act = std::function<void(TimeWindow&)>;
        QTest::newRow("untouched: the whole run") << Act([](TimeWindow&) {}) << 0LL << 20'000LL;
        QTest::newRow("zoomed at the right edge: follows the end") << Act([](TimeWindow& w) { w.Zoom(4, 1.0); })
                                                                    << 17'500LL << 2'500LL;
        QTest::newRow("zoomed at the pointer: the time under it stays") << Act([](TimeWindow& w) { w.Zoom(2, 0.25); })
                                                                         << 1'250LL << 5'000LL;
        QTest::newRow("scrolled past the start: stops at 0") << Act([](TimeWindow& w) { w.Zoom(2, 1.0); w.Scroll(-60'000'000); })
                                                             << 0LL << 5'000LL;
        QTest::newRow("zoomed in beyond a millisecond: one millisecond") << Act([](TimeWindow& w) { w.Zoom(1e9, 0.0); })
                                                                         << 0LL << 1LL;
        QTest::newRow("zoomed out past the whole: the whole again") << Act([](TimeWindow& w) { w.Zoom(2, 0.5); w.Zoom(0.1, 0.5); })
                                                                    << 0LL << 20'000LL;
    }
    void TimeWindowFollowsTheUser() {
        QFETCH(std::function<void(TimeWindow&)>, act);
        QFETCH(qint64, startMs);
        QFETCH(qint64, spanMs);
        TimeWindow window;
        window.SetRunEnd(10'000 * kMs);
        act(window);
        window.SetRunEnd(20'000 * kMs);
        QCOMPARE(qint64{window.StartUs()}, startMs * kMs);
        QCOMPARE(qint64{window.SpanUs()}, spanMs * kMs);
    }

    // Moves as the chip reported them (a jump, a glide cut short by a jump, a servo switched
    // off, a servo the board does not have) and the paths the plot and the CSV make of them.
    void TimelineKeepsThePathsOfTheMoves() {
        ServoTimeline timeline;
        timeline.AddMove(1, 1000, 1500, 1000, 1000);
        timeline.AddMove(1, 2000, 1000, 2000, 4000);
        timeline.AddMove(3, 2500, 1500, 0, 2500);
        timeline.AddMove(17, 2600, 1500, 900, 2600);
        timeline.AddMove(1, 3000, 1500, 500, 3000);
        QCOMPARE(QByteArray::fromStdString(timeline.Csv()),
                 QByteArray("Czas [us];Serwo;Pozycja [us]\r\n1000;1;1500\r\n1000;1;1000\r\n2000;1;1000\r\n"
                            "2500;3;1500\r\n2500;3;0\r\n3000;1;1500\r\n3000;1;500\r\n"));
        QCOMPARE(timeline.MovedServos(), (std::vector<int>{1, 3}));
        QCOMPARE(timeline.EndUs(), std::int64_t{3000});
        QCOMPARE(timeline.PositionAt(1, 999), std::nullopt);
        QCOMPARE(timeline.PositionAt(1, 2500), std::optional<int>(1250));
        QCOMPARE(timeline.PositionAt(1, 3000), std::optional<int>(500));
        QCOMPARE(timeline.PositionAt(3, 10'000), std::optional<int>(0));
        QCOMPARE(timeline.PositionRange(), (std::optional<std::pair<int, int>>{{500, 1500}}));
    }

    // The sweep at real time: it takes its time, leaves its variables and servos where the
    // program put them; the commands follow the simulation.
    void SymulujRunsTheProgramInRealTime() {
        SimulationRig rig(home_.Path(), QStringLiteral("przemiatanie"), kSweep, 0);
        QVERIFY(rig.Enabled(RunSimulate));
        QElapsedTimer wall;  // from the key: the program cannot end sooner than its simulated time
        wall.start();
        QVERIFY(rig.Simulate());
        QVERIFY(!rig.Enabled(RunSimulate) && rig.Enabled(RunStop) && !rig.Enabled(RunStart) && !rig.Enabled(RunStep));
        QVERIFY(rig.WaitEnd());
        const std::int64_t simulatedMs = rig.Timeline().EndUs() / kMs;
        QVERIFY2(simulatedMs >= 400 && wall.elapsed() >= simulatedMs - 20,
                 qPrintable(QStringLiteral("%1 ms simulated in %2 ms").arg(simulatedMs).arg(wall.elapsed())));
        QVERIFY(rig.Enabled(RunSimulate) && rig.Enabled(RunStart));
        QVERIFY(rig.Message().startsWith(QStringLiteral("Symulacja zakończona po")));
        QCOMPARE(rig.window->Runs().Dock().Lines(), (QStringList{"n = 3.00", "poz = 2500.00"}));
        QCOMPARE(rig.Timeline().MovedServos(), (std::vector<int>{1, 2}));
        const auto& servos = *rig.window->findChild<orvane::app::servo::ServoView*>();
        QCOMPARE(servos.Position(1), std::optional<int>(2000));
        QCOMPARE(servos.Position(2), std::optional<int>(1200));
        QCOMPARE(rig.boxes.Count(), std::size_t{0});
    }

    // A program that never ends runs until Stop; the user looks at the timeline, zooms it and
    // keeps it as CSV and PNG beside the script.
    void ProgramThatNeverEndsRunsUntilStopAndIsExported() {
        FileDialogAnswerer dialogs;
        SimulationRig rig(home_.Path(), QStringLiteral("wiecznie"), kForever, 3);
        QVERIFY(rig.Simulate());
        QVERIFY(SpinUntil([&] { return rig.Timeline().EndUs() >= 5'000 * kMs; }));
        rig.Press(Qt::Key_F5, Qt::ShiftModifier);
        QVERIFY(rig.WaitEnd());
        QVERIFY(rig.Message().startsWith(QStringLiteral("Symulację zatrzymano po")));
        QVERIFY(rig.Timeline().PathOf(3).size() >= 50);

        auto& dock = rig.Simulation().Dock();
        auto& plot = dock.Plot();
        plot.setFocus();
        QTest::keyClick(&plot, Qt::Key_Plus);
        QTest::keyClick(&plot, Qt::Key_Home);
        QVERIFY(!plot.Window().ShowsAll() && plot.Window().StartUs() == 0);
        QTest::keyClick(&plot, Qt::Key_0);
        QVERIFY(plot.Window().ShowsAll());

        Button(dock, "Zapisz CSV...")->trigger();
        Button(dock, "Zapisz PNG...")->trigger();
        const QString base = home_.Path(QStringLiteral("wiecznie"));
        QCOMPARE(dialogs.Offered(), (QStringList{base + ".csv", base + ".png"}));
        QCOMPARE(orvane::test::ReadAll(base + ".csv"), QByteArray::fromStdString(rig.Timeline().Csv()));
        QVERIFY(QImage(base + ".png").width() >= 1000);
        QCOMPARE(rig.boxes.Count(), std::size_t{0});
    }

    // A servo the board does not have stops the program with a box that names the fault and
    // the statement, marked in the margin until that line is edited.
    void FaultStopsTheSimulationWithABox() {
        SimulationRig rig(home_.Path(), QStringLiteral("blad"),
                          "Main:\nVar: x;\nx = 1;\nServoSet(1, 0, 0, 0, 1500);\nServoSet(17, 0, 0, 0, 1500);\nx = 2;\n", 3);
        QVERIFY(rig.Simulate());
        QVERIFY(rig.WaitEnd());
        QVERIFY(SpinUntil([&] { return rig.boxes.SawText(QStringLiteral("Błąd symulacji")); }));
        QVERIFY(rig.boxes.SawText(QStringLiteral("Instrukcja w wierszu 5: ServoSet(17, 0, 0, 0, 1500);")));
        QVERIFY(rig.Message().startsWith(QStringLiteral("Symulacja przerwana po")));
        QVERIFY(rig.Enabled(RunSimulate));
        QsciScintilla& sci = rig.Text();
        const int errorMask = 1 << orvane::app::editor::kErrorMarker;
        QCOMPARE(sci.markerFindNext(0, errorMask), 4);
        QCOMPARE(sci.markerFindNext(5, errorMask), -1);
        sci.setCursorPosition(4, 0);
        QTest::keyClick(sci.viewport(), Qt::Key_Space);
        QCOMPARE(sci.markerFindNext(0, errorMask), -1);
    }

private:
    orvane::test::TempHome home_;
};

QTEST_MAIN(SimulateTest)
#include "SimulateTest.moc"
