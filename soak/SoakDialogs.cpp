// SPDX-License-Identifier: GPL-3.0-or-later
#include "soak/SoakDialogs.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "soak/SoakChecks.h"
#include "soak/SoakChoice.h"
#include "soak/SoakKeys.h"
#include "soak/SoakLog.h"

namespace orvane::soak {

namespace {
constexpr int kMaxBoxRepeats = 30;
constexpr qint64 kCloseWithinMs = 30000;
constexpr qint64 kPatienceMs = 10000;  // then only Escape and Cancel, as an impatient user

template <typename T>
QList<T*> Usable(QWidget& parent) {
    QList<T*> usable;
    for (T* widget : parent.findChildren<T*>())
        if (widget->isVisible() && widget->isEnabled()) usable << widget;
    return usable;
}

// The dialogs whose buttons write into the script (the servo tools, find and replace).
bool EditsScript(const QWidget& dialog) {
    const QString name = QString::fromLatin1(dialog.metaObject()->className());
    return name.contains(QLatin1String("Position")) || name.contains(QLatin1String("Sequence")) ||
           name.contains(QLatin1String("Replace"));
}
}  // namespace

SoakDialogs::SoakDialogs(SoakLog& log, SoakChecks& checks, QString folder, QStringList examples)
    : log_(log), checks_(checks), folder_(std::move(folder)), examples_(std::move(examples)) {}

bool SoakDialogs::MayClick(const QAction* action) {
    return action->isEnabled() && action->isVisible() && !action->isSeparator() &&
           !Plain(action->text()).startsWith(QLatin1String("Koniec"));
}

void SoakDialogs::ActOnModal(QWidget& modal, std::mt19937_64& rng) {
    if (front_ != &modal) {
        front_ = &modal;
        frontSince_.start();
    } else if (frontSince_.elapsed() > kCloseWithinMs) {
        log_.Fail(QStringLiteral("%1 \"%2\" could not be closed in %3 ms")
                      .arg(QLatin1String(modal.metaObject()->className()), modal.windowTitle())
                      .arg(kCloseWithinMs));
        return;
    }
    if (EditsScript(modal)) checks_.AllowEdit();
    if (auto* box = qobject_cast<QMessageBox*>(&modal)) return Answer(*box, rng);
    if (auto* files = qobject_cast<QFileDialog*>(&modal)) return Answer(*files, rng);
    auto* dialog = qobject_cast<QDialog*>(&modal);
    const QString name = QString::fromLatin1(modal.metaObject()->className());
    // Printing goes to no printer; the preview and page setup are left as they came.
    if (dialog != nullptr && frontSince_.elapsed() > kPatienceMs) return Leave(*dialog);
    if (dialog == nullptr || name.startsWith(QLatin1String("QPrint")) || name.startsWith(QLatin1String("QPage"))) {
        log_.Action(QStringLiteral("Escape in %1 \"%2\"").arg(name, modal.windowTitle()));
        return Escape(modal);
    }
    Work(*dialog, rng);
}

// As a user who wants out: the button that ends the dialog, else Escape.
void SoakDialogs::Leave(QDialog& dialog) {
    static const QStringList kWaysOut{QStringLiteral("Koniec"), QStringLiteral("Anuluj"), QStringLiteral("Zamknij"),
                                      QStringLiteral("Cancel"), QStringLiteral("Close")};
    for (QPushButton* button : Usable<QPushButton>(dialog)) {
        if (!kWaysOut.contains(Plain(button->text()))) continue;
        log_.Action(QStringLiteral("button \"%1\" to leave \"%2\"").arg(Plain(button->text()), dialog.windowTitle()));
        QTest::mouseClick(button, Qt::LeftButton);
        return;
    }
    log_.Action(QStringLiteral("Escape to leave \"%1\"").arg(dialog.windowTitle()));
    Escape(dialog);
}

void SoakDialogs::Answer(QMessageBox& box, std::mt19937_64& rng) {
    const QList<QAbstractButton*> buttons = box.buttons();
    QAbstractButton* button = buttons.value(Pick(rng, static_cast<int>(buttons.size())));
    const QString text = box.windowTitle() + QStringLiteral(" | ") + box.text();
    const bool yes = button != nullptr && box.buttonRole(button) == QMessageBox::YesRole;
    // A box that comes back after it was refused or acknowledged leaves the user no way out.
    boxRepeats_ = (text == lastBox_ && !yes) ? boxRepeats_ + 1 : 0;
    lastBox_ = text;
    if (boxRepeats_ > kMaxBoxRepeats) {
        log_.Fail(QStringLiteral("box repeats endlessly: ") + text.left(200));
        return;
    }
    log_.Action(QStringLiteral("box \"%1\": %2").arg(text.left(120).replace(QLatin1Char('\n'), QLatin1Char(' ')),
                                                     button ? Plain(button->text()) : QStringLiteral("Escape")));
    if (button == nullptr) return Escape(box);
    QTest::mouseClick(button, Qt::LeftButton);
}

// Files go into the soak's folder only; opening takes the one asked for, a saved one or an
// example.
void SoakDialogs::Answer(QFileDialog& dialog, std::mt19937_64& rng) {
    if (openWith_.isEmpty() && Pick(rng, 6) == 0) {
        log_.Action(QStringLiteral("file dialog \"%1\": cancelled").arg(dialog.windowTitle()));
        return Escape(dialog);
    }
    QString path;
    if (dialog.acceptMode() == QFileDialog::AcceptSave && dialog.defaultSuffix() != QLatin1String("orv")) {
        // A read-out or another file the window writes: not the script, so nothing to compare.
        path = QStringLiteral("%1/plik%2.%3").arg(folder_).arg(++saves_ % 5).arg(dialog.defaultSuffix());
    } else if (dialog.acceptMode() == QFileDialog::AcceptSave) {
        path = QStringLiteral("%1/skrypt%2.orv").arg(folder_).arg(++saves_ % 5);
        // An older file of that name must not pass for this save's.
        QFile::remove(path);
        checks_.ExpectSave(path);
    } else {
        if (std::exchange(reopen_, false) && !openWith_.isEmpty()) checks_.ExpectReopen(openWith_);
        path = openWith_.isEmpty() ? AnyFile(rng) : std::exchange(openWith_, QString());
    }
    log_.Action(QStringLiteral("file dialog \"%1\": %2").arg(dialog.windowTitle(), path));
    dialog.selectFile(path);
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (name != nullptr) {
        name->setText(path);
        QTest::keyClick(name, Qt::Key_Return);
    } else {
        static_cast<QDialog&>(dialog).accept();
    }
}

QString SoakDialogs::AnyFile(std::mt19937_64& rng) const {
    QStringList files = examples_;
    for (const QString& name : QDir(folder_).entryList(QDir::Files)) files << folder_ + QLatin1Char('/') + name;
    return files.value(Pick(rng, static_cast<int>(files.size())));
}

// Anything a user might do in a dialog: a button, a field, a box to tick, a slider, Escape.
void SoakDialogs::Work(QDialog& dialog, std::mt19937_64& rng) {
    const QString where = QStringLiteral("in \"%1\"").arg(dialog.windowTitle());
    switch (Pick(rng, 6)) {
    case 0: {
        const auto buttons = Usable<QPushButton>(dialog);
        if (buttons.isEmpty()) break;
        QPushButton* button = buttons[Pick(rng, static_cast<int>(buttons.size()))];
        log_.Action(QStringLiteral("button \"%1\" %2").arg(Plain(button->text()), where));
        QTest::mouseClick(button, Qt::LeftButton);
        return;
    }
    case 1: {
        const auto fields = Usable<QLineEdit>(dialog);
        if (fields.isEmpty()) break;
        QLineEdit* field = fields[Pick(rng, static_cast<int>(fields.size()))];
        static const QStringList kTexts{QStringLiteral("0"), QStringLiteral("255"), QStringLiteral("-1"),
                                        QStringLiteral("99999"), QStringLiteral("abc"), QStringLiteral("Żółw")};
        const QString text = kTexts[Pick(rng, static_cast<int>(kTexts.size()))];
        log_.Action(QStringLiteral("type \"%1\" %2").arg(text, where));
        field->selectAll();
        SoakKeys::Type(*field, text);
        return;
    }
    case 2: {
        const auto boxes = Usable<QCheckBox>(dialog);
        if (boxes.isEmpty()) break;
        QCheckBox* box = boxes[Pick(rng, static_cast<int>(boxes.size()))];
        log_.Action(QStringLiteral("tick \"%1\" %2").arg(Plain(box->text()), where));
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
        return;
    }
    case 3: {
        const auto sliders = Usable<QAbstractSlider>(dialog);
        if (sliders.isEmpty()) break;
        QAbstractSlider* slider = sliders[Pick(rng, static_cast<int>(sliders.size()))];
        const Qt::Key key = Pick(rng, 2) ? Qt::Key_PageUp : Qt::Key_Right;
        log_.Action(QStringLiteral("slider %1 %2").arg(QLatin1String(key == Qt::Key_PageUp ? "PageUp" : "Right"), where));
        slider->setFocus();
        QTest::keyClick(slider, key);
        return;
    }
    case 4: {
        const auto combos = Usable<QComboBox>(dialog);
        if (combos.isEmpty()) break;
        QComboBox* combo = combos[Pick(rng, static_cast<int>(combos.size()))];
        log_.Action(QStringLiteral("choice down %1").arg(where));
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);
        return;
    }
    default: break;
    }
    log_.Action(QStringLiteral("Escape %1").arg(where));
    Escape(dialog);
}

void SoakDialogs::WorkIn(QDialog& dialog, std::mt19937_64& rng) {
    if (EditsScript(dialog)) checks_.AllowEdit();
    Work(dialog, rng);
}

void SoakDialogs::ActOnMenu(QMenu& menu, std::mt19937_64& rng) {
    QList<QAction*> items;
    for (QAction* action : menu.actions())
        if (MayClick(action)) items << action;
    if (items.isEmpty() || Pick(rng, 8) == 0) {
        log_.Action(QStringLiteral("Escape in menu \"%1\"").arg(Plain(menu.title())));
        return Escape(menu);
    }
    QAction* item = items[Pick(rng, static_cast<int>(items.size()))];
    log_.Action(QStringLiteral("menu item \"%1\"").arg(Plain(item->text())));
    if (SoakChecks::EditingCommand(Plain(item->text()))) checks_.AllowEdit();
    QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(item).center());
}

void SoakDialogs::Escape(QWidget& widget) { QTest::keyClick(&widget, Qt::Key_Escape); }

}  // namespace orvane::soak
