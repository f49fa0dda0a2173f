#include <QListWidget>

#include "app/dialogs/ArgumentDialog.h"
#include "app/dialogs/CommandEditDialog.h"
#include "app/dialogs/CommandsDialog.h"
#include "app/dialogs/PositionDialog.h"
#include "app/dialogs/SequenceDialog.h"
#include "app/host/QtFileChooser.h"
#include "app/host/QtPrompts.h"
#include "app/screenshots/Screenshot.h"
#include "app/servo/ServoView.h"
#include "app/shell/MainWindow.h"
#include "core/commands/CommandFile.h"
#include "core/host/Cp1250.h"

namespace orvane::app::screenshots {

namespace {

commands::CommandTable Shipped() {
    commands::CommandTable table;
    commands::CommandFile::ReadFile(std::string(ORVANE_DATA_DIR) + "/Komendy.ini", table, nullptr);
    return table;
}

const Screenshot::Registrar kPosition("position-dialog", [](ShotContext& shot) -> QWidget* {
    auto* dialog = new dialogs::PositionDialog(&shot.window);
    tools::PositionTool::State state;
    const int positions[] = {1500, 1620, 1380, 2100, 900, 1500, 0, 0};
    for (int i = 0; i < 8; ++i) {
        state.rows[static_cast<std::size_t>(i)] = {positions[i], positions[i] > 0, positions[i], positions[i] == 0};
    }
    state.rows[6].enabled = true;
    state.formula = "S2=S1+120;S3=3000-S2;";
    state.time = "1500";
    state.compute = true;
    dialog->Begin();
    dialog->ShowState(state, 0);
    dialog->show();
    return dialog;
});

const Screenshot::Registrar kSequence("sequence-dialog", [](ShotContext& shot) -> QWidget* {
    auto* dialog = new dialogs::SequenceDialog(&shot.window);
    tools::SequenceTool::State state;
    state.selection = 3;
    state.label = orvane::host::Pl("Pozycja aktualna:");
    state.positionText = "1500";
    state.time = "5";
    state.slider = 1720;
    state.off = false;
    state.offLabel = "1720";
    state.servosEnabled = true;
    dialog->Begin();
    dialog->ShowState(state, 0);
    dialog->show();
    return dialog;
});

const Screenshot::Registrar kCommands("commands-dialog", [](ShotContext& shot) -> QWidget* {
    auto* dialog = new dialogs::CommandsDialog(Shipped(), shot.window.Settings(), shot.window.Files(),
                                               shot.window.Prompts(), &shot.window);
    auto* list = dialog->findChild<QListWidget*>();
    const auto found = list->findItems(QStringLiteral("ServoSet("), Qt::MatchStartsWith);
    if (!found.isEmpty()) list->setCurrentItem(found.front());
    dialog->show();
    return dialog;
});

const Screenshot::Registrar kCommandEdit("command-dialog", [](ShotContext& shot) -> QWidget* {
    auto* dialog = new dialogs::CommandEditDialog(shot.window.Prompts(), &shot.window);
    dialog->SetFields(tools::CommandForm::From(*Shipped().Find("ServoSetS")));
    dialog->findChild<QListWidget*>()->setCurrentRow(4);
    dialog->show();
    return dialog;
});

const Screenshot::Registrar kArgument("argument-dialog", [](ShotContext& shot) -> QWidget* {
    auto* dialog = new dialogs::ArgumentDialog(&shot.window);
    dialog->SetFields(tools::CommandForm::ArgumentFrom(Shipped().Find("ServoSetS")->arguments[4]));
    dialog->show();
    return dialog;
});

}  // namespace

}  // namespace orvane::app::screenshots

namespace orvane::app::screenshots {
namespace {
const Screenshot::Registrar kServoViewAlone("servo-view-alone", [](ShotContext& shot) -> QWidget* {
    auto* view = new servo::ServoView(nullptr);
    view->resize(420, 420);
    const int positions[] = {500, 1000, 1500, 2000, 2500, 0, 1234, 1800};
    for (int i = 0; i < 8; ++i) view->SetPosition(i + 1, positions[i]);
    view->SetPosition(12, 1700);
    view->show();
    (void)shot;
    return view;
});
}
}
