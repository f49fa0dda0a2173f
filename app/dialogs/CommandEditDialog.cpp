// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/CommandEditDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/ArgumentDialog.h"
#include "app/dialogs/NumberField.h"
#include "app/dialogs/UiText.h"
#include "core/commands/IniFile.h"
#include "core/tools/CommandTexts.h"

namespace orvane::app::dialogs {

namespace {
constexpr int kTextLimit = static_cast<int>(orvane::commands::IniFile::kValueLimit);

QLineEdit* TextField(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(kTextLimit);
    return edit;
}
}  // namespace

CommandEditDialog::CommandEditDialog(orvane::host::Prompts& prompts, QWidget* parent)
    : QDialog(parent),
      prompts_(prompts),
      argumentDialog_(new ArgumentDialog(this)),
      name_(TextField(this)),
      asmName_(TextField(this)),
      identifier_(new QLineEdit(this)),
      description_(TextField(this)),
      result_(new QComboBox(this)),
      constant_(NumberField(this)),
      multiplier_(NumberField(this)),
      divisor_(NumberField(this)),
      argumentList_(new QListWidget(this)),
      add_(new QPushButton(QStringLiteral("Dodaj"), this)),
      edit_(new QPushButton(QStringLiteral("Edytuj"), this)),
      remove_(new QPushButton(Pl("Usuń"), this)),
      up_(new QPushButton(QStringLiteral("/\\"), this)),
      down_(new QPushButton(QStringLiteral("\\/"), this)) {
    setObjectName(QStringLiteral("commandEditDialog"));
    setWindowTitle(QStringLiteral("Komenda"));
    name_->setObjectName(QStringLiteral("name"));
    identifier_->setObjectName(QStringLiteral("identifier"));
    identifier_->setMaxLength(1);
    identifier_->setMaximumWidth(48);

    auto* names = new QFormLayout;
    names->addRow(QStringLiteral("Komenda:"), name_);
    names->addRow(QStringLiteral("Nazwa ASM:"), asmName_);
    names->addRow(QStringLiteral("Identyfiaktor:"), identifier_);
    names->addRow(QStringLiteral("Opis"), description_);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Anuluj"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(names);
    layout->addWidget(BuildResultBox());
    layout->addWidget(BuildArgumentBox(), 1);
    layout->addWidget(buttons);
    resize(560, 520);
}

QWidget* CommandEditDialog::BuildResultBox() {
    auto* box = new QGroupBox(QStringLiteral("Wynik"), this);
    result_->addItems({QStringLiteral("BRAK"), QStringLiteral("1 BAJT"), QStringLiteral("2 BAJTY")});
    auto* row = new QHBoxLayout(box);
    row->addWidget(result_);
    for (auto [label, edit] : {std::pair{Pl("Stała:"), constant_}, {Pl("Mnożnik:"), multiplier_},
                               {QStringLiteral("Dzielnik:"), divisor_}}) {
        row->addSpacing(8);
        row->addWidget(new QLabel(label, box));
        row->addWidget(edit);
    }
    connect(result_, &QComboBox::currentIndexChanged, this, &CommandEditDialog::UpdateResultEdits);
    return box;
}

QWidget* CommandEditDialog::BuildArgumentBox() {
    auto* box = new QGroupBox(QStringLiteral("Argumenty"), this);
    auto* column = new QVBoxLayout;
    for (QPushButton* button : {add_, edit_, remove_, up_, down_}) column->addWidget(button);
    column->addStretch(1);
    auto* row = new QHBoxLayout(box);
    row->addWidget(argumentList_, 1);
    row->addLayout(column);
    connect(add_, &QPushButton::clicked, this, &CommandEditDialog::AddArgument);
    connect(edit_, &QPushButton::clicked, this, &CommandEditDialog::EditArgument);
    connect(remove_, &QPushButton::clicked, this, &CommandEditDialog::RemoveArgument);
    connect(up_, &QPushButton::clicked, this, [this] { MoveArgument(-1); });
    connect(down_, &QPushButton::clicked, this, [this] { MoveArgument(+1); });
    connect(argumentList_, &QListWidget::currentRowChanged, this, &CommandEditDialog::UpdateArgumentButtons);
    connect(argumentList_, &QListWidget::itemDoubleClicked, this, &CommandEditDialog::EditArgument);
    return box;
}

bool CommandEditDialog::Edit(tools::CommandFields& fields, Check check) {
    check_ = std::move(check);
    SetFields(fields);
    name_->setFocus();
    if (exec() != QDialog::Accepted) return false;
    fields = Fields();
    return true;
}

void CommandEditDialog::SetFields(const tools::CommandFields& fields) {
    name_->setText(FromCp1250(fields.name));
    asmName_->setText(FromCp1250(fields.asmName));
    identifier_->setText(FromCp1250(fields.identifier));
    description_->setText(FromCp1250(fields.description));
    result_->setCurrentIndex(fields.resultIndex);
    constant_->setText(FromCp1250(fields.constant));
    multiplier_->setText(FromCp1250(fields.multiplier));
    divisor_->setText(FromCp1250(fields.divisor));
    arguments_ = fields.arguments;
    FillArguments(-1);
    UpdateResultEdits();
}

tools::CommandFields CommandEditDialog::Fields() const {
    tools::CommandFields fields;
    fields.name = ToCp1250(name_->text());
    fields.asmName = ToCp1250(asmName_->text());
    fields.identifier = ToCp1250(identifier_->text());
    fields.description = ToCp1250(description_->text());
    fields.resultIndex = result_->currentIndex();
    fields.constant = ToCp1250(constant_->text());
    fields.multiplier = ToCp1250(multiplier_->text());
    fields.divisor = ToCp1250(divisor_->text());
    fields.arguments = arguments_;
    return fields;
}

void CommandEditDialog::accept() {
    const tools::CommandFields fields = Fields();
    std::string reason;
    // A character outside code page 1250 would be stored as "?", a different identifier.
    if (!identifier_->text().isEmpty() && FromCp1250(fields.identifier) != identifier_->text()) {
        reason = orvane::host::Pl("Identyfikator musi być znakiem ze strony kodowej 1250.");
    }
    if (reason.empty()) reason = tools::CommandForm::Check(fields);
    if (reason.empty() && check_) reason = check_(fields);
    if (!reason.empty()) {
        prompts_.Tell("Komenda", reason, orvane::host::Icon::Warning);
        return;
    }
    QDialog::accept();
}

void CommandEditDialog::UpdateResultEdits() {
    const bool hasResult = result_->currentIndex() > 0;
    for (QLineEdit* edit : {constant_, multiplier_, divisor_}) edit->setEnabled(hasResult);
}

void CommandEditDialog::FillArguments(int select) {
    argumentList_->clear();
    for (std::size_t i = 0; i < arguments_.size(); ++i) {
        argumentList_->addItem(FromCp1250(tools::CommandTexts::ArgumentLine(static_cast<int>(i) + 1, arguments_[i])));
    }
    argumentList_->setCurrentRow(select);
    UpdateArgumentButtons();
}

void CommandEditDialog::UpdateArgumentButtons() {
    const int row = argumentList_->currentRow();
    const bool selected = row >= 0 && row < argumentList_->count();
    edit_->setEnabled(selected);
    remove_->setEnabled(selected);
    up_->setEnabled(selected && row > 0);
    down_->setEnabled(selected && row < argumentList_->count() - 1);
}

void CommandEditDialog::AddArgument() {
    if (!tools::CommandForm::CanAddArgument(Fields())) {
        prompts_.Tell("Argument", tools::CommandForm::TooManyArgumentsText(), orvane::host::Icon::Warning);
        return;
    }
    if (const auto fields = argumentDialog_->Edit(tools::ArgumentFields{})) {
        arguments_.push_back(tools::CommandForm::TakeArgument(*fields));
        FillArguments(static_cast<int>(arguments_.size()) - 1);
    }
}

void CommandEditDialog::EditArgument() {
    const int row = argumentList_->currentRow();
    if (row < 0 || row >= static_cast<int>(arguments_.size())) return;
    auto& argument = arguments_[static_cast<std::size_t>(row)];
    if (const auto fields = argumentDialog_->Edit(tools::CommandForm::ArgumentFrom(argument))) {
        argument = tools::CommandForm::TakeArgument(*fields);
    }
    FillArguments(row);
}

void CommandEditDialog::RemoveArgument() {
    const int row = argumentList_->currentRow();
    if (row < 0 || row >= static_cast<int>(arguments_.size())) return;
    arguments_.erase(arguments_.begin() + row);
    FillArguments(std::min(row, static_cast<int>(arguments_.size()) - 1));
}

void CommandEditDialog::MoveArgument(int delta) {
    FillArguments(tools::CommandForm::MoveArgument(arguments_, argumentList_->currentRow(), delta));
}

}  // namespace orvane::app::dialogs
