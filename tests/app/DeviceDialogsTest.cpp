// The RS232 and control dialogs from the window's menus against the real virtual controller:
// the exchanges run beside the window, the controller hears exactly what the dialogs say, and
// what OK stores reaches the settings file and the port the window opens again.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>

#include "app/dialogs/ControlDialog.h"
#include "app/dialogs/Rs232Dialog.h"
#include "core/device/ComPortMap.h"
#include "core/host/Cp1250.h"
#include "core/device/PosixPortOpener.h"
#include "core/host/MemorySettings.h"
#include "tests/app/DialogRig.h"
#include "tests/support/ScriptedPrompts.h"

using enum orvane::app::shell::CommandId;
using orvane::test::DialogRig;
using orvane::test::DialogScript;
using orvane::test::Exchange;
using orvane::test::Only;
using orvane::test::Traffic;
using orvane::test::operator+;
using orvane::test::WaitUntil;

namespace {

QPushButton* Button(QWidget* dialog, const QString& text) {
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        if (button->text() == text) return button;
    }
    return nullptr;
}

QFileDialog* FileDialog() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QFileDialog*>(widget); dialog && dialog->isVisible()) return dialog;
    }
    return nullptr;
}

void Choose(QComboBox* box, const QString& text) {
    box->setCurrentIndex(box->findText(text));
    emit box->activated(box->currentIndex());
}

// A request on a port of the test's own before the window starts (the controller left in some
// mode by an earlier session).
void Tell(const std::string& device, int baud, std::uint8_t byte) {
    orvane::host::MemorySettings settings;
    settings.WriteString(orvane::device::ComPortMap::OverrideKey(1), device);
    orvane::device::PosixPortOpener opener(settings);
    orvane::platform::SteadyClock clock;
    orvane::test::ScriptedPrompts prompts;
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
    void ChangedSpeedIsTestedAndStoredWithOk();
    void UnknownSpeedIsFoundWhileTheWindowKeepsAnswering();
    void ControlDialogTalksToTheProgramAndSavesTheConversation();

private:
    orvane::test::TempHome home_;
};

void DeviceDialogsTest::ChangedSpeedIsTestedAndStoredWithOk() {
    orvane::test::BoxAnswerer boxes;
    DialogRig rig({});
    QVERIFY(WaitUntil([&] { return rig.Pane() == QStringLiteral(" Tryb: System") && rig.Idle(); }));
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
    QCOMPARE(boxes.Boxes()[0].text, QStringLiteral("Prawidłowe rozpoznanie danej prędkości RSa."));
    QCOMPARE(boxes.Boxes()[1].text, QStringLiteral("Prawidłowe rozpoznanie danej prędkości RSa."));
    QCOMPARE(boxes.Count(), std::size_t{2});
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
void DeviceDialogsTest::UnknownSpeedIsFoundWhileTheWindowKeepsAnswering() {
    orvane::test::BoxAnswerer boxes;
    DialogRig rig({"--baud", "9600"}, "4800", [](const std::string& device) { Tell(device, 9600, 0xF0); });
    QVERIFY(WaitUntil([&] { return rig.Idle(); }));
    auto& dialog = rig.dialogs->Rs232();
    QStringList tried;
    qint64 longestGap = 0;
    QElapsedTimer sinceBeat;
    QTimer heartbeat;
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        if (dialog.IsBusy()) longestGap = std::max(longestGap, sinceBeat.elapsed());
        sinceBeat.restart();
        if (auto* progress = dialog.findChild<QProgressDialog*>()) {
            if (!tried.contains(progress->labelText())) tried << progress->labelText();
        }
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
void DeviceDialogsTest::ControlDialogTalksToTheProgramAndSavesTheConversation() {
    orvane::test::BoxAnswerer boxes;
    DialogRig rig({});
    QVERIFY(WaitUntil([&] { return rig.Pane() == QStringLiteral(" Tryb: System") && rig.Idle(); }));
    auto& dialog = rig.dialogs->Control();
    auto* received = dialog.findChild<QLabel*>(QStringLiteral("received"));
    const QString saved = home_.Path(QStringLiteral("Rozmowa.txt"));  // offered in the home folder
    QString decimal, hex;
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
        .When([&] { return received->text().startsWith(QStringLiteral("Odebrano: 232 3 1 254")); },
              [&] {
                  decimal = received->text();
                  dialog.findChild<QCheckBox*>(QStringLiteral("hex"))->click();
              })
        .When([&] { return received->text().contains(QStringLiteral("E8 03 01 FE")); },
              [&] {
                  hex = received->text();
                  Button(&dialog, QStringLiteral("Zapisz rozmowę…"))->click();
              })
        .When([&] { return FileDialog() != nullptr; },
              [&] { QMetaObject::invokeMethod(FileDialog(), "accept"); })
        .When([&] { return QFileInfo::exists(saved) && !Button(&dialog, QStringLiteral("Koniec"))->isEnabled(); },
              [&] { Button(&dialog, QStringLiteral("Stop"))->click(); })
        .When([&] { return Button(&dialog, QStringLiteral("Koniec"))->isEnabled(); },
              [&] { Button(&dialog, QStringLiteral("Koniec"))->click(); });
    rig.window->Action(ModeProgramCtrl)->trigger();
    QVERIFY(WaitUntil([&] { return script.Done() && rig.Idle() && rig.Pane() == QStringLiteral(" Tryb: System"); },
                      30000));

    QVERIFY2(decimal.startsWith(QStringLiteral("Odebrano: 232 3 1 254, ")), qPrintable(decimal));
    QVERIFY2(hex.startsWith(QStringLiteral("Odebrano: E8 03 01 FE, ")), qPrintable(hex));
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString conversation = QString::fromUtf8(orvane::host::Cp1250ToUtf8(file.readAll().toStdString()));
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

QTEST_MAIN(DeviceDialogsTest)
#include "DeviceDialogsTest.moc"
