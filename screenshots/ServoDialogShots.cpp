// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the servo and command dialogs and of the servo view, each reached as a user
// reaches it: the window switched to Komendy on the virtual controller, the menu command given,
// sliders moved and OK pressed.
#include <functional>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>

#include "app/dialogs/ArgumentDialog.h"
#include "app/dialogs/CommandEditDialog.h"
#include "app/dialogs/CommandsDialog.h"
#include "app/dialogs/PositionDialog.h"
#include "app/dialogs/SequenceDialog.h"
#include "app/document/ScriptDocument.h"
#include "app/editor/ScriptEditor.h"
#include "app/host/EventSpin.h"
#include "app/host/QtFileChooser.h"
#include "app/host/QtPrompts.h"
#include "app/servo/ServoTools.h"
#include "app/servo/ServoView.h"
#include "app/shell/MainWindow.h"
#include "app/shell/StatusPanes.h"
#include "core/commands/CommandFile.h"
#include "screenshots/Screenshot.h"

namespace orvane::screenshots {

namespace {
using app::window::CommandId;

bool WaitFor(const std::function<bool()>& done) { return app::host::SpinUntil(done, 8000); }

// As typed: the dialog hears the edit.
void Type(QLineEdit* edit, const QString& text) {
    edit->setText(text);
    emit edit->textEdited(text);
}

app::servo::ServoTools& Tools(ShotContext& shot) {
    return *shot.window.findChild<app::servo::ServoTools*>();
}

bool ToKomendy(ShotContext& shot) {
    shot.window.Action(CommandId::ModeKomendy)->trigger();
    return WaitFor([&] { return shot.window.Panes().ModeText() == QStringLiteral(" Tryb: Komendy"); });
}

// The command file that ships with the program.
commands::CommandTable Shipped(ShotContext& shot) {
    commands::CommandTable table;
    commands::CommandFile::ReadFile(shot.window.Folders().programFolder + "Komendy.ini", table, nullptr);
    return table;
}

const Screenshot::Registrar kPosition("position-dialog", [](ShotContext& shot) -> QWidget* {
    if (!ToKomendy(shot)) return nullptr;
    app::dialogs::PositionDialog& dialog = Tools(shot).PositionDialog();
    shot.window.Action(CommandId::EditPosition)->trigger();
    if (!WaitFor([&] { return dialog.isVisible() && dialog.ServoBox(16)->isChecked(); })) return nullptr;
    Type(dialog.Formula(), QStringLiteral("S2=S1+120;S3=3000-S2;"));
    dialog.Compute()->click();
    for (int servo : {7, 8}) dialog.OffBox(servo)->click();
    for (int servo = 9; servo <= 16; ++servo) dialog.ServoBox(servo)->click();
    dialog.Slider(4)->setValue(2100);
    dialog.Slider(5)->setValue(900);
    Type(dialog.Time(), QStringLiteral("1500"));
    dialog.Slider(1)->setValue(1480);
    WaitFor([&] { return Tools(shot).View().Position(3) == 1400; });
    return &dialog;
});

const Screenshot::Registrar kSequence("sequence-dialog", [](ShotContext& shot) -> QWidget* {
    if (!ToKomendy(shot)) return nullptr;
    app::dialogs::SequenceDialog& dialog = Tools(shot).SequenceDialog();
    shot.window.Action(CommandId::EditSequence)->trigger();
    if (!WaitFor([&] { return dialog.isVisible() && dialog.Choice(3)->isEnabled(); })) return nullptr;
    dialog.Choice(3)->click();
    WaitFor([&] { return !dialog.PositionText()->text().isEmpty(); });
    dialog.Slider()->setValue(1720);
    Type(dialog.TimeField(), QStringLiteral("5"));
    WaitFor([&] { return Tools(shot).View().Position(3) == 1720; });
    return &dialog;
});

// The main window with the servo view after a few recorded steps: each OK left its servo
// where the slider put it, and its line in the script.
const Screenshot::Registrar kServoView("servo-view", [](ShotContext& shot) -> QWidget* {
    shot.window.Document().OpenPath(QDir(shot.examplesFolder).filePath(QStringLiteral("serwo_przemiatanie.orv")));
    if (!ToKomendy(shot)) return nullptr;
    app::editor::ScriptEditor& editor = shot.window.Editor();
    editor.PlaceCaret(editor.LineCount() - 1, 0);
    app::dialogs::SequenceDialog& dialog = Tools(shot).SequenceDialog();
    shot.window.Action(CommandId::EditSequence)->trigger();
    for (auto [servo, position] : {std::pair{1, 1000}, {2, 2150}, {4, 1250}, {6, 1800}}) {
        if (!WaitFor([&] { return dialog.isVisible() && dialog.OkButton()->isEnabled(); })) return nullptr;
        dialog.Choice(servo)->click();
        WaitFor([&] { return !dialog.PositionText()->text().isEmpty(); });
        dialog.Slider()->setValue(position);
        dialog.OkButton()->click();
        WaitFor([&, servo = servo, position = position] { return Tools(shot).View().Position(servo) == position; });
    }
    WaitFor([&] { return dialog.isVisible() && dialog.OkButton()->isEnabled(); });
    dialog.hide();  // the picture is of the window behind it
    return &shot.window;
});

const Screenshot::Registrar kCommands("commands-dialog", [](ShotContext& shot) -> QWidget* {
    auto* dialog = new app::dialogs::CommandsDialog(Shipped(shot), shot.window.Settings(), shot.window.Files(),
                                               shot.window.Prompts(), &shot.window);
    auto* list = dialog->findChild<QListWidget*>();
    const auto found = list->findItems(QStringLiteral("ServoSet("), Qt::MatchStartsWith);
    if (!found.isEmpty()) list->setCurrentItem(found.front());
    dialog->show();
    return dialog;
});

const Screenshot::Registrar kCommandEdit("command-dialog", [](ShotContext& shot) -> QWidget* {
    auto* dialog = new app::dialogs::CommandEditDialog(shot.window.Prompts(), &shot.window);
    dialog->SetFields(tools::CommandForm::From(*Shipped(shot).Find("ServoSetS")));
    dialog->findChild<QListWidget*>()->setCurrentRow(4);
    dialog->show();
    return dialog;
});

const Screenshot::Registrar kArgument("argument-dialog", [](ShotContext& shot) -> QWidget* {
    auto* dialog = new app::dialogs::ArgumentDialog(&shot.window);
    dialog->SetFields(tools::CommandForm::ArgumentFrom(Shipped(shot).Find("ServoSetS")->arguments[4]));
    dialog->show();
    return dialog;
});

}  // namespace

}  // namespace orvane::screenshots
