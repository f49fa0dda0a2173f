// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/CommandsDialog.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/CommandEditDialog.h"
#include "app/dialogs/UiText.h"
#include "core/tools/CommandTexts.h"

namespace orvane::app::dialogs {

namespace {
constexpr int kRecordRole = Qt::UserRole;
const QString kNoDescription = QStringLiteral("Opis funkcji");
}  // namespace

CommandsDialog::CommandsDialog(orvane::commands::CommandTable table, orvane::host::SettingsStore& settings,
                               orvane::host::FileChooser& files, orvane::host::Prompts& prompts, QWidget* parent)
    : QDialog(parent),
      editor_(std::move(table)),
      settings_(settings),
      files_(files),
      prompts_(prompts),
      editDialog_(new CommandEditDialog(prompts, this)),
      list_(new QListWidget(this)),
      description_(new QPlainTextEdit(this)),
      edit_(new QPushButton(QStringLiteral("Edytuj"), this)),
      remove_(new QPushButton(Pl("Usuń"), this)) {
    setObjectName(QStringLiteral("commandsDialog"));
    setWindowTitle(QStringLiteral("Komendy"));
    description_->setReadOnly(true);
    description_->setTabStopDistance(QFontMetrics(description_->font()).horizontalAdvance(QLatin1Char('x')) * 8);
    description_->setMinimumHeight(190);

    auto* add = new QPushButton(QStringLiteral("Dodaj"), this);
    add->setObjectName(QStringLiteral("add"));
    auto* side = new QVBoxLayout;
    for (QPushButton* button : {add, edit_, remove_}) side->addWidget(button);
    side->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(list_, 1);
    top->addLayout(side);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Zapisz"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Anuluj"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(description_);
    layout->addWidget(buttons);

    connect(add, &QPushButton::clicked, this, &CommandsDialog::Add);
    connect(edit_, &QPushButton::clicked, this, &CommandsDialog::Edit);
    connect(remove_, &QPushButton::clicked, this, &CommandsDialog::Remove);
    connect(list_, &QListWidget::itemDoubleClicked, this, &CommandsDialog::Edit);
    connect(list_, &QListWidget::itemSelectionChanged, this, &CommandsDialog::SelectionChanged);
    Refill(-1);
    resize(620, 560);
}

void CommandsDialog::Refill(int selectRow) {
    list_->clear();
    for (const auto& line : editor_.Lines()) {
        auto* item = new QListWidgetItem(FromCp1250(line.text), list_);
        item->setData(kRecordRole, static_cast<qulonglong>(line.record));
    }
    description_->setPlainText(kNoDescription);
    if (selectRow >= 0 && selectRow < list_->count()) list_->setCurrentRow(selectRow);
    SelectionChanged();
}

std::optional<std::size_t> CommandsDialog::SelectedRecord() const {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty()) return std::nullopt;
    return static_cast<std::size_t>(selected.front()->data(kRecordRole).toULongLong());
}

void CommandsDialog::SelectionChanged() {
    const auto record = SelectedRecord();
    edit_->setEnabled(record.has_value());
    remove_->setEnabled(record.has_value());
    if (record) description_->setPlainText(FromCp1250(tools::CommandTexts::Description(editor_.Record(*record))));
}

void CommandsDialog::Add() {
    tools::CommandFields fields;
    const auto check = [this](const tools::CommandFields& f) { return editor_.NameConflict(f.name, std::nullopt); };
    if (!editDialog_->Edit(fields, check)) return;
    editor_.Add(tools::CommandForm::Take(fields));
    Refill(-1);
}

void CommandsDialog::Edit() {
    const auto record = SelectedRecord();
    if (!record) return;
    const int row = list_->currentRow();
    tools::CommandFields fields = tools::CommandForm::From(editor_.Record(*record));
    const auto check = [this, record](const tools::CommandFields& f) { return editor_.NameConflict(f.name, record); };
    if (editDialog_->Edit(fields, check)) editor_.Replace(*record, tools::CommandForm::Take(fields));
    Refill(row);
}

void CommandsDialog::Remove() {
    const auto record = SelectedRecord();
    if (!record) return;
    if (!prompts_.AskYesNo(orvane::host::Pl("Usuwanie komendy"), editor_.RemoveQuestion(*record))) return;
    editor_.Remove(*record);
    Refill(-1);
}

void CommandsDialog::accept() {
    // A write the user gave up on keeps the dialog open, with every change still in it.
    if (editor_.Save(settings_, files_, prompts_)) QDialog::accept();
}

}  // namespace orvane::app::dialogs
