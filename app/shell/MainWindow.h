// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <map>
#include <memory>

#include <QMainWindow>

#include "app/device/DeviceThread.h"
#include "app/shell/ShellState.h"
#include "app/window/CommandBoard.h"
#include "app/window/DockArea.h"
#include "app/window/StatusLine.h"
#include "core/host/PlatformFolders.h"
#include "core/host/SettingsStore.h"

class QAction;
class QMenu;
class QToolBar;

namespace orvane::app::editor {
class EditorHolds;
class ScriptEditor;
}
namespace orvane::app::compile { class CompileController; }
namespace orvane::app::dialogs { class DeviceDialogs; }
namespace orvane::app::flash { class FlashCommands; }
namespace orvane::app::run { class RunController; }
namespace orvane::app::simulate { class SimulateController; }
namespace orvane::app::document { class ScriptDocument; }
namespace orvane::app::help { class HelpWindow; }
namespace orvane::app::host {
class QtFileChooser;
class QtProgress;
class QtPrompts;
}

namespace orvane::app::shell {

class StatusPanes;

// The main window: menus, the three toolbars and the status bar around the script editor. It
// composes the features (runs, compiles, flash operations, servo tools, device dialogs), handing
// each only the parts it needs: the window's commands, status line and docks through their
// interfaces (app/window), the editor, the document and the device thread. It carries out the
// file, edit and mode commands itself and enables every command by its rule whenever the state
// behind the rules changes. The accessors below are for the tests and tools that drive it.
class MainWindow : public QMainWindow,
                   public window::CommandBoard,
                   public window::StatusLine,
                   public window::DockArea {
    Q_OBJECT
public:
    MainWindow(orvane::host::SettingsStore& settings, const orvane::host::PlatformFolders& folders,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    QAction* Action(window::CommandId id) const;

    void SetHandler(window::CommandId id, std::function<void()> handler) override;
    void SetRunCommand(orvane::script::RunCommand runCommand) override;
    void SetSimulating(bool simulating) override;
    void ShowMessage(const QString& text, int timeoutMs) override;
    void AddDock(QDockWidget* dock, bool shownOnRestore) override;
    void AddViewToggle(QAction* toggle) override;

    editor::ScriptEditor& Editor() { return *editor_; }
    document::ScriptDocument& Document() { return *document_; }
    device::DeviceThread& Device() { return *device_; }
    StatusPanes& Panes() { return *panes_; }
    host::QtPrompts& Prompts() { return *prompts_; }
    host::QtFileChooser& Files() { return *files_; }
    host::QtProgress& Progress() { return *progress_; }
    orvane::host::SettingsStore& Settings() { return settings_; }
    editor::EditorHolds& Holds() { return *holds_; }
    run::RunController& Runs() { return *runs_; }
    compile::CompileController& Compiles() { return *compiles_; }
    flash::FlashCommands& Flash() { return *flash_; }
    simulate::SimulateController& Simulation() { return *simulation_; }
    dialogs::DeviceDialogs& Dialogs() { return *dialogs_; }
    const orvane::host::PlatformFolders& Folders() const { return folders_; }
    const ShellState& State() const { return state_; }

    // The window's part of start-up (each time a script is created or opened, too): the editor's
    // dictionaries and tab size, then the device steps on the device thread, then the
    // recolouring of the text.
    void RunStartUp();

signals:
    // The end of start-up: every line is to be coloured again.
    void recolourRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void AddRecentActions(QMenu* file);
    void CreateToolBars();
    void ConnectViewToggle(window::CommandId id, QWidget* bar);
    void ConnectCommands();
    void ConnectModeCommands();
    void CreateFeatures();
    void RebuildRecentMenu();
    void UpdateState();
    void UpdateCommands();
    void ApplyMode(orvane::device::DeviceMode mode);
    void ShowAbout();
    void ShowHelp(const char* topic = nullptr);
    void RestoreLayout();
    void SaveLayout();
    void PostModeOperation(void (orvane::device::DeviceLink::*operation)());

    orvane::host::SettingsStore& settings_;
    orvane::host::PlatformFolders folders_;
    ShellState state_;
    std::map<window::CommandId, QAction*> actions_;
    QAction* recentSeparator_ = nullptr;
    QMenu* viewMenu_ = nullptr;
    bool viewTogglesListed_ = false;
    std::vector<QDockWidget*> hiddenOnRestore_;
    std::vector<QAction*> recentActions_;
    editor::ScriptEditor* editor_ = nullptr;
    document::ScriptDocument* document_ = nullptr;
    StatusPanes* panes_ = nullptr;
    std::unique_ptr<host::QtPrompts> prompts_;
    std::unique_ptr<host::QtFileChooser> files_;
    std::unique_ptr<host::QtProgress> progress_;
    std::unique_ptr<device::DeviceThread> device_;
    std::unique_ptr<editor::EditorHolds> holds_;
    run::RunController* runs_ = nullptr;
    compile::CompileController* compiles_ = nullptr;
    flash::FlashCommands* flash_ = nullptr;
    simulate::SimulateController* simulation_ = nullptr;
    dialogs::DeviceDialogs* dialogs_ = nullptr;
    help::HelpWindow* help_ = nullptr;
};

}  // namespace orvane::app::shell
