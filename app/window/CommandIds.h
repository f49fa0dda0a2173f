// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace orvane::app::window {

// The window's commands by the ids the menus, accelerators and toolbars share. The numbers are
// the ones the controller's tools have always used for them, so logs and tests can name them.
enum class CommandId : int {
    // Plik
    FileNew = 57600,
    FileOpen = 57601,
    FileSave = 57603,
    FileSaveAs = 57604,
    FilePageSetup = 57606,
    FilePrint = 57607,
    FilePrintPreview = 57609,
    FileRecent = 57616,  // the first of the four recent files
    AppExit = 57665,
    // Edycja
    EditCopy = 57634,
    EditCut = 57635,
    EditFind = 57636,
    EditPaste = 57637,
    EditPasteSpecial = 57639,
    EditFindNext = 57640,
    EditReplace = 57641,
    EditSelectAll = 57642,
    EditUndo = 57643,
    EditRedo = 57644,
    EditPosition = 32769,
    EditSequence = 32770,
    ControlByRs = 32771,
    // Widok
    ViewMainBar = 59392,
    ViewStatusBar = 59393,
    ViewProgramBar = 32799,
    ViewModesBar = 32800,
    // Opcje
    OptionsCommands = 32772,
    OptionsDeviceParameters = 32773,
    OptionsCompileParameters = 32774,
    OptionsRs232 = 32775,
    OptionsSettings = 32776,
    // Tryb pracy
    ModeBootLoader = 32786,
    ModeKomendy = 32787,
    ModeProgram = 32788,
    ModeProgramCtrl = 32789,
    ModeCheckState = 32790,
    ModeSystem = 32791,
    ModeResetRs232 = 32793,
    // Wykonaj
    RunCompile = 32801,
    RunStep = 32802,
    RunPause = 32803,
    RunRestart = 32804,
    RunStop = 32805,
    RunStart = 32806,
    ProgramErase = 32807,
    ProgramRead = 32808,
    ProgramWrite = 32809,
    SystemErase = 32810,
    SystemVersion = 32811,
    SystemRead = 32812,
    SystemWrite = 32813,
    RunBreakpoint = 32820,  // ours: a breakpoint on the caret's line
    RunSimulate = 32821,    // ours: the compiled program on the simulated chip
    // Pomoc
    HelpAbout = 57664,
    HelpTopics = 57667,
    HelpUsing = 57668,
    HelpContext = 57669,
    // Without a menu item: recolour the whole text at the end of start-up.
    RecolourAll = 32777,
};

}  // namespace orvane::app::window
