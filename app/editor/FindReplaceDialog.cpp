// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/FindReplaceDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvane::app::editor {

FindReplaceDialog::FindReplaceDialog(TextFinder& finder, QWidget* parent)
    : QDialog(parent),
      finder_(finder),
      find_(new QLineEdit(this)),
      replaceLabel_(new QLabel(QString::fromUtf8("Zamień n&a:"), this)),
      replace_(new QLineEdit(this)),
      matchCase_(new QCheckBox(QString::fromUtf8("&Uwzględniaj wielkość liter"), this)),
      wholeWord_(new QCheckBox(QString::fromUtf8("&Tylko całe wyrazy"), this)),
      up_(new QRadioButton(QString::fromUtf8("W &górę"), this)),
      down_(new QRadioButton(QString::fromUtf8("W &dół"), this)),
      findNext_(new QPushButton(QString::fromUtf8("Znajdź &następny"), this)),
      replaceNext_(new QPushButton(QString::fromUtf8("Za&mień"), this)),
      replaceAll_(new QPushButton(QString::fromUtf8("Zamień &wszystko"), this)),
      status_(new QLabel(this)) {
    setObjectName(QStringLiteral("findReplaceDialog"));
    setModal(false);
    find_->setObjectName(QStringLiteral("findText"));
    replace_->setObjectName(QStringLiteral("replaceText"));
    status_->setObjectName(QStringLiteral("findStatus"));
    auto* findLabel = new QLabel(QString::fromUtf8("&Znajdź:"), this);
    findLabel->setBuddy(find_);
    replaceLabel_->setBuddy(replace_);
    down_->setChecked(true);

    auto* fields = new QGridLayout;
    fields->addWidget(findLabel, 0, 0);
    fields->addWidget(find_, 0, 1);
    fields->addWidget(replaceLabel_, 1, 0);
    fields->addWidget(replace_, 1, 1);

    auto* direction = new QGroupBox(QString::fromUtf8("Kierunek"), this);
    auto* directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(up_);
    directionLayout->addWidget(down_);
    auto* options = new QHBoxLayout;
    auto* checks = new QVBoxLayout;
    checks->addWidget(matchCase_);
    checks->addWidget(wholeWord_);
    options->addLayout(checks);
    options->addWidget(direction);

    auto* buttons = new QVBoxLayout;
    auto* close = new QPushButton(QString::fromUtf8("Zamknij"), this);
    for (QPushButton* b : {findNext_, replaceNext_, replaceAll_, close}) buttons->addWidget(b);
    buttons->addStretch();
    findNext_->setDefault(true);

    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addLayout(options);
    left->addWidget(status_);
    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addLayout(buttons);

    connect(findNext_, &QPushButton::clicked, this, &FindReplaceDialog::FindNext);
    connect(replaceNext_, &QPushButton::clicked, this, &FindReplaceDialog::ReplaceNext);
    connect(replaceAll_, &QPushButton::clicked, this, &FindReplaceDialog::ReplaceAll);
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
    connect(find_, &QLineEdit::textChanged, this, &FindReplaceDialog::UpdateButtons);
    UpdateButtons();
}

void FindReplaceDialog::Open(bool replacing, const QString& text) {
    setWindowTitle(replacing ? QString::fromUtf8("Zastąp") : QString::fromUtf8("Szukaj"));
    replaceLabel_->setVisible(replacing);
    replace_->setVisible(replacing);
    replaceNext_->setVisible(replacing);
    replaceAll_->setVisible(replacing);
    if (!text.isEmpty()) find_->setText(text);
    status_->clear();
    adjustSize();
    show();
    raise();
    activateWindow();
    find_->setFocus();
    find_->selectAll();
}

SearchOptions FindReplaceDialog::Options() const {
    SearchOptions o;
    o.text = find_->text().toStdString();
    o.replacement = replace_->text().toStdString();
    o.matchCase = matchCase_->isChecked();
    o.wholeWord = wholeWord_->isChecked();
    o.backwards = up_->isChecked();
    return o;
}

bool FindReplaceDialog::HasSearchText() const { return !find_->text().isEmpty(); }

TextFinder::Result FindReplaceDialog::FindNext() {
    const TextFinder::Result result = finder_.FindNext(Options());
    ShowResult(result);
    return result;
}

TextFinder::Result FindReplaceDialog::ReplaceNext() {
    const TextFinder::Result result = finder_.Replace(Options());
    ShowResult(result);
    return result;
}

int FindReplaceDialog::ReplaceAll() {
    const int count = finder_.ReplaceAll(Options());
    status_->setText(count > 0 ? QString::fromUtf8("Zamieniono wystąpień: %1.").arg(count)
                               : QString::fromUtf8("Nie znaleziono „%1”.").arg(find_->text()));
    return count;
}

void FindReplaceDialog::ShowResult(TextFinder::Result result) {
    switch (result) {
    case TextFinder::Result::Found: status_->clear(); break;
    case TextFinder::Result::FoundAfterWrap:
        status_->setText(up_->isChecked()
                             ? QString::fromUtf8("Przeszukano do początku tekstu, dalej od końca.")
                             : QString::fromUtf8("Przeszukano do końca tekstu, dalej od początku."));
        break;
    case TextFinder::Result::NotFound:
        status_->setText(QString::fromUtf8("Nie znaleziono „%1”.").arg(find_->text()));
        break;
    }
}

void FindReplaceDialog::UpdateButtons() {
    const bool any = HasSearchText();
    for (QPushButton* b : {findNext_, replaceNext_, replaceAll_}) b->setEnabled(any);
}

}  // namespace orvane::app::editor
