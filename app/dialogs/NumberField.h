// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace orvane::app::dialogs {

// A line edit for a signed decimal number: the dialogs read what it holds as a number, so
// it takes only what can be one (an optional sign and up to ten digits; empty counts as 0).
inline QLineEdit* NumberField(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[+-]?[0-9]{0,10}")), edit));
    return edit;
}

}  // namespace orvane::app::dialogs
