// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/servo/ServoTools.h"

#include <QAction>
#include <QDockWidget>

#include "app/dialogs/CommandsDialog.h"
#include "app/dialogs/PositionDialog.h"
#include "app/dialogs/SequenceDialog.h"
#include "app/dialogs/UiText.h"
#include "app/device/DeviceThread.h"
#include "app/editor/ScriptEditor.h"
#include "app/host/QtFileChooser.h"
#include "app/host/QtPrompts.h"
#include "app/servo/ServoView.h"
#include "app/window/CommandBoard.h"
#include "app/window/DockArea.h"

namespace orvane::app::servo {

namespace {
using tools::PositionTool;
using tools::SequenceTool;
using tools::ToolStep;

// Keys of the actions that a newer one of the same kind replaces while still queued.
constexpr int kFieldsKey = 100;
constexpr int kSequenceSliderKey = 1;
constexpr int kPauseKey = 2;
constexpr int kArgumentsKey = 3;

// "OK" and "Koniec" of either dialog.
template <typename Tool>
void ConnectRequests(QObject* context, dialogs::ServoToolDialog* dialog, ToolRunner<Tool>& runner) {
    QObject::connect(dialog, &dialogs::ServoToolDialog::okClicked, context,
                     [&runner] { runner.Act(0, [](Tool& tool) { return tool.Ok(); }, true); });
    QObject::connect(dialog, &dialogs::ServoToolDialog::endClicked, context,
                     [&runner] { runner.Act(0, [](Tool& tool) { return tool.End(); }, true); });
}
}  // namespace

ServoTools::ServoTools(const Parts& parts)
    : QObject(parts.parent),
      parts_(parts),
      position_(new dialogs::PositionDialog(parts.parent)),
      sequence_(new dialogs::SequenceDialog(parts.parent)),
      insertion_(parts.editor) {
    setObjectName(QStringLiteral("servoTools"));
    CreateDock();
    ConnectPosition();
    ConnectSequence();
    FollowWrittenFrames();
    parts.commands.SetHandler(window::CommandId::EditPosition, [this] { OpenPosition(); });
    parts.commands.SetHandler(window::CommandId::EditSequence, [this] { OpenSequence(); });
    parts.commands.SetHandler(window::CommandId::OptionsCommands, [this] { OpenCommands(); });
}

ServoTools::~ServoTools() = default;

void ServoTools::CreateDock() {
    view_ = new ServoView;
    dock_ = new QDockWidget(QStringLiteral("Serwa"), parts_.parent);
    dock_->setObjectName(QStringLiteral("servoDock"));
    dock_->setWidget(view_);
    parts_.docks.AddDock(dock_, true);
    QAction* toggle = dock_->toggleViewAction();
    toggle->setText(QStringLiteral("Se&rwa"));  // "Pasek &Stanu" has the S
    toggle->setStatusTip(dialogs::Pl("Pokazuje lub ukrywa widok serw: pozycje wysłane do sterownika"));
    parts_.docks.AddViewToggle(toggle);
}

void ServoTools::FollowWrittenFrames() {
    ServoView* view = view_;
    parts_.device.Post([this, view](device::DeviceSession& session) {
        decoder_ = std::make_unique<tools::ServoFrameDecoder>(
            session.Commands(), session.Settings(), [view](const tools::ServoFrameDecoder::Position& p) {
                host::PostToThreadOf(view, [view, p] { view->SetPosition(p.servo, p.position); });
            });
        session.Serial().SetWriteObserver(decoder_.get());
    });
}

template <typename Tool>
void ServoTools::LendPort(ToolRunner<Tool>& runner) {
    if (runner.Start()) insertion_.Begin();
}

// A showing opens the dialog window-modal, shows each state the tool sends, and on its end
// closes it and inserts the lines of an OK.
template <typename Tool, typename Dialog>
typename ToolRunner<Tool>::Window ServoTools::WindowOf(Dialog* dialog) {
    return {this,
            [dialog] {
                dialog->Begin();
                dialog->open();
            },
            [dialog](const typename Tool::State& state, std::uint64_t seq) { dialog->ShowState(state, seq); },
            [this, dialog](bool confirmed, const std::string& text) {
                dialog->Finish(confirmed);
                if (confirmed) insertion_.Insert(dialogs::FromCp1250(text));
            }};
}

void ServoTools::OpenPosition() { LendPort(*positionRunner_); }
void ServoTools::OpenSequence() { LendPort(*sequenceRunner_); }

void ServoTools::ConnectPosition() {
    dialogs::PositionDialog* dialog = position_;
    positionRunner_ = std::make_unique<ToolRunner<PositionTool>>(
        parts_.device, WindowOf<PositionTool>(dialog),
        [](tools::ServoLink& link, device::DeviceSession& session) {
            return std::make_unique<PositionTool>(link, session.Settings());
        },
        [](PositionTool& tool, const orvane::device::PortLoan& loan, const std::function<void()>& progress) {
            return tool.Open(loan, [&progress](int) { progress(); });
        });
    auto& runner = *positionRunner_;
    connect(dialog, &dialogs::PositionDialog::sliderMoved, this, [&runner, dialog](int servo, int position) {
        dialog->NoteMove(servo, runner.Act(servo, [=](PositionTool& t) { return t.MoveSlider(servo, position); }));
    });
    connect(dialog, &dialogs::PositionDialog::servoClicked, this, [&runner](int servo, bool on) {
        runner.Act(0, [=](PositionTool& t) { return t.SetEnabled(servo, on); });
    });
    connect(dialog, &dialogs::PositionDialog::offClicked, this, [&runner](int servo, bool off) {
        runner.Act(0, [=](PositionTool& t) { return t.SetOff(servo, off); });
    });
    connect(dialog, &dialogs::PositionDialog::fieldsEdited, this,
            [&runner](const QString& formula, const QString& time, bool compute) {
                runner.Act(kFieldsKey,
                           [f = dialogs::ToCp1250(formula), t = dialogs::ToCp1250(time), compute](PositionTool& tool) {
                               tool.SetFormula(f);
                               tool.SetTime(t);
                               tool.SetCompute(compute);
                               return ToolStep::Going;
                           });
            });
    ConnectRequests(this, dialog, runner);
}

void ServoTools::ConnectSequence() {
    dialogs::SequenceDialog* dialog = sequence_;
    sequenceRunner_ = std::make_unique<ToolRunner<SequenceTool>>(
        parts_.device, WindowOf<SequenceTool>(dialog),
        [](tools::ServoLink& link, device::DeviceSession&) { return std::make_unique<SequenceTool>(link); },
        [](SequenceTool& tool, const orvane::device::PortLoan& loan, const std::function<void()>&) {
            return tool.Open(loan);
        });
    auto& runner = *sequenceRunner_;
    connect(dialog, &dialogs::SequenceDialog::selected, this, [&runner](int selection) {
        runner.Act(0, [=](SequenceTool& t) { return t.Select(selection); });
    });
    connect(dialog, &dialogs::SequenceDialog::pauseEdited, this, [&runner](const QString& text) {
        runner.Act(kPauseKey, [t = dialogs::ToCp1250(text)](SequenceTool& tool) {
            tool.SetPauseText(t);
            return ToolStep::Going;
        });
    });
    connect(dialog, &dialogs::SequenceDialog::argumentsEdited, this,
            [&runner](const QString& step, const QString& time, const QString& soft) {
                runner.Act(kArgumentsKey, [s = dialogs::ToCp1250(step), t = dialogs::ToCp1250(time),
                                           f = dialogs::ToCp1250(soft)](SequenceTool& tool) {
                    tool.SetArguments(s, t, f);
                    return ToolStep::Going;
                });
            });
    connect(dialog, &dialogs::SequenceDialog::sliderMoved, this, [&runner, dialog](int position) {
        dialog->NoteMove(runner.Act(kSequenceSliderKey, [=](SequenceTool& t) { return t.MoveSlider(position); }));
    });
    connect(dialog, &dialogs::SequenceDialog::offClicked, this, [&runner](bool off) {
        runner.Act(0, [=](SequenceTool& t) { return t.SetOff(off); });
    });
    ConnectRequests(this, dialog, runner);
}

// The dialog edits a copy of the loaded table; whatever happens in it, the table is loaded
// again from the file afterwards, so only what "Zapisz" wrote lasts.
void ServoTools::OpenCommands() {
    auto table = std::make_shared<commands::CommandTable>();
    parts_.device.Post(
        [table](device::DeviceSession& session) {
            session.Link().StopStateCheck();
            *table = session.Commands();
        },
        [this, table] {
            dialogs::CommandsDialog dialog(*table, parts_.settings, parts_.files, parts_.prompts, parts_.parent);
            dialog.exec();
            parts_.device.Post([](device::DeviceSession& session) {
                session.LoadCommands();
                session.Link().StartStateCheck();
            });
        });
}

}  // namespace orvane::app::servo
