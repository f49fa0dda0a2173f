// SPDX-License-Identifier: GPL-3.0-or-later
// The help as a user reaches it: F1 in the editor on words of each kind, the Pomoc button and F1
// on a box with a code, Back and Forward, the index.
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QWhatsThis>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "app/help/HelpWindow.h"
#include "app/host/QtPrompts.h"
#include "core/host/Cp1250.h"
#include "tests/app/WindowRig.h"

namespace orvane::test {

namespace {
app::help::HelpWindow* ShownHelp() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* help = qobject_cast<app::help::HelpWindow*>(widget);
        if (help && help->isVisible()) return help;
    }
    return nullptr;
}
// Qt's What's This text is a window of its own class.
bool WhatsThisShown() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && QByteArray(widget->metaObject()->className()) == "QWhatsThat") return true;
    return false;
}
}  // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT
private slots:
    void F1InTheEditorOpensTheEntryOfTheWordAtTheCaret_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("topic");
        QTest::newRow("a command of the table in use") << 3 << 12 << "komenda-ServoRead";
        QTest::newRow("a key word") << 4 << 1 << "warunki";
        QTest::newRow("a label of the script") << 5 << 8 << "etykiety";
        QTest::newRow("a declared variable") << 1 << 14 << "zmienne";
        QTest::newRow("no word: the contents") << 6 << 0 << "index";
    }
    void F1InTheEditorOpensTheEntryOfTheWordAtTheCaret() {
        QFETCH(int, line);
        QFETCH(int, column);
        QFETCH(QString, topic);
        if (!rig_) rig_ = std::make_unique<WindowRig>();
        QVERIFY(rig_->WaitIdle());
        if (ShownHelp()) ShownHelp()->close();
        rig_->window->activateWindow();
        QVERIFY(SpinUntil([&] { return QGuiApplication::focusWindow() == rig_->window->windowHandle(); }));
        QsciScintilla& sci = rig_->Text();
        const QString script = QStringLiteral("Main:\nVar: odczyt, licznik;\nPetla:\nodczyt = ServoRead(1);\nif (odczyt > 1) GoTo(Petla);\nGoTo(Petla);\n\n");
        sci.setText(script);
        sci.setFocus();
        sci.setCursorPosition(line, column);
        QTest::keyClick(&sci, Qt::Key_F1);
        QVERIFY(SpinUntil([&] { return ShownHelp() && ShownHelp()->CurrentTopic() == topic.toStdString(); }));
        QCOMPARE(sci.text(), script);  // F1 typed nothing
    }

    void ABoxWithACodeOpensItsEntryAndStillAnswers_data() {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("the Pomoc button") << false;
        QTest::newRow("F1") << true;
    }
    void ABoxWithACodeOpensItsEntryAndStillAnswers() {
        QFETCH(bool, byKey);
        QWidget parent;
        app::host::QtPrompts prompts(&parent);
        std::vector<std::string> shown;
        prompts.SetBoxHelp([&](const std::string& code) { shown.push_back(code); });
        int round = 0;
        QTimer answer;
        connect(&answer, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            if (round++ == 0) {
                const auto buttons = box->buttons();
                const auto help = std::find_if(buttons.begin(), buttons.end(),
                                               [](QAbstractButton* b) { return b->text() == QStringLiteral("Pomoc"); });
                if (byKey || help == buttons.end()) QTest::keyClick(box, Qt::Key_F1);
                else (*help)->click();
            } else {
                box->button(QMessageBox::Yes)->click();
            }
        });
        answer.start(20);
        const auto reply = prompts.Ask(orvane::host::Pl("BŁĄD (WP2)"), "x", orvane::host::Buttons::YesNo,
                                       orvane::host::Icon::Question);
        QCOMPARE(reply, orvane::host::Answer::Yes);
        QVERIFY(!shown.empty());
        QVERIFY(std::all_of(shown.begin(), shown.end(), [](const std::string& code) { return code == "WP2"; }));
    }

    void BackForwardAndTheIndexMoveThroughThePages() {
        app::help::HelpWindow help(nullptr, ORVANE_DATA_DIR "/", {});
        help.ShowTopic("petle");
        QVERIFY(QTest::qWaitForWindowActive(&help));
        help.ShowTopic("warunki");
        QTest::keyClick(&help, Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(help.CurrentTopic(), std::string("petle"));
        QTest::keyClick(&help, Qt::Key_Right, Qt::AltModifier);
        QCOMPARE(help.CurrentTopic(), std::string("warunki"));
        auto* tabs = help.findChild<QTabWidget*>();
        tabs->setCurrentIndex(1);
        auto* filter = tabs->currentWidget()->findChild<QLineEdit*>();
        QTest::keyClicks(filter, QStringLiteral("GoTo"));
        QTest::keyClick(filter, Qt::Key_Return);
        QCOMPARE(help.CurrentTopic(), std::string("etykiety"));
    }

    // Shift+F1, then a click on a disabled menu item (Kompiluj, with the script empty): its
    // description shows, as on an enabled one, and What's This ends.
    void ShiftF1ThenADisabledMenuItemShowsTheCommandsDescription() {
        if (!rig_) rig_ = std::make_unique<WindowRig>();
        QVERIFY(rig_->WaitIdle());
        rig_->Text().setText(QString());
        QAction* item = rig_->window->Action(app::window::CommandId::RunCompile);
        QVERIFY(!item->isEnabled());
        QMenu* menu = nullptr;
        for (QMenu* m : rig_->window->menuBar()->findChildren<QMenu*>())
            if (m->actions().contains(item)) menu = m;
        QVERIFY(menu != nullptr);
        rig_->window->activateWindow();
        QVERIFY(SpinUntil([&] { return QGuiApplication::focusWindow() == rig_->window->windowHandle(); }));
        rig_->Text().setFocus();
        QTest::keyClick(&rig_->Text(), Qt::Key_F1, Qt::ShiftModifier);
        QVERIFY(QWhatsThis::inWhatsThisMode());
        menu->popup(rig_->window->mapToGlobal(QPoint(40, 40)));  // as a click on its title opens it
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
        QVERIFY(SpinUntil([] { return WhatsThisShown(); }));
        QVERIFY(!QWhatsThis::inWhatsThisMode());
        QWhatsThis::hideText();
        QVERIFY(!menu->isVisible());
    }

    void cleanupTestCase() { rig_.reset(); }

private:
    std::unique_ptr<WindowRig> rig_;
};

}  // namespace orvane::test

QTEST_MAIN(orvane::test::HelpWindowTest)
#include "HelpWindowTest.moc"
