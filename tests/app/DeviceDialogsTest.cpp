// SPDX-License-Identifier: GPL-3.0-or-later
// The device and settings dialogs from the window's menus against the real virtual controller:
// the exchanges run beside the window, the controller hears exactly what the dialogs say, and
// what OK stores reaches the settings file the window and orvane-cli share, an untouched dialog
// changing nothing the program does; a controller gone quiet or away never freezes the window.
// The servo tools talk on the lent port from the device thread, their lines land in the script,
// the servo view follows the frames, and the command dialogs edit Komendy.ini.
#include <algorithm>
#include <optional>

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QSlider>
#include <QThread>
#include <QTimer>

#include "app/dialogs/CommandEditDialog.h"
#include "app/dialogs/CommandsDialog.h"
#include "app/dialogs/CompileParamsDialog.h"
#include "app/dialogs/ControlDialog.h"
#include "app/dialogs/DeviceParamsDialog.h"
#include "app/dialogs/PositionDialog.h"
#include "app/dialogs/Rs232Dialog.h"
#include "app/dialogs/SequenceDialog.h"
#include "app/dialogs/SettingsDialog.h"
#include "app/dialogs/SimulatorLauncher.h"
#include "app/run/RunController.h"
#include "app/servo/ServoView.h"
#include "core/commands/CommandFile.h"
#include "core/device/ComPortMap.h"
#include "core/device/PosixPortOpener.h"
#include "core/host/Cp1250.h"
#include "core/host/MemorySettings.h"
#include "core/platform/AtomicFile.h"
#include "tests/app/WindowRig.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/ServoTraffic.h"

using enum orvane::app::window::CommandId;
using namespace orvane::test;
namespace dialogs = orvane::app::dialogs;
namespace commands = orvane::commands;

namespace {

void Choose(QComboBox* box, const QString& text) {
    box->setCurrentIndex(box->findText(text));
    emit box->activated(box->currentIndex());
}

// The ORVANE section of the settings file as another program reads it.
QString Stored(const QString& path, const char* key) {
    return QSettings(path, QSettings::IniFormat).value(QStringLiteral("ORVANE/") + QString::fromUtf8(key)).toString();
}

// A request on a port of the test's own before the window starts (the controller left in some
// mode by an earlier session).
void Tell(const std::string& device, int baud, std::uint8_t byte) {
    orvane::host::MemorySettings settings;
    settings.WriteString(orvane::device::ComPortMap::OverrideKey(1), device);
    orvane::device::PosixPortOpener opener(settings);
    orvane::platform::SteadyClock clock;
    ScriptedPrompts prompts;
    orvane::device::CSerialCtrl serial(opener, clock, prompts);
    QVERIFY(serial.OpenPort(0));
    serial.SetBaud(baud, 0);
    serial.WriteBytes(&byte, 1, 0);
    QVERIFY(serial.ReadByteTimeout(0, 1).has_value());
    serial.ClosePort(0);
}

// The simulator's fault that hangs up the line after its second byte (an adapter pulled out).
constexpr const char* kLineGoes = "hangup-after:2";

// The line goes away while the window is open: after the next state check the mode reads Nieznany.
bool LoseTheLine(WindowRig& rig) {
    if (!rig.WaitForPane(QStringLiteral("System"))) return false;
    rig.window->Action(orvane::app::window::CommandId::ModeCheckState)->trigger();
    if (!rig.sim.WaitExit(5000)) return false;
    rig.window->Action(orvane::app::window::CommandId::ModeCheckState)->trigger();
    return rig.WaitForPane(QStringLiteral("Nieznany"));
}

// The visible dialog of type T among `parent`'s descendants (a modal dialog is shown from inside
// the code under test, so the test answers it from the event loop).
template <typename T>
T* Shown(QObject& parent) {
    for (T* dialog : parent.findChildren<T*>()) {
        if (dialog->isVisible()) return dialog;
    }
    return nullptr;
}
}  // namespace

class DeviceDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void ChangedSpeedIsTestedAndStoredWithOk() {
        WindowRig rig;
        QVERIFY(rig.WaitForPane(QStringLiteral("System")) && rig.WaitIdle());
        auto& dialog = rig.dialogs->Rs232();
        bool warned = false;
        DialogScript script;
        script.When([&] { return dialog.isVisible() && !dialog.IsBusy() && rig.boxes.Count() == 1; },
                    [&] {
                        QVERIFY(!Button(&dialog, QStringLiteral("Zmień"))->isEnabled());
                        Choose(dialog.findChild<QComboBox*>(QStringLiteral("baudRate")), QStringLiteral("230,4k"));
                    })
            .When([&] { return Button(&dialog, QStringLiteral("Zmień"))->isEnabled(); },
                  [&] { Button(&dialog, QStringLiteral("Zmień"))->click(); })
            .When([&] { return !dialog.IsBusy() && Only('R', rig.sim.Traffic()).size() >= 6; },
                  [&] {
                      const auto* warning = dialog.findChild<QLabel*>(QStringLiteral("warning"));
                      warned = warning->isVisible() && warning->text().contains(QStringLiteral("230,4k"));
                      Button(&dialog, QStringLiteral("Sprawdź"))->click();
                  })
            .When([&] { return !dialog.IsBusy() && rig.boxes.Count() == 2; },
                  [&] { Button(&dialog, QStringLiteral("OK"))->click(); });
        rig.window->Action(OptionsRs232)->trigger();
        QVERIFY(SpinUntil([&] { return script.Done() && rig.Idle() && rig.Pane() == QStringLiteral(" Tryb: BootLoader"); },
                          20000));

        QVERIFY(warned);
        QCOMPARE(rig.boxes.Count(), std::size_t{2});
        QVERIFY(rig.boxes.SawText(QStringLiteral("Prawidłowe")) && rig.boxes.Boxes()[1].text == rig.boxes.Boxes()[0].text);
        QCOMPARE(QString::fromStdString(rig.file.ReadString("Baud Rate", "")), QStringLiteral("230,4k"));
        // Start-up; to the boot loader; the dialog's test; "Zmień" at 115200; the test at 230400;
        // the window's port opened again at the stored speed and asked.
        const Traffic expected = Exchange({0x00}, {0xFF}) + Exchange({0x00}, {0xFF}) + Exchange({0xF0}, {0xF0}) +
                                 Exchange({0x00}, {0xF0}) + Exchange({0x0A, 2}, {}) + Exchange({0x00}, {0xF0}) +
                                 Exchange({0x00}, {0xF0});
        QVERIFY(rig.Logged(8) == expected);
    }

    // The controller listens at 9600 in Komendy mode while the settings say 4800: the window cannot
    // reach it, the user goes on without the boot loader, and identification finds the speed and
    // brings the controller into the boot loader there; the window keeps answering throughout.
    void UnknownSpeedIsFoundWhileTheWindowKeepsAnswering() {
        WindowRig rig({"--baud", "9600"}, "4800", [](const std::string& device) { Tell(device, 9600, 0xFE); });
        QVERIFY(rig.WaitIdle());
        auto& dialog = rig.dialogs->Rs232();
        std::optional<Heartbeat> heartbeat;
        qint64 longestGap = 0;
        DialogScript script;
        script.When([&] { return dialog.isVisible() && !dialog.IsBusy() && rig.boxes.SawText(QStringLiteral("Nie rozpoznano")); },
                    [&] {
                        heartbeat.emplace();
                        Button(&dialog, QStringLiteral("Identyfikuj"))->click();
                    })
            .When([&] { return !dialog.IsBusy() && rig.boxes.SawText(QStringLiteral("Rozpoznanie prędkości")); },
                  [&] {
                      longestGap = heartbeat->LongestGapMs();
                      Button(&dialog, QStringLiteral("OK"))->click();
                  });
        rig.window->Action(OptionsRs232)->trigger();
        QVERIFY(SpinUntil([&] { return script.Done() && rig.Idle() && rig.Pane() == QStringLiteral(" Tryb: BootLoader"); },
                          30000));

        QCOMPARE(rig.boxes.Boxes().back().text, QStringLiteral("Rozpoznanie prędkości RSa:\n\n\t9600"));
        QVERIFY2(longestGap <= 500, qPrintable(QStringLiteral("the window stalled for %1 ms").arg(longestGap)));
        QCOMPARE(QString::fromStdString(rig.file.ReadString("Baud Rate", "")), QStringLiteral("9600"));
    }

    // Program + CTRL: the controller runs its program (which echoes free bytes), the dialog sends a
    // start number, a slider move and a value, shows the echoes newest first in both notations,
    // saves the conversation, stops, and the window takes the port back.
    void ControlDialogTalksToTheProgramAndSavesTheConversation() {
        FileDialogAnswerer files;
        WindowRig rig;
        QVERIFY(rig.WaitForPane(QStringLiteral("System")) && rig.WaitIdle());
        auto& dialog = rig.dialogs->Control();
        auto* received = dialog.findChild<QLabel*>(QStringLiteral("received"));
        const QString saved = home_.Path(QStringLiteral("Rozmowa.txt"));  // offered in the home folder
        DialogScript script;
        script.When([&] { return dialog.isVisible() && !dialog.IsBusy(); },
                    [&] { Button(&dialog, QStringLiteral("Start"))->click(); })
            .When([&] { return Button(&dialog, QStringLiteral("Stop")) != nullptr; },
                  [&] {
                      dialog.findChild<QScrollBar*>()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
                      dialog.findChild<QLineEdit*>(QStringLiteral("value"))->setText(QStringLiteral("1000"));
                      dialog.findChild<QLineEdit*>(QStringLiteral("value"))->setFocus();
                      QTest::keyClick(&dialog, Qt::Key_Return);  // sends; never ends the dialog
                  })
            .When([&] { return received->text().startsWith(QStringLiteral("Odebrano: 232 3 1 254, ")); },
                  [&] { dialog.findChild<QCheckBox*>(QStringLiteral("hex"))->click(); })
            .When([&] { return received->text().startsWith(QStringLiteral("Odebrano: E8 03 01 FE, ")); },
                  [&] { Button(&dialog, QStringLiteral("Zapisz rozmowę…"))->click(); })
            .When([&] { return QFileInfo::exists(saved) && !Button(&dialog, QStringLiteral("Koniec"))->isEnabled(); },
                  [&] { Button(&dialog, QStringLiteral("Stop"))->click(); })
            .When([&] { return Button(&dialog, QStringLiteral("Koniec"))->isEnabled(); },
                  [&] { Button(&dialog, QStringLiteral("Koniec"))->click(); });
        rig.window->Action(ModeProgramCtrl)->trigger();
        QVERIFY(SpinUntil([&] { return script.Done() && rig.Idle() && rig.Pane() == QStringLiteral(" Tryb: System"); },
                          30000));

        QCOMPARE(files.Offered(), QStringList{saved});
        const QString conversation = QString::fromStdString(orvane::host::Cp1250ToUtf8(ReadAll(saved).toStdString()));
        QVERIFY2(conversation.contains(QStringLiteral("wysłano:  254  [FE]")) &&
                     conversation.contains(QStringLiteral("wysłano:  3 232  [03 E8]")),
                 qPrintable(conversation));
        QVERIFY(rig.boxes.Count() == 1 && rig.boxes.SawText(QStringLiteral("Reset RS232")));
        const Traffic traffic = rig.Logged(12);
        // Start-up; to Program (a query, 0xFD, a query after the program started); the dialog's
        // start, slider, value and stop (0xFF also leads back to System); the window's reset and
        // its way back to System.
        QVERIFY(Only('R', traffic) == Exchange({0x00, 0x00, 0xFD, 0x00, 254, 1, 3, 232, 255, 0x00, 0x00, 0x00}, {}));
        QVERIFY(Only('T', traffic) == Exchange({}, {0xFF, 0xFF, 0x00, 254, 1, 3, 232, 0xFF, 0xFF, 0xFF, 0xFF}));
    }

    // Ustawienia as an old file or a first run leaves it (no interval stored): shown with the check
    // running, a bad interval refused with the dialog kept open; then Parametry kompilacji left as it
    // opens. Both store the values the program uses.
    void UntouchedSettingsStoreWhatTheProgramUsesAndBadIntervalsAreRefused() {
        WindowRig rig;
        QSettings(home_.SettingsFile(), QSettings::IniFormat).remove(QStringLiteral("ORVANE/Sprawdzaj odpowiada co"));
        QVERIFY(rig.WaitForPane(QStringLiteral("System")) && rig.WaitIdle());
        auto& settings = rig.dialogs->Settings();
        auto& compile = rig.dialogs->CompileParams();
        auto* answering = settings.findChild<QLineEdit*>(QStringLiteral("interval0"));
        bool shownAsRunning = false;
        bool stayedOpen = false;
        DialogScript script;
        script.When([&] { return settings.isVisible(); },
                    [&] {
                        shownAsRunning = settings.findChild<QCheckBox*>(QStringLiteral("check0"))->isChecked() &&
                                         answering->text() == QStringLiteral("2");
                        answering->setText(QStringLiteral("dwa"));
                        Button(&settings, QStringLiteral("OK"))->click();
                    })
            .When([&] { return rig.boxes.Count() == 1 && QApplication::activeModalWidget() == &settings; },
                  [&] {
                      stayedOpen = settings.isVisible() && settings.focusWidget() == answering;
                      answering->setText(QStringLiteral("2"));
                      Button(&settings, QStringLiteral("OK"))->click();
                  })
            .When([&] { return !settings.isVisible() && rig.Idle(); },
                  [&] { rig.window->Action(OptionsCompileParameters)->trigger(); })
            .When([&] { return compile.isVisible(); }, [&] { Button(&compile, QStringLiteral("OK"))->click(); });
        rig.window->Action(OptionsSettings)->trigger();
        QVERIFY(SpinUntil([&] { return script.Done() && !compile.isVisible() && rig.Idle(); }));

        QVERIFY(shownAsRunning);
        QVERIFY(stayedOpen);
        QVERIFY(rig.boxes.SawText(QStringLiteral("„Gdy odpowiada”")));
        const QString file = home_.SettingsFile();
        const QString program = QString::fromStdString(rig.window->Folders().programFolder);
        const std::pair<const char*, QString> rows[] = {
            {"Sprawdzaj odpowiada co", "2"},
            {"Sprawdzaj NIE odpowiada co", "0"},
            {"Komenda ustalająca pozycję serw w ms", "ServoSet"},
            {"Komenda odczytująca pozycję serw w stopniach", "ServoReadS"},
            {"Plik komend", home_.Path(QStringLiteral("data/ORVANE/Komendy.ini"))},
            {"Plik pamięci", program + QStringLiteral("Pamiec.asm")},
            {"Plik konfiguracji", program + QStringLiteral("Konfig.asm")},
            {"Kompilator", "avra"},
            {"Katalog Appnotes", "/usr/share/avra/"},
        };
        for (const auto& [key, value] : rows) QCOMPARE(Stored(file, key), value);
    }

    void DeviceParametersAreReadAndWrittenBack() {
        WindowRig rig({"--params", "0x00,0x00"});  // runs the user program at power-up
        QVERIFY(SpinUntil([&] { return rig.Idle() && !rig.Pane().isEmpty(); }));
        // The program runs: the parameters are asked for in System mode, reached first.
        auto& dialog = rig.dialogs->DeviceParams();
        auto* runAtStart = dialog.findChild<QCheckBox*>(QStringLiteral("runAtStart"));
        auto* komendy = dialog.findChild<QCheckBox*>(QStringLiteral("startInKomendy"));
        bool readRight = false;
        bool disabledWithKomendy = false;
        DialogScript script;
        script.When([&] { return dialog.isVisible(); },
                    [&] {
                        readRight = runAtStart->isChecked() && !komendy->isChecked() && runAtStart->isEnabled();
                        runAtStart->click();  // off and on again: alone it warns of nothing
                        runAtStart->click();
                        komendy->click();
                        disabledWithKomendy = !runAtStart->isEnabled();
                        Button(&dialog, QStringLiteral("OK"))->click();
                    });
        rig.window->Action(OptionsDeviceParameters)->trigger();
        QVERIFY(SpinUntil([&] { return script.Done() && rig.Idle(); }));

        QVERIFY(readRight);
        QVERIFY(disabledWithKomendy);
        QCOMPARE(rig.boxes.Count(), std::size_t{0});
        // Start-up finds Program; the switch to System and its check; the read; the write.
        const Traffic expected = Exchange({0x00}, {0x00}) + Exchange({0x00}, {0x00}) + Exchange({0xFF}, {0xFF}) +
                                 Exchange({0x00}, {0xFF}) + Exchange({0x01}, {0x00, 0x00}) + Exchange({0x02, 0x00, 0xFF}, {});
        QVERIFY(rig.Logged(8) == expected);
    }

    void SilentControllerNeverStallsTheWindowAndItsBoxesAppear() {
        WindowRig rig({"--fault", "silent-after:1"});  // answers the start-up query, then never again
        QVERIFY(rig.WaitForPane(QStringLiteral("System")));
        Heartbeat heartbeat;
        // The switch asks the silent controller and waits out its timeouts on the device thread.
        rig.window->Action(ModeKomendy)->trigger();
        QVERIFY(SpinUntil([&] { return rig.boxes.SawText(QStringLiteral("OTK1")); }, 15000));
        QVERIFY(rig.WaitForPane(QStringLiteral("Nieznany")));
        QVERIFY2(heartbeat.LongestGapMs() <= 100, qPrintable(QString::number(heartbeat.LongestGapMs())));
    }

    // The virtual controller a user without a board chose in the RS232 dialog is stored as a
    // COM's device; the next start of the window starts it again and finds it in System.
    void TheChosenVirtualControllerStartsWithTheWindow() {
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFileInfo(QStringLiteral(ORVANE_SIM_BIN)).absolutePath().toUtf8() + ':' + path);
        const auto folders = orvane::host::PlatformFolders::Detect(ORVANE_DATA_DIR);
        const QString link = orvane::app::dialogs::SimulatorLauncher(QString::fromStdString(folders.allUsersFolder)).LinkPath();
        orvane::host::MemorySettings settings;
        settings.WriteInt("COM", 3);
        settings.WriteString(orvane::device::ComPortMap::OverrideKey(3), link.toStdString());
        settings.WriteString("Sprawdzaj odpowiada co", "0");
        BoxAnswerer boxes;  // a port that does not open says so
        {
            orvane::app::shell::MainWindow window(settings, folders);
            window.RunStartUp();
            QVERIFY(SpinUntil([&] { return window.Panes().ModeText() == QStringLiteral(" Tryb: System"); }, 10000));
        }
        QCOMPARE(boxes.Count(), std::size_t{0});
        qputenv("PATH", path);
        QVERIFY(!QFileInfo::exists(link));  // ended with the window
    }

    // The window closed while a dialog it asked the device thread for is on its way: the dialog
    // must not come up over a window that is gone, holding the closing until answered.
    void ADialogOnItsWayWhenTheWindowClosesIsNotShown_data() {
        QTest::addColumn<int>("command");
        QTest::newRow("Parametry kompilacji") << static_cast<int>(OptionsCompileParameters);
        QTest::newRow("Ustawienia") << static_cast<int>(OptionsSettings);
    }
    void ADialogOnItsWayWhenTheWindowClosesIsNotShown() {
        QFETCH(int, command);
        WindowRig rig;
        QVERIFY(rig.WaitForPane(QStringLiteral("System")) && rig.WaitIdle());
        QString shown;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                shown = dialog->windowTitle();
                dialog->reject();
            }
        });
        watch.start(10);
        rig.window->Action(static_cast<orvane::app::window::CommandId>(command))->trigger();
        QThread::msleep(300);  // the device thread asks for the dialog; the window does not answer yet
        rig.window.reset();
        QVERIFY2(shown.isEmpty(), qPrintable(shown));
    }

    // The same for a box: RESET RS232 on a port that has gone asks its boxes from the device
    // thread, and the window closes before it answers; none is shown, and the closing goes on.
    void ABoxOnItsWayWhenTheWindowClosesIsNotShown() {
        WindowRig rig({"--fault", kLineGoes});
        QVERIFY(LoseTheLine(rig) && rig.WaitIdle());
        const std::size_t before = rig.boxes.Count();
        rig.window->Action(ModeResetRs232)->trigger();
        QThread::msleep(300);  // the device thread asks for its box; the window does not answer yet
        rig.window.reset();
        QCOMPARE(rig.boxes.Count(), before);
    }

    // The controller's line goes away while the window is open (an adapter pulled out): the mode
    // turns Nieznany, and RESET RS232 says the port cannot be opened again, asking whether to say so
    // next time.
    void PortThatVanishesIsReportedAndReopenedOnRequest() {
        WindowRig rig({"--fault", kLineGoes});
        QVERIFY(LoseTheLine(rig));

        rig.boxes.Queue(QMessageBox::Ok);
        rig.boxes.Queue(QMessageBox::No);
        rig.window->Action(ModeResetRs232)->trigger();
        QVERIFY(SpinUntil([&] { return rig.boxes.Count() == 2 && rig.Idle(); }));
        QCOMPARE(rig.boxes.Boxes()[0].caption, QStringLiteral("Reset RS232"));
        QCOMPARE(rig.boxes.Boxes()[1].caption, QStringLiteral("Błąd (OTR1)"));
        QVERIFY(rig.window->Action(ModeResetRs232)->isEnabled());
    }

    void PozycjaInsertsItsLinesAfterEveryOkAndHandsThePortBack() {
        WindowRig rig;
        QVERIFY(rig.ToKomendy());
        rig.Text().setText(QStringLiteral("Main:\n"));
        rig.Text().setCursorPosition(1, 0);

        auto& dialog = rig.tools->PositionDialog();
        rig.window->Action(EditPosition)->trigger();
        QVERIFY(SpinUntil([&] { return dialog.isVisible() && dialog.ServoBox(16)->isChecked(); }));
        QTest::keyClicks(dialog.Formula(), QStringLiteral("S1=S2+2;"));
        dialog.Compute()->click();
        dialog.Slider(2)->setValue(1800);  // as a drag would: servo 1 follows
        QVERIFY(SpinUntil([&] { return rig.tools->View().Position(1) == 1802; }));
        dialog.Time()->selectAll();
        QTest::keyClicks(dialog.Time(), QStringLiteral("2000"));
        dialog.OkButton()->click();
        QVERIFY(SpinUntil([&] { return rig.Text().text().contains(QStringLiteral("Wait(2000);")); }));
        QVERIFY(SpinUntil([&] { return dialog.isVisible() && dialog.ServoBox(16)->isChecked(); }));  // shown again
        dialog.EndButton()->click();
        QVERIFY(SpinUntil([&] { return !dialog.isVisible() && rig.Idle(); }));

        // Where each servo stands after the first showing: 1 and 2 moved, the rest where they were.
        const auto at = [](int servo) { return servo == 1 ? 1802 : servo == 2 ? 1800 : 1500; };
        QString lines;
        for (int servo = 1; servo <= 16; ++servo) lines += QStringLiteral("ServoSet(%1,0,2,0,%2);\n").arg(servo).arg(at(servo));
        QCOMPARE(rig.Text().text(), QStringLiteral("Main:\n") + lines + QStringLiteral("Wait(2000);\n"));
        rig.Text().undo();  // the showing's lines are one step
        QCOMPARE(rig.Text().text(), QStringLiteral("Main:\n"));
        QCOMPARE(rig.tools->View().Position(2), 1800);  // "Koniec" put it where the second showing found it

        const auto hi = [&](std::uint8_t servo) { return static_cast<std::uint8_t>(at(servo) >> 8); };
        const auto lo = [&](std::uint8_t servo) { return static_cast<std::uint8_t>(at(servo)); };
        Traffic expected = Exchange({0x00}, {0xFF}) + Exchange({0x00}, {0xFF}) + Exchange({0xFE}, {0xFE});
        for (std::uint8_t servo = 1; servo <= 16; ++servo) expected = expected + ServoRead(servo, 1500);
        expected = expected + ServoSet({'S', 2, 0, 0, 0, hi(2), lo(2)}) +
                   ServoSet({'S', 1, 0, 0, 0, hi(1), lo(1)});
        for (std::uint8_t servo = 1; servo <= 16; ++servo) expected = expected + ServoRead(servo, at(servo));
        for (std::uint8_t servo = 1; servo <= 16; ++servo) {
            expected = expected + ServoSet({'S', servo, 0, 1, 0, hi(servo), lo(servo)});
        }
        expected = expected + Exchange({0x00}, {0xFE});  // the mode query after Reset RS232
        QVERIFY(rig.LoggedExactly(expected));
    }

    // Edycja Pozycji opened while a script runs: the run's statements stop while the dialog has
    // the port, and after "Koniec" and Reset RS232 the run goes on to its end.
    void ARunRestsWhileADialogHasThePortAndGoesOnAfter() {
        WindowRig rig;
        QVERIFY(rig.ToKomendy());
        rig.Text().setText(QStringLiteral("Main:\nVar: i;\ni = 0;\nwhile (i < 12) {\n"
                                          "    ServoSet(1, 0, 0, 0, 1200);\n    Wait(100);\n    i = i + 1;\n}\n"));
        const std::vector<std::uint8_t> frame{'S', 1, 0, 0, 0, 0x04, 0xB0};
        const auto runSets = [&] {
            std::vector<std::uint8_t> heard;
            for (const auto& [direction, byte] : Only('R', rig.sim.Traffic())) heard.push_back(byte);
            int count = 0;
            for (auto at = heard.begin(); (at = std::search(at, heard.end(), frame.begin(), frame.end())) != heard.end(); ++at) {
                ++count;
            }
            return count;
        };
        rig.window->Action(RunStart)->trigger();
        QVERIFY(SpinUntil([&] { return runSets() >= 2; }));
        auto& dialog = rig.tools->PositionDialog();
        rig.window->Action(EditPosition)->trigger();
        QVERIFY(SpinUntil([&] { return dialog.isVisible() && dialog.ServoBox(16)->isChecked() && rig.Idle(); }));
        const int whileLent = runSets();
        QTest::qWait(400);  // four of the run's statements' time
        QCOMPARE(runSets(), whileLent);
        QVERIFY(rig.window->Runs().Status().exists);

        dialog.EndButton()->click();
        QVERIFY(SpinUntil([&] { return !rig.window->Runs().Status().exists; }, 15000));
        QVERIFY(rig.boxes.SawText(QStringLiteral("Reset RS232")));
        QCOMPARE(runSets(), 12);
    }

    // "Koniec" while the dialog waits for a controller that fell silent (its sixteen reads would
    // take a minute): the wait is cut, the dialog closes at once and the window takes the port
    // back with Reset RS232.
    void KoniecEndsAtOnceWhileTheDialogWaitsForASilentController() {
        WindowRig rig({"--fault", "silent-after:3"});
        QVERIFY(rig.ToKomendy());
        auto& dialog = rig.tools->PositionDialog();
        rig.window->Action(EditPosition)->trigger();
        QVERIFY(SpinUntil([&] { return dialog.isVisible() && !rig.Idle(); }));
        QElapsedTimer took;
        took.start();
        dialog.EndButton()->click();
        QVERIFY(SpinUntil([&] { return !dialog.isVisible() && rig.boxes.SawText(QStringLiteral("Reset RS232")); }, 5000));
        QVERIFY2(took.elapsed() < 1500, qPrintable(QString::number(took.elapsed())));
        QVERIFY(SpinUntil([&] { return rig.Idle(); }, 5000));
    }

    void ASliderFasterThanTheControllerSendsTheLatestPosition() {
        WindowRig rig({"--fault", "delay:20"});  // every reply 20 ms late: a move takes 40 ms
        QVERIFY(rig.ToKomendy());
        auto& dialog = rig.tools->PositionDialog();
        rig.window->Action(EditPosition)->trigger();
        QVERIFY(SpinUntil([&] { return dialog.isVisible() && dialog.ServoBox(16)->isChecked(); }));

        // The user holds the arrow key: moves come as fast as the window takes them, and the
        // late answers arrive between them. One must never move the slider under the user's hand.
        int pulledBack = 0;
        dialog.Slider(5)->setFocus();
        for (int position = 1501; position <= 1600; ++position) {
            QTest::keyClick(dialog.Slider(5), Qt::Key_Right);
            QCoreApplication::processEvents();
            pulledBack += dialog.Slider(5)->value() != position;
        }
        QCOMPARE(pulledBack, 0);
        // Without merging, 100 moves would keep the line busy for 4 s after the last one.
        QVERIFY(SpinUntil([&] { return rig.tools->View().Position(5) == 1600; }, 1500));
        QCOMPARE(dialog.Slider(5)->value(), 1600);
        dialog.EndButton()->click();
        QVERIFY(SpinUntil([&] { return rig.Idle(); }));
    }

    void SekwencjaRecordsOneStepPerOk() {
        WindowRig rig;
        QVERIFY(rig.ToKomendy());
        auto& dialog = rig.tools->SequenceDialog();
        const auto ready = [&] { return dialog.isVisible() && dialog.OkButton()->isEnabled(); };
        const auto choose = [&](int servo, const QString& read) {
            // The choices come back some time after OK does: a click before then is lost.
            if (!SpinUntil([&] { return ready() && dialog.Choice(servo)->isEnabled(); })) return false;
            dialog.Choice(servo)->click();
            return SpinUntil([&] { return dialog.PositionText()->text() == read; });
        };
        rig.window->Action(EditSequence)->trigger();
        QVERIFY(SpinUntil([&] { return ready() && dialog.Choice(3)->isEnabled(); }));
        dialog.OkButton()->click();  // the pause first

        QVERIFY(SpinUntil(ready));
        QVERIFY(choose(3, QStringLiteral("1500")));
        dialog.Slider()->setValue(1700);  // live: step 255, soft 10
        QTest::keyClicks(dialog.Step(), QStringLiteral("300"));  // "0" + "300": sent and written as 255
        dialog.OkButton()->click();

        QVERIFY(SpinUntil(ready));
        QVERIFY(choose(3, QStringLiteral("1700")));
        dialog.Slider()->setValue(2000);
        QVERIFY(choose(4, QStringLiteral("1500")));  // servo 3 goes back to 1700 first, with time 2
        dialog.EndButton()->click();  // and servo 4 to 1500
        QVERIFY(SpinUntil([&] { return !dialog.isVisible() && rig.Idle(); }));
        QCOMPARE(rig.Text().text(), QStringLiteral("Wait(1000);\nServoSet(3,255,0,0,1700);\n"));
        QCOMPARE(rig.tools->View().Position(3), 1700);

        const Traffic expected =
            Exchange({0x00}, {0xFF}) + Exchange({0x00}, {0xFF}) + Exchange({0xFE}, {0xFE}) + ServoRead(3, 1500) +
            ServoSet({'S', 3, 255, 0, 10, 0x06, 0xA4}) + ServoSet({'S', 3, 255, 0, 0, 0x06, 0xA4}) + ServoRead(3, 1700) +
            ServoSet({'S', 3, 255, 0, 10, 0x07, 0xD0}) + ServoSet({'S', 3, 0, 2, 0, 0x06, 0xA4}) + ServoRead(4, 1500) +
            ServoSet({'S', 4, 0, 2, 0, 0x05, 0xDC}) + Exchange({0x00}, {0xFE});
        QVERIFY(rig.LoggedExactly(expected));
    }

    void KomendyRefusesATakenNameAndZapiszWritesTheFile() {
        WindowRig rig;
        QVERIFY(rig.WaitForPane(QStringLiteral("System")) && rig.WaitIdle());
        const std::string path = orvane::host::Utf8ToCp1250(home_.Path(QStringLiteral("Komendy.ini")).toStdString());
        commands::CommandTable shipped;
        commands::CommandFile::ReadFile(std::string(ORVANE_DATA_DIR) + "/Komendy.ini", shipped, nullptr);
        QVERIFY(orvane::platform::AtomicFile::Write(path, commands::CommandFile::Serialize(shipped)));
        rig.settings.WriteString("Plik komend", path);

        // The list dialog, then its edit dialog: a name in use is refused, another one taken.
        bool refused = false;
        DialogScript script;
        script.When([&] { return Shown<dialogs::CommandsDialog>(*rig.window); },
                    [&] { Shown<dialogs::CommandsDialog>(*rig.window)->findChild<QPushButton*>(QStringLiteral("add"))->click(); })
            .When([&] { return Shown<dialogs::CommandEditDialog>(*rig.window); },
                  [&] {
                      auto* edit = Shown<dialogs::CommandEditDialog>(*rig.window);
                      auto* name = edit->findChild<QLineEdit*>(QStringLiteral("name"));
                      name->setText(QStringLiteral("servoset"));
                      edit->accept();
                      refused = rig.boxes.SawText(QStringLiteral("już istnieje")) && edit->isVisible();
                      name->setText(QStringLiteral("Gripper"));
                      edit->accept();
                  })
            .When([&] { return !Shown<dialogs::CommandEditDialog>(*rig.window); },
                  [&] { Shown<dialogs::CommandsDialog>(*rig.window)->accept(); });  // Zapisz
        rig.window->Action(OptionsCommands)->trigger();
        QVERIFY(SpinUntil([&] { return script.Done() && rig.Idle(); }));
        QVERIFY(refused);
        QVERIFY(!rig.window->findChild<dialogs::CommandsDialog*>());

        commands::CommandTable written;
        QVERIFY(commands::CommandFile::ReadFile(path, written, nullptr));
        QCOMPARE(written.Size(), shipped.Size() + 1);
        QVERIFY(written.Find("Gripper") != nullptr);
    }

private:
    TempHome home_;
};

QTEST_MAIN(DeviceDialogsTest)
#include "DeviceDialogsTest.moc"
