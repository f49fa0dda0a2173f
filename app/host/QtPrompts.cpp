// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/host/QtPrompts.h"

#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>

#include "app/host/QtText.h"
#include "core/help/BoxCatalog.h"
#include "core/host/Cp1250.h"

namespace orvane::app::host {

using orvane::host::Answer;
using orvane::host::Buttons;
using orvane::host::Icon;

namespace {
QMessageBox::Icon IconOf(Icon icon) {
    switch (icon) {
        case Icon::Information: return QMessageBox::Information;
        case Icon::Warning: return QMessageBox::Warning;
        case Icon::Error: return QMessageBox::Critical;
        case Icon::Question: return QMessageBox::Question;
        case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsOf(Buttons buttons) {
    switch (buttons) {
        case Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
        case Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
        case Buttons::Ok: break;
    }
    return QMessageBox::Ok;
}

}  // namespace

Answer QtPrompts::StoppingAnswer(Buttons buttons) {
    switch (buttons) {
        case Buttons::OkCancel: return Answer::Cancel;
        case Buttons::YesNo: return Answer::No;
        case Buttons::Ok: break;
    }
    return Answer::Ok;
}

Answer QtPrompts::Ask(const std::string& caption, const std::string& text, Buttons buttons, Icon icon) {
    if (closing_) return StoppingAnswer(buttons);
    QMessageBox box(IconOf(icon), FromCp1250(caption), FromCp1250(text), ButtonsOf(buttons), parent_);
    std::string code = orvane::help::BoxCatalog::CodeIn(orvane::host::Cp1250ToUtf8(caption));
    if (code.empty()) code = orvane::help::BoxCatalog::CodeIn(orvane::host::Cp1250ToUtf8(text));
    QPushButton* help = nullptr;
    if (boxHelp_ && !code.empty()) {
        help = box.addButton(QStringLiteral("Pomoc"), QMessageBox::HelpRole);
        auto* f1 = new QShortcut(QKeySequence::HelpContents, &box);
        QObject::connect(f1, &QShortcut::activated, help, &QPushButton::click);
    }
    int result = box.exec();
    // The help button closes the box like any other: show the entry, then ask again.
    while (help && box.clickedButton() == help) {
        boxHelp_(code);
        result = box.exec();
    }
    switch (result) {
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        case QMessageBox::Cancel: return Answer::Cancel;
        case QMessageBox::Ok: return Answer::Ok;
        default: return StoppingAnswer(buttons);  // closed with Esc or the title bar
    }
}

}  // namespace orvane::app::host
