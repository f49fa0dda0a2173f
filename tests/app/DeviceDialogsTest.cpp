// The device and settings dialogs from the window's menus against the real virtual controller:
// the exchanges run beside the window, the controller hears exactly what the dialogs say, and
// what OK stores reaches the settings file the window and orvane-cli share, an untouched dialog
// changing nothing the program does.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QScrollBar>
#include <QSettings>

#include "app/dialogs/CompileParamsDialog.h"
#include "app/dialogs/ControlDialog.h"
#include "app/dialogs/DeviceParamsDialog.h"
#include "app/dialogs/Rs232Dialog.h"
#include "app/dialogs/SettingsDialog.h"
#include "core/device/ComPortMap.h"
#include "core/device/PosixPortOpener.h"
#include "core/host/Cp1250.h"
#include "core/host/MemorySettings.h"
#include "tests/app/WindowRig.h"
#include "tests/support/ScriptedPrompts.h"

using enum orvane::app::shell::CommandId;
using namespace orvane::test;

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

}  // namespace

class DeviceDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void ChangedSpeedIsTestedAndStoredWithOk() {
        BoxAnswerer boxes;
        WindowRig rig;
        QVERIFY(rig.WaitForPane(QStringLiteral("System")) && rig.WaitIdle());
        auto& dialog = rig.dialogs->Rs232();
        bool warned = false;
        DialogScript script;
        script.When([&] { return dialog.isVisible() && !dialog.IsBusy() && boxes.Count() == 1; },
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
            .When([&] { return !dialog.IsBusy() && boxes.Count() == 2; },
                  [&] { Button(&dialog, QStringLiteral("OK"))->click(); });
        rig.window->Action(OptionsRs232)->trigger();
        QVERIFY(WaitUntil([&] { return script.Done() && rig.Idle() && rig.Pane() == QStringLiteral(" Tryb: BootLoader"); },
                          20000));

        QVERIFY(warned);
        QCOMPARE(boxes.Count(), std::size_t{2});
        QCOMPARE(boxes.Boxes()[0].text, QStringLiteral("Prawidłowe rozpoznanie danej prędkości RSa."));
        QCOMPARE(boxes.Boxes()[1].text, boxes.Boxes()[0].text);
        QCOMPARE(QString::fromStdString(rig.file.ReadString("Baud Rate", "")), QStringLiteral("230,4k"));
        // Start-up; to the boot loader; the dialog's test; "Zmień" at 115200; the test at 230400;
        // the window's port opened again at the stored speed and asked.
        const Traffic expected = Exchange({0x00}, {0xFF}) + Exchange({0x00}, {0xFF}) + Exchange({0xF0}, {0xF0}) +
                                 Exchange({0x00}, {0xF0}) + Exchange({0x0A, 2}, {}) + Exchange({0x00}, {0xF0}) +
                                 Exchange({0x00}, {0xF0});
        QVERIFY(rig.Logged(8) == expected);
    }

    // The controller listens at 9600 while the settings say 4800: the window cannot reach it, the
    // user goes on without the boot loader, and identification finds the speed; the window keeps
    // answering throughout and shows the speed being tried.
    void UnknownSpeedIsFoundWhileTheWindowKeepsAnswering() {
        BoxAnswerer boxes;
        WindowRig rig({"--baud", "9600"}, "4800", [](const std::string& device) { Tell(device, 9600, 0xF0); });
        QVERIFY(rig.WaitIdle());
        auto& dialog = rig.dialogs->Rs232();
        QStringList tried;
        qint64 longestGap = 0;
        QElapsedTimer sinceBeat;
        QTimer heartbeat;
        QObject::connect(&heartbeat, &QTimer::timeout, [&] {
            if (dialog.IsBusy()) longestGap = std::max(longestGap, sinceBeat.elapsed());
            sinceBeat.restart();
            if (auto* progress = dialog.findChild<QProgressDialog*>(); progress && !tried.contains(progress->labelText()))
                tried << progress->labelText();
        });
        DialogScript script;
        script.When([&] { return dialog.isVisible() && !dialog.IsBusy() && boxes.SawText(QStringLiteral("Nie rozpoznano")); },
                    [&] {
                        sinceBeat.start();
                        heartbeat.start(10);
                        Button(&dialog, QStringLiteral("Identyfikuj"))->click();
                    })
            .When([&] { return !dialog.IsBusy() && boxes.SawText(QStringLiteral("Rozpoznanie prędkości")); },
                  [&] {
                      heartbeat.stop();
                      Button(&dialog, QStringLiteral("OK"))->click();
                  });
        rig.window->Action(OptionsRs232)->trigger();
        QVERIFY(WaitUntil([&] { return script.Done() && rig.Idle() && rig.Pane() == QStringLiteral(" Tryb: BootLoader"); },
                          30000));

        QStringList captions;
        for (const auto& box : boxes.Boxes()) captions << box.caption;
        QCOMPARE(captions, (QStringList{QStringLiteral("Błąd (OTB1)"), QStringLiteral("Błąd trybu BootLoader"),
                                        QStringLiteral("Błąd"), QStringLiteral("Rozpoznanie")}));
        QCOMPARE(boxes.Boxes()[3].text, QStringLiteral("Rozpoznanie prędkości RSa:\n\n\t9600"));
        // The silent second at 4800 is what the user waits through: the progress names it.
        QVERIFY2(tried.join(QLatin1Char('|')).contains(QStringLiteral("Próba: 4800")), qPrintable(tried.join(QLatin1Char('|'))));
        QVERIFY2(longestGap <= 500, qPrintable(QStringLiteral("the window stalled for %1 ms").arg(longestGap)));
        QCOMPARE(QString::fromStdString(rig.file.ReadString("Baud Rate", "")), QStringLiteral("9600"));
    }

    // Program + CTRL: the controller runs its program (which echoes free bytes), the dialog sends a
    // start number, a slider move and a value, shows the echoes newest first in both notations,
    // saves the conversation, stops, and the window takes the port back.
    void ControlDialogTalksToTheProgramAndSavesTheConversation() {
        BoxAnswerer boxes;
        FileDialogAnswerer files;
        WindowRig rig;
        QVERIFY(rig.WaitForPane(QStringLiteral("System")) && rig.WaitIdle());
        auto& dialog = rig.dialogs->Control();
        auto* received = dialog.findChild<QLabel*>(QStringLiteral("received"));
        const QString saved = home_.Path(QStringLiteral("Rozmowa.txt"));  // offered in the home folder
        DialogScript script;
        script.When([&] { return dialog.isVisible(); },
                    [&] {
                        dialog.Settle();
                        Button(&dialog, QStringLiteral("Start"))->click();
                    })
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
        QVERIFY(WaitUntil([&] { return script.Done() && rig.Idle() && rig.Pane() == QStringLiteral(" Tryb: System"); },
                          30000));

        QCOMPARE(files.Offered(), QStringList{saved});
        const QString conversation = QString::fromStdString(orvane::host::Cp1250ToUtf8(ReadAll(saved).toStdString()));
        QVERIFY2(conversation.contains(QStringLiteral("wysłano:  254  [FE]")) &&
                     conversation.contains(QStringLiteral("wysłano:  3 232  [03 E8]")),
                 qPrintable(conversation));
        QCOMPARE(boxes.Count(), std::size_t{1});
        QCOMPARE(boxes.Boxes()[0].caption, QStringLiteral("Reset RS232"));
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
        BoxAnswerer boxes;
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
            .When([&] { return boxes.Count() == 1 && QApplication::activeModalWidget() == &settings; },
                  [&] {
                      stayedOpen = settings.isVisible() && settings.focusWidget() == answering;
                      answering->setText(QStringLiteral("2"));
                      Button(&settings, QStringLiteral("OK"))->click();
                  })
            .When([&] { return !settings.isVisible() && rig.Idle(); },
                  [&] { rig.window->Action(OptionsCompileParameters)->trigger(); })
            .When([&] { return compile.isVisible(); }, [&] { Button(&compile, QStringLiteral("OK"))->click(); });
        rig.window->Action(OptionsSettings)->trigger();
        QVERIFY(WaitUntil([&] { return script.Done() && !compile.isVisible() && rig.Idle(); }));

        QVERIFY(shownAsRunning);
        QVERIFY(stayedOpen);
        QCOMPARE(boxes.Boxes()[0].text,
                 QStringLiteral("Odstęp sprawdzania „Gdy odpowiada” musi być liczbą całkowitą sekund od 0 do 86400."));
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
        BoxAnswerer boxes;
        WindowRig rig({"--params", "0x00,0x00"});  // runs the user program at power-up
        QVERIFY(WaitUntil([&] { return rig.Idle() && !rig.Pane().isEmpty(); }));
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
                        komendy->click();
                        disabledWithKomendy = !runAtStart->isEnabled();
                        Button(&dialog, QStringLiteral("OK"))->click();
                    });
        rig.window->Action(OptionsDeviceParameters)->trigger();
        QVERIFY(WaitUntil([&] { return script.Done() && rig.Idle(); }));

        QVERIFY(readRight);
        QVERIFY(disabledWithKomendy);
        QCOMPARE(boxes.Count(), std::size_t{0});
        // Start-up finds Program; the switch to System and its check; the read; the write.
        const Traffic expected = Exchange({0x00}, {0x00}) + Exchange({0x00}, {0x00}) + Exchange({0xFF}, {0xFF}) +
                                 Exchange({0x00}, {0xFF}) + Exchange({0x01}, {0x00, 0x00}) + Exchange({0x02, 0x00, 0xFF}, {});
        QVERIFY(rig.Logged(8) == expected);
    }

private:
    TempHome home_;
};

QTEST_MAIN(DeviceDialogsTest)
#include "DeviceDialogsTest.moc"
