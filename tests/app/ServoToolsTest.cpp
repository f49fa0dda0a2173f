// The servo tools in the real window against the real virtual controller: the dialogs talk on
// the lent port from the device thread, their lines land in the script, the servo view follows
// the frames, and the command dialogs edit Komendy.ini.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>

#include "app/dialogs/CommandEditDialog.h"
#include "app/dialogs/CommandsDialog.h"
#include "app/dialogs/PositionDialog.h"
#include "app/dialogs/SequenceDialog.h"
#include "app/servo/ServoView.h"
#include "core/commands/CommandFile.h"
#include "core/host/Cp1250.h"
#include "core/platform/AtomicFile.h"
#include "tests/app/WindowRig.h"
#include "tests/support/ServoTraffic.h"

using enum orvane::app::shell::CommandId;
using namespace orvane::test;
using Rig = orvane::test::WindowRig;
namespace dialogs = orvane::app::dialogs;
namespace commands = orvane::commands;

namespace {
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

class ServoToolsTest : public QObject {
    Q_OBJECT
private slots:
    void PozycjaInsertsItsLinesAfterEveryOkAndHandsThePortBack() {
        BoxAnswerer boxes;
        Rig rig;
        QVERIFY(rig.ToKomendy());
        rig.Text().setText(QStringLiteral("Main:\n"));
        rig.Text().setCursorPosition(1, 0);

        auto& dialog = rig.tools->PositionDialog();
        rig.window->Action(EditPosition)->trigger();
        QVERIFY(WaitUntil([&] { return dialog.isVisible() && dialog.ServoBox(16)->isChecked(); }));
        QTest::keyClicks(dialog.Formula(), QStringLiteral("S1=S2+2;"));
        dialog.Compute()->click();
        dialog.Slider(2)->setValue(1800);  // as a drag would: servo 1 follows
        QVERIFY(WaitUntil([&] { return rig.tools->View().Position(1) == 1802; }));
        dialog.Time()->selectAll();
        QTest::keyClicks(dialog.Time(), QStringLiteral("2000"));
        dialog.OkButton()->click();
        QVERIFY(WaitUntil([&] { return rig.Text().text().contains(QStringLiteral("Wait(2000);")); }));
        QVERIFY(WaitUntil([&] { return dialog.isVisible() && dialog.ServoBox(16)->isChecked(); }));  // shown again
        dialog.EndButton()->click();
        QVERIFY(WaitUntil([&] { return !dialog.isVisible() && rig.Idle(); }));

        // Where each servo stands after the first showing: 1 and 2 moved, the rest where they were.
        const auto at = [](int servo) { return servo == 1 ? 1802 : servo == 2 ? 1800 : 1500; };
        QString lines;
        for (int servo = 1; servo <= 16; ++servo) lines += QStringLiteral("ServoSet(%1,0,2,0,%2);\n").arg(servo).arg(at(servo));
        QCOMPARE(rig.Text().text(), QStringLiteral("Main:\n") + lines + QStringLiteral("Wait(2000);\n"));
        rig.Text().undo();  // the showing's lines are one step
        QCOMPARE(rig.Text().text(), QStringLiteral("Main:\n"));
        QCOMPARE(boxes.Boxes().at(0).caption, QStringLiteral("Reset RS232"));
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
        QVERIFY(rig.Logged() == expected);
    }

    void ASliderFasterThanTheControllerSendsTheLatestPosition() {
        BoxAnswerer boxes;
        Rig rig({"--fault", "delay:20"});  // every reply 20 ms late: a move takes 40 ms
        QVERIFY(rig.ToKomendy());
        auto& dialog = rig.tools->PositionDialog();
        rig.window->Action(EditPosition)->trigger();
        QVERIFY(WaitUntil([&] { return dialog.isVisible() && dialog.ServoBox(16)->isChecked(); }));

        int pulledBack = 0;  // a late answer must never move the slider under the user's hand
        for (int position = 1501; position <= 1600; ++position) {
            dialog.Slider(5)->setValue(position);
            QTest::qWait(5);
            pulledBack += dialog.Slider(5)->value() != position;
        }
        QCOMPARE(pulledBack, 0);
        // Without merging, 100 moves would keep the line busy for 4 s after the last one.
        QVERIFY(WaitUntil([&] { return rig.tools->View().Position(5) == 1600; }, 1500));
        QCOMPARE(dialog.Slider(5)->value(), 1600);
        dialog.EndButton()->click();
        QVERIFY(WaitUntil([&] { return rig.Idle(); }));
    }

    void SekwencjaRecordsOneStepPerOk() {
        BoxAnswerer boxes;
        Rig rig;
        QVERIFY(rig.ToKomendy());
        auto& dialog = rig.tools->SequenceDialog();
        const auto ready = [&] { return dialog.isVisible() && dialog.OkButton()->isEnabled(); };
        const auto choose = [&](int servo, const QString& read) {
            dialog.Choice(servo)->click();
            return WaitUntil([&] { return dialog.PositionText()->text() == read; });
        };
        rig.window->Action(EditSequence)->trigger();
        QVERIFY(WaitUntil([&] { return ready() && dialog.Choice(3)->isEnabled(); }));
        dialog.OkButton()->click();  // the pause first

        QVERIFY(WaitUntil(ready));
        QVERIFY(choose(3, QStringLiteral("1500")));
        dialog.Slider()->setValue(1700);  // live: step 255, soft 10
        QTest::keyClicks(dialog.Step(), QStringLiteral("300"));  // "0" + "300": sent and written as 255
        dialog.OkButton()->click();

        QVERIFY(WaitUntil(ready));
        QVERIFY(choose(3, QStringLiteral("1700")));
        dialog.Slider()->setValue(2000);
        QVERIFY(choose(4, QStringLiteral("1500")));  // servo 3 goes back to 1700 first, with time 2
        dialog.EndButton()->click();  // and servo 4 to 1500
        QVERIFY(WaitUntil([&] { return !dialog.isVisible() && rig.Idle(); }));
        QCOMPARE(rig.Text().text(), QStringLiteral("Wait(1000);\nServoSet(3,255,0,0,1700);\n"));
        QCOMPARE(rig.tools->View().Position(3), 1700);

        const Traffic expected =
            Exchange({0x00}, {0xFF}) + Exchange({0x00}, {0xFF}) + Exchange({0xFE}, {0xFE}) + ServoRead(3, 1500) +
            ServoSet({'S', 3, 255, 0, 10, 0x06, 0xA4}) + ServoSet({'S', 3, 255, 0, 0, 0x06, 0xA4}) + ServoRead(3, 1700) +
            ServoSet({'S', 3, 255, 0, 10, 0x07, 0xD0}) + ServoSet({'S', 3, 0, 2, 0, 0x06, 0xA4}) + ServoRead(4, 1500) +
            ServoSet({'S', 4, 0, 2, 0, 0x05, 0xDC}) + Exchange({0x00}, {0xFE});
        QVERIFY(rig.Logged() == expected);
    }

    void KomendyRefusesATakenNameAndZapiszWritesTheFile() {
        BoxAnswerer boxes;
        Rig rig;
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
                      refused = boxes.SawText(QStringLiteral("już istnieje")) && edit->isVisible();
                      name->setText(QStringLiteral("Gripper"));
                      edit->accept();
                  })
            .When([&] { return !Shown<dialogs::CommandEditDialog>(*rig.window); },
                  [&] { Shown<dialogs::CommandsDialog>(*rig.window)->accept(); });  // Zapisz
        rig.window->Action(OptionsCommands)->trigger();
        QVERIFY(WaitUntil([&] { return script.Done() && rig.Idle(); }));
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

QTEST_MAIN(ServoToolsTest)
#include "ServoToolsTest.moc"
