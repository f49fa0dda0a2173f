// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/MenuLayout.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace orvane::app::shell {

namespace {
using enum window::CommandId;

// A toolbar of the actions of `ids`; window::CommandId{} stands for a separator.
QToolBar* AddBar(QMainWindow* window, const MenuLayout::ActionOf& action, const QString& name,
                 const QString& title, std::initializer_list<window::CommandId> ids) {
    QToolBar* bar = window->addToolBar(title);
    bar->setObjectName(name);
    bar->setIconSize(QSize(20, 20));
    for (window::CommandId id : ids) {
        if (id == window::CommandId{}) bar->addSeparator();
        else bar->addAction(action(id));
    }
    return bar;
}
}  // namespace

MenuLayout::Menus MenuLayout::BuildMenus(QMenuBar* bar, const ActionOf& action,
                                const std::function<void(QMenu*)>& addRecent) {
    auto add = [&action](QMenu* menu, std::initializer_list<window::CommandId> ids) {
        for (window::CommandId id : ids) menu->addAction(action(id));
    };
    QMenu* file = bar->addMenu(QStringLiteral("&Plik"));
    add(file, {FileNew, FileOpen, FileSave, FileSaveAs});
    file->addSeparator();
    add(file, {FilePrint, FilePrintPreview, FilePageSetup});
    QAction* recentPlace = file->addSeparator();
    addRecent(file);
    file->addSeparator();
    add(file, {AppExit});

    QMenu* edit = bar->addMenu(QStringLiteral("&Edycja"));
    add(edit, {EditUndo, EditRedo});
    edit->addSeparator();
    add(edit, {EditCut, EditCopy, EditPaste, EditPasteSpecial});
    edit->addSeparator();
    add(edit, {EditSelectAll});
    edit->addSeparator();
    add(edit, {EditFind, EditFindNext, EditReplace});
    edit->addSeparator();
    add(edit, {EditSequence, EditPosition, ControlByRs});

    QMenu* view = bar->addMenu(QStringLiteral("Wi&dok"));
    add(view, {ViewMainBar, ViewProgramBar, ViewModesBar, ViewStatusBar});

    QMenu* options = bar->addMenu(QStringLiteral("&Opcje"));
    add(options, {OptionsDeviceParameters, OptionsRs232, OptionsSettings, OptionsCompileParameters,
                  OptionsCommands});

    QMenu* modes = bar->addMenu(QStringLiteral("&Tryb pracy"));
    add(modes, {ModeCheckState});
    modes->addSeparator();
    add(modes, {ModeBootLoader, ModeSystem, ModeKomendy, ModeProgram, ModeProgramCtrl});
    modes->addSeparator();
    add(modes, {ModeResetRs232});

    QMenu* run = bar->addMenu(QStringLiteral("&Wykonaj"));
    add(run, {RunStart, RunRestart, RunStep, RunPause, RunStop});
    add(run, {RunBreakpoint});
    run->addSeparator();
    add(run, {RunCompile, RunSimulate});
    run->addSeparator();
    add(run->addMenu(QStringLiteral("Program")), {ProgramWrite, ProgramRead, ProgramErase});
    add(run->addMenu(QStringLiteral("System")), {SystemVersion, SystemWrite, SystemRead, SystemErase});

    QMenu* help = bar->addMenu(QStringLiteral("Po&moc"));
    add(help, {HelpUsing, HelpTopics});
    help->addSeparator();
    add(help, {HelpAbout});
    return {recentPlace, view};
}

MenuLayout::Bars MenuLayout::BuildToolBars(QMainWindow* window, const ActionOf& action) {
    constexpr window::CommandId bar{};
    QToolBar* main = AddBar(window, action, QStringLiteral("mainBar"), QStringLiteral("Pasek główny"),
                                   {FileNew, FileOpen, FileSave, bar, FilePrint, FilePrintPreview, bar, EditCut,
                                    EditCopy, EditPaste, bar, EditUndo, EditRedo, bar, AppExit, bar, HelpAbout,
                                    HelpContext});
    QToolBar* program = AddBar(window, action, QStringLiteral("programBar"), QStringLiteral("Pasek programu"),
                                      {RunStart, RunRestart, RunStep, RunPause, RunStop, bar, RunCompile, RunSimulate,
                                       ProgramWrite, ProgramRead, ProgramErase, bar, SystemWrite, SystemRead,
                                       SystemErase});
    QToolBar* modes = AddBar(window, action, QStringLiteral("modesBar"), QStringLiteral("Pasek trybów"),
                                    {ModeCheckState, bar, ModeBootLoader, ModeSystem, ModeKomendy, ModeProgram,
                                     ModeProgramCtrl});
    return {main, program, modes};
}

}  // namespace orvane::app::shell
