// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>

#include <QObject>

#include "app/editor/ScriptInsertion.h"
#include "app/servo/ToolRunner.h"
#include "core/tools/PositionTool.h"
#include "core/tools/SequenceTool.h"
#include "core/tools/ServoFrameDecoder.h"

class QDockWidget;
class QWidget;

namespace orvane::app::device { class DeviceThread; }
namespace orvane::app::editor { class ScriptEditor; }
namespace orvane::app::host {
class QtFileChooser;
class QtPrompts;
}
namespace orvane::app::window {
class CommandBoard;
class DockArea;
}
namespace orvane::host { class SettingsStore; }
namespace orvane::app::dialogs {
class PositionDialog;
class SequenceDialog;
}

namespace orvane::app::servo {

class ServoView;

// The servo tools of the main window: "Edycja Pozycji" and "Edycja Sekwencji" on the port
// lent by the device thread, their lines inserted into the script after every OK; "&Komendy"
// with the command table loaded again afterwards; and the "Serwa" dock, which shows every set
// frame written to the controller, whoever writes it.
class ServoTools : public QObject {
    Q_OBJECT
public:
    // What the servo tools need of the window: the commands they carry out, the place of their
    // dock, the editor their lines go into, the device thread that lends the port, and the
    // settings, file dialogs and boxes of "&Komendy"; the dialogs open over `parent`.
    struct Parts {
        window::CommandBoard& commands;
        window::DockArea& docks;
        editor::ScriptEditor& editor;
        device::DeviceThread& device;
        orvane::host::SettingsStore& settings;
        host::QtFileChooser& files;
        host::QtPrompts& prompts;
        QWidget* parent;
    };

    explicit ServoTools(const Parts& parts);
    ~ServoTools() override;

    void OpenPosition();
    void OpenSequence();
    void OpenCommands();

    dialogs::PositionDialog& PositionDialog() { return *position_; }
    dialogs::SequenceDialog& SequenceDialog() { return *sequence_; }
    ServoView& View() { return *view_; }
    QDockWidget& Dock() { return *dock_; }

private:
    void CreateDock();
    void ConnectPosition();
    void ConnectSequence();
    void FollowWrittenFrames();
    template <typename Tool>
    void LendPort(ToolRunner<Tool>& runner);
    template <typename Tool, typename Dialog>
    typename ToolRunner<Tool>::Window WindowOf(Dialog* dialog);

    Parts parts_;
    dialogs::PositionDialog* position_;
    dialogs::SequenceDialog* sequence_;
    ServoView* view_ = nullptr;
    QDockWidget* dock_ = nullptr;
    editor::ScriptInsertion insertion_;
    std::unique_ptr<ToolRunner<tools::PositionTool>> positionRunner_;
    std::unique_ptr<ToolRunner<tools::SequenceTool>> sequenceRunner_;
    // Made and used on the device thread, which ends before this object does.
    std::unique_ptr<tools::ServoFrameDecoder> decoder_;
};

}  // namespace orvane::app::servo
