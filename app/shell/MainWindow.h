#pragma once
#include <functional>
#include <map>
#include <memory>

#include <QMainWindow>

#include "app/device/DeviceThread.h"
#include "app/shell/CommandIds.h"
#include "app/shell/ShellState.h"
#include "core/host/PlatformFolders.h"
#include "core/host/SettingsStore.h"

class QAction;
class QMenu;
class QToolBar;

namespace orvane::app::editor { class ScriptEditor; }
namespace orvane::app::compile { class CompileController; }
namespace orvane::app::flash { class FlashCommands; }
namespace orvane::app::run { class RunController; }
namespace orvane::app::document { class ScriptDocument; }
namespace orvane::app::help { class HelpWindow; }
namespace orvane::app::host {
class QtFileChooser;
class QtProgress;
class QtPrompts;
}

namespace orvane::app::shell {

class EditorHolds;
class StatusPanes;

// The main window: menus, the three toolbars and the status bar around the script editor; the
// hub that wires each command to the document, the editor or the device thread and enables it
// by its rule whenever the state behind the rules changes.
//
// Extension points: Action(id) for any command; SetHandler(id, fn) replaces the placeholder of
// a command that is not built yet; SetControlDialog for Program + CTRL; Device() to post work
// to the device thread; SetRunCommand feeds the rules. Runs, compiles and flash operations live
// in their own controllers (Runs(), Compiles(), Flash()).
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(orvane::host::SettingsStore& settings, const orvane::host::PlatformFolders& folders,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    QAction* Action(CommandId id) const;
    void SetHandler(CommandId id, std::function<void()> handler);
    void SetControlDialog(device::DeviceThread::DeviceDialog dialog);

    editor::ScriptEditor& Editor() { return *editor_; }
    document::ScriptDocument& Document() { return *document_; }
    device::DeviceThread& Device() { return *device_; }
    StatusPanes& Panes() { return *panes_; }
    host::QtPrompts& Prompts() { return *prompts_; }
    host::QtFileChooser& Files() { return *files_; }
    host::QtProgress& Progress() { return *progress_; }
    orvane::host::SettingsStore& Settings() { return settings_; }
    // Runs, compiles and flash operations from the window, and who holds the editor meanwhile.
    EditorHolds& Holds() { return *holds_; }
    run::RunController& Runs() { return *runs_; }
    compile::CompileController& Compiles() { return *compiles_; }
    flash::FlashCommands& Flash() { return *flash_; }
    const orvane::host::PlatformFolders& Folders() const { return folders_; }
    const ShellState& State() const { return state_; }
    void SetRunCommand(orvane::script::RunCommand runCommand);

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
    void ConnectViewToggle(CommandId id, QWidget* bar);
    void ConnectCommands();
    void ConnectModeCommands();
    void ConnectPlaceholders();
    void RebuildRecentMenu();
    void UpdateState();
    void UpdateCommands();
    void ApplyMode(orvane::device::DeviceMode mode);
    void ShowNotAvailable(CommandId id);
    void ShowAbout();
    void ShowHelp(const char* topic = nullptr);
    void RestoreLayout();
    void SaveLayout();
    void PostModeOperation(void (orvane::device::DeviceLink::*operation)());

    orvane::host::SettingsStore& settings_;
    orvane::host::PlatformFolders folders_;
    ShellState state_;
    std::map<CommandId, QAction*> actions_;
    std::map<CommandId, QMetaObject::Connection> placeholders_;
    QAction* recentSeparator_ = nullptr;
    std::vector<QAction*> recentActions_;
    editor::ScriptEditor* editor_ = nullptr;
    document::ScriptDocument* document_ = nullptr;
    StatusPanes* panes_ = nullptr;
    std::unique_ptr<host::QtPrompts> prompts_;
    std::unique_ptr<host::QtFileChooser> files_;
    std::unique_ptr<host::QtProgress> progress_;
    std::unique_ptr<device::DeviceThread> device_;
    std::unique_ptr<EditorHolds> holds_;
    run::RunController* runs_ = nullptr;
    compile::CompileController* compiles_ = nullptr;
    flash::FlashCommands* flash_ = nullptr;
    help::HelpWindow* help_ = nullptr;
    device::DeviceThread::DeviceDialog controlDialog_;
};

}  // namespace orvane::app::shell
