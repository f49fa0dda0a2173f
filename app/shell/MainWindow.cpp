// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QDockWidget>
#include <QDir>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>
#include <QWhatsThis>

#include "app/compile/CompileController.h"
#include "app/dialogs/DeviceDialogs.h"
#include "app/document/ScriptDocument.h"
#include "app/editor/CommandHints.h"
#include "app/editor/EditorHolds.h"
#include "app/editor/EditCommands.h"
#include "app/editor/EditorFeatures.h"
#include "app/editor/ScriptEditor.h"
#include "app/help/HelpWindow.h"
#include "app/help/MenuWhatsThis.h"
#include "app/flash/FlashCommands.h"
#include "app/host/QtFileChooser.h"
#include "app/host/QtProgress.h"
#include "app/host/QtPrompts.h"
#include "app/run/RunController.h"
#include "app/run/VariableDock.h"
#include "app/servo/ServoTools.h"
#include "app/shell/AcceleratorFilter.h"
#include "app/shell/CommandCatalog.h"
#include "app/shell/CommandRules.h"
#include "app/editor/EditorHolds.h"
#include "app/shell/MenuLayout.h"
#include "app/shell/ShortcutTable.h"
#include "app/shell/StatusPanes.h"
#include "app/simulate/SimulateController.h"
#include "core/host/Cp1250.h"
#include "core/host/SettingKeys.h"

namespace orvane::app::shell {

namespace {
using enum window::CommandId;

const QString kLayoutGroup = QStringLiteral("Window");
const QString kBarStateKey = QStringLiteral("BarStateORVANE");
const QString kGeometryKey = QStringLiteral("Geometry");
constexpr int kLayoutVersion = 1;

QList<QKeySequence> ShortcutsOf(const CommandEntry& entry) {
    QList<QKeySequence> keys;
    const QString text = QString::fromUtf8(entry.text);
    const qsizetype tab = text.indexOf(QLatin1Char('\t'));
    if (tab >= 0) keys << QKeySequence::fromString(text.mid(tab + 1), QKeySequence::PortableText);
    if (entry.extraKeys != nullptr) {
        for (const QString& key : QString::fromUtf8(entry.extraKeys).split(QLatin1Char(';'))) {
            keys << QKeySequence::fromString(key, QKeySequence::PortableText);
        }
    }
    return keys;
}

QStringList LocalFiles(const QMimeData* mime) {
    QStringList files;
    if (mime == nullptr) return files;
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile()) files << url.toLocalFile();
    }
    return files;
}
}  // namespace

MainWindow::MainWindow(orvane::host::SettingsStore& settings, const orvane::host::PlatformFolders& folders,
                       QWidget* parent)
    : QMainWindow(parent), settings_(settings), folders_(folders) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/orvane.svg")));
    setAcceptDrops(true);
    editor_ = new editor::ScriptEditor(this);
    setCentralWidget(editor_->Widget());
    document_ = new document::ScriptDocument(*editor_, this);
    panes_ = new StatusPanes(statusBar());
    prompts_ = std::make_unique<host::QtPrompts>(this);
    help_ = new help::HelpWindow(this, folders_.programFolder, ShortcutTable::Rows());
    new help::MenuWhatsThis(this);
    prompts_->SetBoxHelp([this](const std::string& code) { help_->ShowModal(orvane::help::Reference::BoxTopicId(code)); });
    files_ = std::make_unique<host::QtFileChooser>(this);
    progress_ = std::make_unique<host::QtProgress>(this);
    device_ = std::make_unique<device::DeviceThread>(
        settings_, folders_, device::WindowHost{*prompts_, *files_, *progress_, this});

    CreateActions();
    CreateMenus();
    CreateToolBars();
    ConnectCommands();
    ConnectModeCommands();
    CreateFeatures();
    RestoreLayout();
    QList<QAction*> all;
    for (const auto& [id, action] : actions_) all << action;
    new AcceleratorFilter(this, all);

    connect(editor_, &editor::ScriptEditor::stateChanged, this, &MainWindow::UpdateState);
    connect(editor_, &editor::ScriptEditor::overwriteChanged, panes_, &StatusPanes::SetOverwrite);
    connect(editor_, &editor::ScriptEditor::filesDropped, this,
            [this](const QStringList& files) { document_->OpenPath(files.first()); });
    // The clipboard is asked only when it changed: on X11 each question is a round trip.
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        state_.canPaste = !QApplication::clipboard()->text().isEmpty();
        UpdateCommands();
    });
    state_.canPaste = !QApplication::clipboard()->text().isEmpty();
    connect(document_, &document::ScriptDocument::titleChanged, this,
            [this](const QString& name, bool modified) {
                setWindowTitle(name + QStringLiteral("[*] - ORVANE"));
                setWindowModified(modified);
            });
    connect(document_, &document::ScriptDocument::replaced, this, &MainWindow::RunStartUp);
    connect(&document_->Recent(), &document::RecentFiles::changed, this, &MainWindow::RebuildRecentMenu);
    connect(device_.get(), &device::DeviceThread::modeApplied, this, &MainWindow::ApplyMode);
    connect(device_.get(), &device::DeviceThread::message, this,
            [this](const QString& text) { statusBar()->showMessage(text, 10000); });
    connect(this, &MainWindow::recolourRequested, editor_, &editor::ScriptEditor::RecolourAll);

    setWindowTitle(document_->DisplayName() + QStringLiteral("[*] - ORVANE"));
    RebuildRecentMenu();
    UpdateState();
}

MainWindow::~MainWindow() {
    device_->disconnect(this);
    prompts_->SetClosing(true);
    files_->SetClosing(true);
    progress_->Offer().Abandon();  // a flash operation stops or fails at once, without a box
    device_->Shutdown();
}

QAction* MainWindow::Action(window::CommandId id) const {
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

void MainWindow::SetHandler(window::CommandId id, std::function<void()> handler) {
    QAction* action = Action(id);
    if (action == nullptr) return;
    connect(action, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
}

void MainWindow::SetRunCommand(orvane::script::RunCommand runCommand) {
    state_.runCommand = runCommand;
    UpdateCommands();
}

void MainWindow::SetSimulating(bool simulating) {
    state_.simulating = simulating;
    UpdateCommands();
}

void MainWindow::ShowMessage(const QString& text, int timeoutMs) { statusBar()->showMessage(text, timeoutMs); }

void MainWindow::AddDock(QDockWidget* dock, bool shownOnRestore) {
    addDockWidget(dock->isAreaAllowed(Qt::RightDockWidgetArea) ? Qt::RightDockWidgetArea : Qt::BottomDockWidgetArea,
                  dock);
    if (!shownOnRestore) hiddenOnRestore_.push_back(dock);
}

void MainWindow::AddViewToggle(QAction* toggle) {
    if (!viewTogglesListed_) viewMenu_->addSeparator();
    viewTogglesListed_ = true;
    viewMenu_->addAction(toggle);
}

// --- building --------------------------------------------------------------------------------------

void MainWindow::CreateActions() {
    for (const CommandEntry& entry : CommandCatalog::All()) {
        auto* action = new QAction(QString::fromUtf8(entry.text), this);
        action->setObjectName(QStringLiteral("command%1").arg(static_cast<int>(entry.id)));
        action->setShortcuts(ShortcutsOf(entry));
        action->setStatusTip(QString::fromUtf8(entry.statusTip));
        action->setToolTip(QString::fromUtf8(entry.toolTip));
        action->setWhatsThis(QString::fromUtf8(entry.statusTip));
        if (entry.icon != nullptr) {
            action->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QString::fromUtf8(entry.icon))));
        }
        actions_[entry.id] = action;
    }
    for (window::CommandId id : {ViewMainBar, ViewProgramBar, ViewModesBar, ViewStatusBar}) {
        Action(id)->setCheckable(true);
        Action(id)->setChecked(true);
    }
}

void MainWindow::CreateMenus() {
    const MenuLayout::Menus menus = MenuLayout::BuildMenus(
        menuBar(), [this](window::CommandId id) { return Action(id); }, [this](QMenu* file) { AddRecentActions(file); });
    recentSeparator_ = menus.recentSeparator;
    viewMenu_ = menus.view;
}

void MainWindow::AddRecentActions(QMenu* file) {
    for (int i = 0; i < document::RecentFiles::kMaxEntries; ++i) {
        auto* action = new QAction(this);
        action->setObjectName(QStringLiteral("command%1").arg(static_cast<int>(FileRecent) + i));
        action->setStatusTip(QStringLiteral("Otwiera ten skrypt"));
        connect(action, &QAction::triggered, this, [this, i] {
            // A copy: saving the current script first reorders the list.
            const QStringList files = document_->Recent().Files();
            if (i < files.size()) document_->OpenPath(files[i]);
        });
        file->addAction(action);
        recentActions_.push_back(action);
    }
}

void MainWindow::CreateToolBars() {
    const MenuLayout::Bars bars = MenuLayout::BuildToolBars(this, [this](window::CommandId id) { return Action(id); });
    ConnectViewToggle(ViewMainBar, bars.main);
    ConnectViewToggle(ViewProgramBar, bars.program);
    ConnectViewToggle(ViewModesBar, bars.modes);
    ConnectViewToggle(ViewStatusBar, statusBar());
}

void MainWindow::ConnectViewToggle(window::CommandId id, QWidget* bar) {
    QAction* action = Action(id);
    connect(action, &QAction::toggled, bar, &QWidget::setVisible);
    if (auto* toolBar = qobject_cast<QToolBar*>(bar)) {
        // Closing a floating bar, or the bars' own context menu, keeps the check mark right.
        connect(toolBar, &QToolBar::visibilityChanged, action, [this, action, toolBar](bool) {
            if (!isMinimized() && isVisible()) action->setChecked(toolBar->isVisibleTo(this));
        });
    }
}

void MainWindow::RebuildRecentMenu() {
    const QStringList& files = document_->Recent().Files();
    for (std::size_t i = 0; i < recentActions_.size(); ++i) {
        QAction* action = recentActions_[i];
        const auto index = static_cast<qsizetype>(i);
        action->setVisible(index < files.size());
        if (index < files.size()) {
            QString shown = QDir::toNativeSeparators(files[index]);
            shown.replace(QLatin1Char('&'), QLatin1String("&&"));
            action->setText(QStringLiteral("&%1 %2").arg(index + 1).arg(shown));
        }
    }
    recentSeparator_->setVisible(!files.isEmpty());
}

// --- commands --------------------------------------------------------------------------------------

void MainWindow::ConnectCommands() {
    auto on = [this](window::CommandId id, auto&& slot) { connect(Action(id), &QAction::triggered, this, slot); };
    on(FileNew, [this] { document_->New(); });
    on(FileOpen, [this] { document_->Open(); });
    on(FileSave, [this] { document_->Save(); });
    on(FileSaveAs, [this] { document_->SaveAs(); });
    on(FilePrint, [this] { document_->Print(); });
    on(FilePrintPreview, [this] { document_->PrintPreview(); });
    on(FilePageSetup, [this] { document_->PageSetup(); });
    on(AppExit, [this] { close(); });

    editor::EditCommands& edits = editor_->Edits();
    on(EditUndo, [&edits] { edits.Undo(); });
    on(EditRedo, [&edits] { edits.Redo(); });
    on(EditCut, [&edits] { edits.Cut(); });
    on(EditCopy, [&edits] { edits.Copy(); });
    on(EditPaste, [&edits] { edits.Paste(); });
    on(EditPasteSpecial, [&edits] { edits.PastePlainText(); });
    on(EditSelectAll, [&edits] { edits.SelectAll(); });
    on(EditFind, [this] { editor_->Features().Find(); });
    on(EditFindNext, [this] { editor_->Features().FindNext(); });
    on(EditReplace, [this] { editor_->Features().Replace(); });

    on(HelpAbout, [this] { ShowAbout(); });
    on(HelpTopics, [this] { ShowHelp(); });
    on(HelpUsing, [this] { ShowHelp("uzywanie-pomocy"); });
    on(HelpContext, [] { QWhatsThis::enterWhatsThisMode(); });
}

void MainWindow::PostModeOperation(void (orvane::device::DeviceLink::*operation)()) {
    device_->Post([operation](device::DeviceSession& session) {
        orvane::device::DeviceLink& link = session.Link();
        (link.*operation)();
    });
}

void MainWindow::ConnectModeCommands() {
    using orvane::device::DeviceLink;
    auto on = [this](window::CommandId id, auto&& slot) { connect(Action(id), &QAction::triggered, this, slot); };
    on(ModeCheckState, [this] {
        // Like every operation, it leaves the state check running on the timer that fits the
        // mode it found.
        device_->Post([](device::DeviceSession& session) {
            session.Link().StopStateCheck();
            session.Link().QueryDeviceMode();
            session.Link().StartStateCheck();
        });
    });
    on(ModeBootLoader, [this] { PostModeOperation(&DeviceLink::SwitchToBootLoader); });
    on(ModeSystem, [this] { PostModeOperation(&DeviceLink::SwitchToSystem); });
    on(ModeKomendy, [this] { PostModeOperation(&DeviceLink::SwitchToKomendy); });
    on(ModeProgram, [this] { PostModeOperation(&DeviceLink::SwitchToProgram); });
    on(ModeResetRs232, [this] { PostModeOperation(&DeviceLink::ResetRs232); });
}

// Each feature carries out its own commands and gets only the parts of the window it needs.
void MainWindow::CreateFeatures() {
    holds_ = std::make_unique<editor::EditorHolds>(*editor_);
    runs_ = new run::RunController({*this, *this, *this, *editor_, *holds_, *document_, *device_}, this);
    compiles_ = new compile::CompileController(
        {*this, *this, *editor_, *holds_, *document_, *device_, *prompts_, *progress_, this,
         [this](const std::string& topic) { help_->ShowModal(topic); }});
    flash_ = new flash::FlashCommands({*this, *this, *device_, *progress_}, this);
    // The servo view's dock gets its place from the saved layout, restored after this.
    auto* servos = new servo::ServoTools({*this, *this, *editor_, *device_, settings_, *files_, *prompts_, this});
    dialogs_ = new dialogs::DeviceDialogs({*this, *device_, settings_, folders_, this});
    simulation_ = new simulate::SimulateController(
        {*this, *this, *this, *compiles_, *editor_, servos->View(), runs_->Dock(), *files_, *prompts_, this});
}

void MainWindow::ShowAbout() {
    QMessageBox::about(this, QStringLiteral("O ORVANE"),
                       QStringLiteral("<b>ORVANE</b> %1<br><br>Środowisko programowania sterownika serw "
                                      "ORVANE: skrypty uruchamiane z komputera lub kompilowane do "
                                      "programu sterownika.")
                           .arg(QApplication::applicationVersion()));
}

// F1 in the editor opens the entry of the word at the caret, elsewhere the contents; the pages
// document the command table the device thread holds now.
void MainWindow::ShowHelp(const char* topic) {
    const QWidget* focus = QApplication::focusWidget();
    const bool inEditor = !topic && focus && (focus == editor_->Widget() || editor_->Widget()->isAncestorOf(focus));
    const std::string word = inEditor ? editor_->WordAtCaret().toStdString() : std::string();
    const std::string script = inEditor ? editor_->Text().toStdString() : std::string();
    auto table = std::make_shared<orvane::commands::CommandTable>();
    device_->Post([table](device::DeviceSession& session) { *table = session.Commands(); },
                  [this, table, word, script, topic] {
                      help_->SetCommands(*table);
                      topic ? help_->ShowTopic(topic) : help_->ShowForWord(word, script);
                  });
}

// --- state and rules ---------------------------------------------------------------------------------

void MainWindow::UpdateState() {
    const editor::EditCommands::State edit = editor_->Edits().Now();
    state_.editorEnabled = !holds_->IsHeld();
    state_.hasText = edit.hasText;
    state_.canUndo = edit.canUndo;
    state_.canRedo = edit.canRedo;
    state_.hasSelection = edit.hasSelection;
    UpdateCommands();
}

void MainWindow::UpdateCommands() {
    for (const auto& [id, action] : actions_) action->setEnabled(CommandRules::IsEnabled(id, state_));
}

void MainWindow::ApplyMode(orvane::device::DeviceMode mode) {
    panes_->SetMode(QString::fromStdString(orvane::host::Cp1250ToUtf8(std::string(orvane::device::ModeName(mode)))));
    state_.mode = mode;
    UpdateCommands();
}

// --- start-up, layout, closing -----------------------------------------------------------------------

void MainWindow::RunStartUp() {
    editor_->LoadDictionaries(folders_.programFolder, *prompts_);
    editor_->SetTabSize(settings_.Read(orvane::host::SettingKeys::kTabSize));
    // The loaded commands join the dictionaries' functions, so a command the user added to the
    // table has its call tip too.
    auto hints = std::make_shared<std::vector<editor::FunctionHint>>();
    device_->Post(
        [hints](device::DeviceSession& session) {
            session.StartUp();
            *hints = editor::HintsOf(session.Commands());
        },
        [this, hints] {
            editor_->AddFunctions(std::move(*hints));
            emit recolourRequested();
        });
}

void MainWindow::RestoreLayout() {
    QSettings layout;
    layout.beginGroup(kLayoutGroup);
    // A first start opens wide enough for the three toolbars side by side.
    if (!restoreGeometry(layout.value(kGeometryKey).toByteArray())) resize(1120, 720);
    restoreState(layout.value(kBarStateKey).toByteArray(), kLayoutVersion);
    for (QDockWidget* dock : hiddenOnRestore_) dock->hide();
    // restoreState may have hidden bars: the check marks follow.
    for (auto [id, name] : {std::pair{ViewMainBar, "mainBar"}, {ViewProgramBar, "programBar"},
                            {ViewModesBar, "modesBar"}}) {
        if (auto* bar = findChild<QToolBar*>(QString::fromLatin1(name))) Action(id)->setChecked(!bar->isHidden());
    }
}

void MainWindow::SaveLayout() {
    QSettings layout;
    layout.beginGroup(kLayoutGroup);
    layout.setValue(kGeometryKey, saveGeometry());
    layout.setValue(kBarStateKey, saveState(kLayoutVersion));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!document_->MaybeSave()) {
        event->ignore();
        return;
    }
    SaveLayout();
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!LocalFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QStringList files = LocalFiles(event->mimeData());
    if (files.isEmpty()) return;
    event->acceptProposedAction();
    document_->OpenPath(files.first());
}

}  // namespace orvane::app::shell
