// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/run/VariableDock.h"

#include <QFontDatabase>
#include <QListWidget>

namespace orvane::app::run {

namespace {
const QString kRunning = QStringLiteral("Zmienne");
const QString kFinished = QStringLiteral("Zmienne (po zakończeniu)");
}  // namespace

VariableDock::VariableDock(QWidget* parent) : QDockWidget(kRunning, parent), list_(new QListWidget(this)) {
    setObjectName(QStringLiteral("variableDock"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea);
    list_->setObjectName(QStringLiteral("variableList"));
    list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setMinimumWidth(200);
    setWidget(list_);
}

void VariableDock::Begin() {
    setWindowTitle(kRunning);
    list_->clear();
    show();
    raise();
}

void VariableDock::SetLines(const QStringList& lines) {
    if (Lines() == lines) return;  // a refresh that changed nothing keeps the user's selection
    list_->clear();
    list_->addItems(lines);
}

void VariableDock::Finish() { setWindowTitle(kFinished); }

void VariableDock::Clear() {
    setWindowTitle(kRunning);
    list_->clear();
}

QStringList VariableDock::Lines() const {
    QStringList lines;
    for (int i = 0; i < list_->count(); ++i) lines << list_->item(i)->text();
    return lines;
}

}  // namespace orvane::app::run
