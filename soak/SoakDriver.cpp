// SPDX-License-Identifier: GPL-3.0-or-later
#include "soak/SoakDriver.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <Qsci/qsciscintilla.h>

#include "soak/SoakChecks.h"
#include "soak/SoakChoice.h"
#include "soak/SoakDialogs.h"
#include "soak/SoakKeys.h"
#include "soak/SoakLog.h"
#include "soak/SoakSim.h"

namespace orvane::soak {

namespace {
constexpr int kTickMs = 15;

template <typename T>
const T& OneOf(std::mt19937_64& rng, const QList<T>& list) { return list[Pick(rng, static_cast<int>(list.size()))]; }

// What a user types: statements of the language, Polish comments, and slips.
const QStringList& Snippets() {
    static const QStringList snippets{
        QStringLiteral("Var: x, y;"), QStringLiteral("x = x + 1;"), QStringLiteral("ServoSet(1, 100);"),
        QStringLiteral("Wait(10);"), QStringLiteral("// SERWO W DÓŁ ąćęłńóśźż"), QStringLiteral("while (x < 3) {"),
        QStringLiteral("}"), QStringLiteral("if (x == 2) Goto Main;"), QStringLiteral("Main:"),
        QStringLiteral("y = ServoRead(1);"), QStringLiteral("Call Pod;"), QStringLiteral("Pod: Return;"),
        QStringLiteral("/* ĄĆĘŁŃÓŚŹŻ */"), QStringLiteral("x = (y * 3) / 0;"), QStringLiteral("else {"),
        QStringLiteral("Exit;"), QStringLiteral("LEDS(1);"), QStringLiteral("Var: Program, tmp1;"),
        QStringLiteral("x = ServoRead(17"), QStringLiteral("@#$%^"), QStringLiteral("   \t"), QStringLiteral("ŻÓŁW żółw"),
    };
    return snippets;
}

// Words begun for the completion, the list's words among them.
const QStringList& Prefixes() {
    static const QStringList prefixes{QStringLiteral("Wa"), QStringLiteral("Se"), QStringLiteral("Servo"),
                                      QStringLiteral("wh"), QStringLiteral("y"),  QStringLiteral("Y"),
                                      QStringLiteral("LE"), QStringLiteral("Va"), QStringLiteral("zz")};
    return prefixes;
}

}  // namespace

SoakDriver::SoakDriver(QMainWindow& window, SoakSim& sim, SoakLog& log, Options options)
    : window_(window),
      editor_(window.findChild<QsciScintilla*>(QStringLiteral("scriptEditor"))),
      sim_(sim),
      log_(log),
      options_(std::move(options)),
      rng_(options_.seed),
      checks_(new SoakChecks(*editor_, log, options_.stallMs)),
      dialogs_(new SoakDialogs(log, *checks_, options_.folder, options_.examples)) {
    checks_->setParent(this);
}

SoakDriver::~SoakDriver() { delete dialogs_; }

bool SoakDriver::Run() {
    window_.activateWindow();
    (void)QTest::qWaitForWindowActive(&window_, 2000);
    clock_.start();
    QTimer::singleShot(kTickMs, this, &SoakDriver::Tick);
    QApplication::exec();
    return !log_.Failed();
}

bool SoakDriver::Over() const {
    return finished_ || log_.Failed() || clock_.elapsed() > options_.seconds * 1000 ||
           (options_.maxActions > 0 && log_.Actions() >= options_.maxActions);
}

// Every way out: all event loops end, the dialogs' too.
void SoakDriver::Finish() {
    if (std::exchange(finished_, true)) return;
    QApplication::exit(log_.Failed() ? 1 : 0);
}

// The next tick is due before this one acts: an action may open a dialog, whose own event loop
// then runs the next ticks, which answer it.
void SoakDriver::Tick() {
    if (finished_) return;
    if (Over()) return Finish();
    QTimer::singleShot(kTickMs, this, &SoakDriver::Tick);
    checks_->MarkActionStart();
    std::mt19937_64 rng(rng_());
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        dialogs_->ActOnMenu(*menu, rng);
    } else if (QWidget* popup = QApplication::activePopupWidget()) {
        log_.Action(QStringLiteral("Escape in a popup"));
        QTest::keyClick(popup, Qt::Key_Escape);
    } else if (QWidget* modal = QApplication::activeModalWidget()) {
        dialogs_->ActOnModal(*modal, rng);
    } else {
        checks_->CheckScript();
        dialogs_->ForgetBoxes();
        dialogs_->ForgetPendingOpen();
        if (!log_.Failed()) ActOnWindow(rng);
    }
    checks_->MarkActionEnd();
}

void SoakDriver::ActOnWindow(std::mt19937_64& rng) {
    WatchEditingActions();
    if (!sim_.IsRunning() && Pick(rng, 20) == 0) return RestartSim(rng);
    const int roll = Pick(rng, 100);
    if (roll < 18) return Type(rng);
    if (roll < 34) return Chord(rng);
    if (roll < 44) return Complete(rng);
    if (roll < 56) return Menu(rng);
    if (roll < 62) return Toolbar(rng);
    if (roll < 67) return Select(rng);
    if (roll < 77) return RunKey(rng);
    if (roll < 82) return SaveAs();
    if (roll < 86) return Reopen();
    if (roll < 90) return OpenExample(rng);
    if (roll < 93) return RestartSim(rng);
    CloseOtherWindows(rng);
}

void SoakDriver::WatchEditingActions() {
    for (QAction* action : window_.findChildren<QAction*>()) {
        if (action->property("soakWatched").toBool()) continue;
        action->setProperty("soakWatched", true);
        const QString plain = Plain(action->text());
        if (SoakChecks::EditingCommand(plain)) connect(action, &QAction::triggered, checks_, &SoakChecks::AllowEdit);
        if (plain == QLatin1String("Zapisz") || plain == QLatin1String("Kompiluj"))
            connect(action, &QAction::triggered, checks_, &SoakChecks::ForgetSaved);
    }
}

QAction* SoakDriver::FindAction(const QString& plainText) const {
    for (QAction* action : window_.findChildren<QAction*>())
        if (Plain(action->text()) == plainText) return action;
    return nullptr;
}

void SoakDriver::Key(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    QWidget* target = QApplication::focusWidget();
    if (target == nullptr || target->window() != &window_) target = editor_;
    QTest::sendKeyEvent(QTest::Click, target, static_cast<Qt::Key>(key), text, modifiers);
}

void SoakDriver::ClickInEditor(std::mt19937_64& rng, Qt::KeyboardModifiers modifiers) {
    QWidget* area = editor_->viewport();
    const QPoint at(Pick(rng, area->width()), Pick(rng, area->height()));
    QTest::mouseClick(area, Qt::LeftButton, modifiers, at);
    editor_->setFocus();
}

void SoakDriver::Type(std::mt19937_64& rng) {
    const QString snippet = OneOf(rng, Snippets());
    const bool newLine = Pick(rng, 2) == 0;
    log_.Action(QStringLiteral("type \"%1\"%2").arg(snippet, newLine ? QStringLiteral(" and Enter") : QString()));
    ClickInEditor(rng);
    checks_->AllowEdit();
    SoakKeys::Type(*editor_, snippet);
    if (newLine) QTest::keyClick(editor_, Qt::Key_Return);
}

// Ctrl, Alt, with or without Shift, and a letter or digit, sent with its character as the
// keyboard sends it: the chord may run its command, never type.
void SoakDriver::Chord(std::mt19937_64& rng) {
    static const QList<Qt::KeyboardModifiers> kModifiers{
        Qt::ControlModifier, Qt::AltModifier, Qt::ControlModifier | Qt::ShiftModifier,
        Qt::AltModifier | Qt::ShiftModifier};
    const Qt::KeyboardModifiers modifiers = OneOf(rng, kModifiers);
    const int index = Pick(rng, 36);
    const int key = index < 26 ? Qt::Key_A + index : Qt::Key_0 + index - 26;
    QString text = index < 26 ? QString(QChar('a' + index)) : QString(QChar('0' + index - 26));
    if (modifiers & Qt::ShiftModifier) text = text.toUpper();
    const QAction* exit = FindAction(QStringLiteral("Koniec"));
    if (key == Qt::Key_X && modifiers == Qt::AltModifier && exit != nullptr && exit->isEnabled()) return;
    const QKeySequence chord(QKeyCombination(modifiers, static_cast<Qt::Key>(key)));
    log_.Action(QStringLiteral("chord %1").arg(chord.toString()));
    // The editing chords of the Edycja menu, which the editor may take before the menu does.
    static const QList<QKeySequence> kEditing{QKeySequence::Undo, QKeySequence::Redo, QKeySequence::Cut,
                                              QKeySequence::Paste, QKeySequence(QStringLiteral("Ctrl+Shift+Z"))};
    if (kEditing.contains(chord)) checks_->AllowEdit();
    editor_->setFocus();
    Key(key, modifiers, text);
}

// A word begun, the completion asked for, then left in one of the ways a user leaves it; only
// Enter accepts, and nothing else may leave any of the suggestion behind.
void SoakDriver::Complete(std::mt19937_64& rng) {
    const QString prefix = OneOf(rng, Prefixes());
    const int leave = Pick(rng, 7);
    static const QStringList kLeaves{QStringLiteral("Enter"), QStringLiteral("Escape"), QStringLiteral("F2"),
                                     QStringLiteral("click"), QStringLiteral("Up, Escape"),
                                     QStringLiteral("Ctrl+End, F2"), QStringLiteral("Delete")};
    log_.Action(QStringLiteral("complete \"%1\", leave by %2").arg(prefix, kLeaves[leave]));
    ClickInEditor(rng);
    QTest::keyClick(editor_, Qt::Key_End);
    checks_->AllowEdit();
    SoakKeys::Type(*editor_, QStringLiteral(" ") + prefix);
    const QString typed = editor_->text();
    QTest::keyClick(editor_, Qt::Key_Space, Qt::ControlModifier);
    const auto* list = editor_->viewport()->findChild<QWidget*>(QStringLiteral("completionList"));
    if (list == nullptr || !list->isVisible()) return;  // nothing suggested: the keys below would only edit
    switch (leave) {
    case 0: QTest::keyClick(editor_, Qt::Key_Return); return;  // accepted: the word may stay
    case 1: QTest::keyClick(editor_, Qt::Key_Escape); break;
    case 2: QTest::keyClick(editor_, Qt::Key_F2); break;
    case 3: ClickInEditor(rng); break;
    case 4:
        QTest::keyClick(editor_, Qt::Key_Up);
        QTest::keyClick(editor_, Qt::Key_Escape);
        break;
    case 5:
        QTest::keyClick(editor_, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(editor_, Qt::Key_F2);
        break;
    default: QTest::keyClick(editor_, Qt::Key_Delete); break;
    }
    if (editor_->text() != typed && QApplication::activeModalWidget() == nullptr)
        log_.Fail(QStringLiteral("a completion left without accepting changed the script after \"%1\"").arg(prefix));
}

void SoakDriver::Menu(std::mt19937_64& rng) {
    QMenuBar* bar = window_.menuBar();
    QList<QAction*> menus;
    for (QAction* action : bar->actions())
        if (action->isVisible() && action->isEnabled() && action->menu() != nullptr) menus << action;
    if (menus.isEmpty()) return;
    QAction* chosen = OneOf(rng, menus);
    log_.Action(QStringLiteral("menu \"%1\"").arg(Plain(chosen->text())));
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(chosen).center());
    if (chosen->menu()->isVisible()) dialogs_->ActOnMenu(*chosen->menu(), rng);
}

void SoakDriver::Toolbar(std::mt19937_64& rng) {
    QList<QWidget*> buttons;
    for (QToolBar* bar : window_.findChildren<QToolBar*>()) {
        if (!bar->isVisible()) continue;
        for (QAction* action : bar->actions()) {
            QWidget* button = bar->widgetForAction(action);
            if (button != nullptr && button->isVisible() && SoakDialogs::MayClick(action)) buttons << button;
        }
    }
    if (buttons.isEmpty()) return;
    QWidget* button = OneOf(rng, buttons);
    log_.Action(QStringLiteral("toolbar \"%1\"").arg(button->toolTip()));
    QTest::mouseClick(button, Qt::LeftButton);
}

void SoakDriver::Select(std::mt19937_64& rng) {
    if (Pick(rng, 2) == 0) {
        log_.Action(QStringLiteral("select all"));
        editor_->setFocus();
        Key(Qt::Key_A, Qt::ControlModifier, QStringLiteral("\x01"));
        return;
    }
    log_.Action(QStringLiteral("select with Shift+click"));
    ClickInEditor(rng);
    ClickInEditor(rng, Qt::ShiftModifier);
}

// The run, step, pause, stop, restart and compile keys, and the program write and erase.
void SoakDriver::RunKey(std::mt19937_64& rng) {
    struct RunKey {
        const char* name;
        int key;
        Qt::KeyboardModifiers modifiers;
    };
    static const QList<RunKey> kKeys{{"F5", Qt::Key_F5, {}},       {"F10", Qt::Key_F10, {}},
                                     {"F7", Qt::Key_F7, {}},       {"Shift+F5", Qt::Key_F5, Qt::ShiftModifier},
                                     {"Shift+F5", Qt::Key_F5, Qt::ShiftModifier}, {"F8", Qt::Key_F8, {}},
                                     {"F9", Qt::Key_F9, {}},       {"Ctrl+F9", Qt::Key_F9, Qt::ControlModifier},
                                     {"Alt+F9", Qt::Key_F9, Qt::AltModifier}};
    const RunKey& chosen = OneOf(rng, kKeys);
    const QAction* stop = FindAction(QStringLiteral("Stop"));
    log_.Action(QStringLiteral("key %1").arg(QLatin1String(chosen.name)));
    if (chosen.key == Qt::Key_F5 && chosen.modifiers == Qt::ShiftModifier && stop != nullptr && stop->isEnabled())
        checks_->ExpectRunEnd();
    Key(chosen.key, chosen.modifiers);
}

void SoakDriver::SaveAs() {
    QMenu* file = window_.menuBar()->actions().value(0) ? window_.menuBar()->actions().value(0)->menu() : nullptr;
    if (file == nullptr) return;
    for (QAction* item : file->actions()) {
        if (Plain(item->text()) != QLatin1String("Zapisz jako...") || !item->isEnabled()) continue;
        log_.Action(QStringLiteral("menu \"Plik\", \"Zapisz jako...\""));
        QMenuBar* bar = window_.menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(bar->actions().value(0)).center());
        if (file->isVisible()) QTest::mouseClick(file, Qt::LeftButton, {}, file->actionGeometry(item).center());
        return;
    }
}

// The file saved last, opened again: it shows what was saved.
void SoakDriver::Reopen() {
    if (checks_->SavedPath().isEmpty() || editor_->isModified() || editor_->isReadOnly()) return;
    const QAction* open = FindAction(QStringLiteral("Otwórz..."));
    if (open == nullptr || !open->isEnabled()) return;
    log_.Action(QStringLiteral("reopen %1").arg(checks_->SavedPath()));
    dialogs_->AnswerOpenWith(checks_->SavedPath(), true);
    editor_->setFocus();
    Key(Qt::Key_O, Qt::ControlModifier, QStringLiteral("\x0f"));
}

void SoakDriver::OpenExample(std::mt19937_64& rng) {
    if (options_.examples.isEmpty()) return;
    const QString example = OneOf(rng, options_.examples);
    log_.Action(QStringLiteral("open %1").arg(example));
    dialogs_->AnswerOpenWith(example);
    editor_->setFocus();
    Key(Qt::Key_O, Qt::ControlModifier, QStringLiteral("\x0f"));
}

// The controller restarted with other faults (or none); the window then resets its port.
void SoakDriver::RestartSim(std::mt19937_64& rng) {
    QStringList faults;
    switch (Pick(rng, 6)) {
    case 0: faults << QStringLiteral("delay:%1").arg(5 + Pick(rng, 200)); break;
    case 1: faults << QStringLiteral("drop:%1").arg(1 + Pick(rng, 400)); break;
    case 2: faults << QStringLiteral("silent-after:%1").arg(20 + Pick(rng, 2000)); break;
    case 3: faults << QStringLiteral("hangup-after:%1").arg(20 + Pick(rng, 2000)); break;
    case 4:
        faults << QStringLiteral("delay:%1").arg(5 + Pick(rng, 100))
               << QStringLiteral("drop:%1").arg(1 + Pick(rng, 400));
        break;
    default: break;
    }
    log_.Action(QStringLiteral("restart the controller with faults [%1], then Ctrl+Q").arg(faults.join(QLatin1Char(' '))));
    QString error;
    if (!sim_.Restart(faults, &error)) return log_.Fail(error);
    editor_->setFocus();
    Key(Qt::Key_Q, Qt::ControlModifier, QStringLiteral("\x11"));
}

void SoakDriver::CloseOtherWindows(std::mt19937_64& rng) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget == &window_ || !widget->isVisible() || widget->isModal()) continue;
        auto* dialog = qobject_cast<QDialog*>(widget);
        if (dialog != nullptr && Pick(rng, 2) == 0) return dialogs_->WorkIn(*dialog, rng);
        log_.Action(QStringLiteral("close \"%1\"").arg(widget->windowTitle()));
        widget->close();
        return;
    }
    log_.Action(QStringLiteral("nothing beside the window to close"));
}

}  // namespace orvane::soak
