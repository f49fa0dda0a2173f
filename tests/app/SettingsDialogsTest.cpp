// Ustawienia, Parametry urządzenia and Parametry kompilacji from the window's menu: what OK
// stores reaches the settings file the window and orvane-cli share, an untouched dialog changes
// nothing the program does, and the device parameters reach the controller byte for byte.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>

#include "app/dialogs/CompileParamsDialog.h"
#include "app/dialogs/DeviceParamsDialog.h"
#include "app/dialogs/SettingsDialog.h"
#include "tests/app/DialogRig.h"

using enum orvane::app::shell::CommandId;
using orvane::test::DialogRig;
using orvane::test::DialogScript;
using orvane::test::Exchange;
using orvane::test::Traffic;
using orvane::test::operator+;
using orvane::test::WaitUntil;

namespace {

void Press(QDialog& dialog, const QString& text) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == text) button->click();
    }
}

// The ORVANE section of the settings file as another program reads it.
QVariant Stored(const QString& path, const QString& key) {
    QSettings file(path, QSettings::IniFormat);
    return file.value(QStringLiteral("ORVANE/") + key);
}

}  // namespace

class SettingsDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void UntouchedSettingsKeepTheCheckAndBadIntervalsAreRefused();
    void DeviceParametersAreReadAndWrittenBack();
    void UntouchedCompileParametersStoreWhatTheCompileUses();

private:
    orvane::test::TempHome home_;
};

void SettingsDialogsTest::UntouchedSettingsKeepTheCheckAndBadIntervalsAreRefused() {
    orvane::test::BoxAnswerer boxes;
    DialogRig rig({});
    // What an old file or a first run leaves: no interval stored at all.
    QSettings(home_.SettingsFile(), QSettings::IniFormat).remove(QStringLiteral("ORVANE/Sprawdzaj odpowiada co"));
    QVERIFY(WaitUntil([&] { return rig.Pane() == QStringLiteral(" Tryb: System") && rig.Idle(); }));
    auto& dialog = rig.dialogs->Settings();
    auto* answering = dialog.findChild<QLineEdit*>(QStringLiteral("interval0"));
    bool shownAsRunning = false;
    bool stayedOpen = false;
    DialogScript script;
    script.When([&] { return dialog.isVisible(); },
                [&] {
                    shownAsRunning = dialog.findChild<QCheckBox*>(QStringLiteral("check0"))->isChecked() &&
                                     answering->text() == QStringLiteral("2");
                    answering->setText(QStringLiteral("dwa"));
                    Press(dialog, QStringLiteral("OK"));
                })
        .When([&] { return boxes.Count() == 1 && QApplication::activeModalWidget() == &dialog; },
              [&] {
                  stayedOpen = dialog.isVisible() && dialog.focusWidget() == answering;
                  answering->setText(QStringLiteral("2"));
                  Press(dialog, QStringLiteral("OK"));
              });
    rig.window->Action(OptionsSettings)->trigger();
    QVERIFY(WaitUntil([&] { return script.Done() && rig.Idle(); }));

    QVERIFY(shownAsRunning);
    QVERIFY(stayedOpen);
    QCOMPARE(boxes.Boxes()[0].text,
             QStringLiteral("Odstęp sprawdzania „Gdy odpowiada” musi być liczbą całkowitą sekund od 0 do 86400."));
    const QString file = home_.SettingsFile();
    QCOMPARE(Stored(file, QStringLiteral("Sprawdzaj odpowiada co")).toString(), QStringLiteral("2"));
    QCOMPARE(Stored(file, QStringLiteral("Sprawdzaj NIE odpowiada co")).toString(), QStringLiteral("0"));
    QCOMPARE(Stored(file, QStringLiteral("Komenda ustalająca pozycję serw w ms")).toString(), QStringLiteral("ServoSet"));
    QCOMPARE(Stored(file, QStringLiteral("Komenda odczytująca pozycję serw w stopniach")).toString(),
             QStringLiteral("ServoReadS"));
    QCOMPARE(Stored(file, QStringLiteral("Plik komend")).toString(),
             home_.Path(QStringLiteral("data/ORVANE/Komendy.ini")));
}

void SettingsDialogsTest::DeviceParametersAreReadAndWrittenBack() {
    orvane::test::BoxAnswerer boxes;
    DialogRig rig({"--params", "0x00,0x00"});  // runs the user program at power-up
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
                    Press(dialog, QStringLiteral("OK"));
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

void SettingsDialogsTest::UntouchedCompileParametersStoreWhatTheCompileUses() {
    DialogRig rig({});
    QVERIFY(WaitUntil([&] { return rig.Idle(); }));
    auto& dialog = rig.dialogs->CompileParams();
    DialogScript script;
    script.When([&] { return dialog.isVisible(); }, [&] { Press(dialog, QStringLiteral("OK")); });
    rig.window->Action(OptionsCompileParameters)->trigger();
    QVERIFY(WaitUntil([&] { return script.Done() && rig.Idle(); }));

    const QString program = QString::fromStdString(rig.window->Folders().programFolder);
    const QString file = home_.SettingsFile();
    QCOMPARE(Stored(file, QStringLiteral("Plik pamięci")).toString(), program + QStringLiteral("Pamiec.asm"));
    QCOMPARE(Stored(file, QStringLiteral("Plik konfiguracji")).toString(), program + QStringLiteral("Konfig.asm"));
    QCOMPARE(Stored(file, QStringLiteral("Kompilator")).toString(), QStringLiteral("avra"));
    QCOMPARE(Stored(file, QStringLiteral("Katalog Appnotes")).toString(), QStringLiteral("/usr/share/avra/"));
}

QTEST_MAIN(SettingsDialogsTest)
#include "SettingsDialogsTest.moc"
