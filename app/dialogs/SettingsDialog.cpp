// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/SettingsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/dialogs/DialogText.h"

namespace orvane::app::dialogs {

SettingsDialog::SettingsDialog(orvane::host::SettingsStore& settings, std::string defaultCommandFile, QWidget* parent)
    : QDialog(parent), settings_(settings), defaultCommandFile_(std::move(defaultCommandFile)), prompts_(this),
      files_(this) {
    setObjectName(QStringLiteral("settingsDialog"));
    setWindowTitle(QStringLiteral("Ustawienia"));
    BuildControls();
}

SettingsDialog::~SettingsDialog() = default;

void SettingsDialog::BuildControls() {
    commandFile_ = new QLineEdit(this);
    commandFile_->setObjectName(QStringLiteral("commandFile"));
    commandFile_->setMinimumWidth(340);
    auto* browse = new QToolButton(this);
    browse->setObjectName(QStringLiteral("browseCommandFile"));
    browse->setText(QStringLiteral(">"));
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(new QLabel(QStringLiteral("Plik komend"), this));
    fileRow->addWidget(commandFile_, 1);
    fileRow->addWidget(browse);

    for (std::size_t i = 0; i < commands_.size(); ++i) {
        commands_[i] = new QComboBox(this);
        commands_[i]->setObjectName(QStringLiteral("command%1").arg(i));
        commands_[i]->setEditable(true);
        commands_[i]->setInsertPolicy(QComboBox::NoInsert);
        commands_[i]->setMinimumContentsLength(12);
    }
    auto* names = new QGridLayout;
    const char* headings[] = {"Komendy ustalające pozycję serwomechanizmów:", "Komendy odczytujące pozycję serwomechanizmów:"};
    for (int row = 0; row < 2; ++row) {
        names->addWidget(new QLabel(QString::fromUtf8(headings[row]), this), row * 2, 0, 1, 4);
        names->addWidget(new QLabel(QStringLiteral("W milisekundach:"), this), row * 2 + 1, 0);
        names->addWidget(commands_[static_cast<std::size_t>(row * 2)], row * 2 + 1, 1);
        names->addWidget(new QLabel(QStringLiteral("W stopniach:"), this), row * 2 + 1, 2);
        names->addWidget(commands_[static_cast<std::size_t>(row * 2 + 1)], row * 2 + 1, 3);
    }

    auto* check = new QGridLayout;
    const char* checkTexts[] = {"Gdy odpowiada.", "Gdy nie odpowiada"};
    for (std::size_t i = 0; i < checks_.size(); ++i) {
        checks_[i] = new QCheckBox(QString::fromUtf8(checkTexts[i]), this);
        checks_[i]->setObjectName(QStringLiteral("check%1").arg(i));
        intervals_[i] = new QLineEdit(this);
        intervals_[i]->setObjectName(QStringLiteral("interval%1").arg(i));
        intervals_[i]->setMaximumWidth(70);
        const int row = static_cast<int>(i);
        check->addWidget(checks_[i], row, 0);
        check->addWidget(new QLabel(QStringLiteral("Co:"), this), row, 1);
        check->addWidget(intervals_[i], row, 2);
        check->addWidget(new QLabel(QStringLiteral("sek."), this), row, 3);
        QLineEdit* edit = intervals_[i];
        connect(checks_[i], &QCheckBox::toggled, edit, &QLineEdit::setEnabled);
    }
    check->setColumnStretch(4, 1);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Anuluj"), QDialogButtonBox::RejectRole);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fileRow);
    layout->addSpacing(6);
    layout->addLayout(names);
    layout->addSpacing(6);
    layout->addLayout(check);
    layout->addWidget(buttons);

    connect(browse, &QToolButton::clicked, this, &SettingsDialog::Browse);
    connect(buttons, &QDialogButtonBox::accepted, this, &SettingsDialog::Accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void SettingsDialog::Present(const tools::SettingsValues& values) {
    shown_ = values;
    commandFile_->setText(FromCp1250(values.commandFile));
    for (std::size_t i = 0; i < commands_.size(); ++i) {
        QComboBox* box = commands_[i];
        box->clear();
        for (const std::string& name : values.commands[i].names) box->addItem(FromCp1250(name));
        box->setCurrentIndex(values.commands[i].selected);
        if (values.commands[i].selected < 0) box->setEditText(QString());
    }
    for (std::size_t i = 0; i < checks_.size(); ++i) {
        checks_[i]->setChecked(values.intervals[i].checked);
        intervals_[i]->setText(FromCp1250(values.intervals[i].text));
        intervals_[i]->setEnabled(values.intervals[i].checked);
    }
}

tools::SettingsValues SettingsDialog::Values() const {
    tools::SettingsValues values = shown_;
    values.commandFile = ToCp1250(commandFile_->text());
    for (std::size_t i = 0; i < commands_.size(); ++i) values.commandTexts[i] = ToCp1250(commands_[i]->currentText());
    for (std::size_t i = 0; i < checks_.size(); ++i) {
        values.intervals[i] = {checks_[i]->isChecked(), ToCp1250(intervals_[i]->text())};
    }
    return values;
}

void SettingsDialog::Prepare(const std::string& names, const commands::CommandTable& commands) {
    form_ = std::make_unique<tools::SettingsForm>(settings_, prompts_, commands, defaultCommandFile_);
    Present(form_->Open(names));
}

bool SettingsDialog::Run(const std::string& names, const commands::CommandTable& commands) {
    Prepare(names, commands);
    commandFile_->setFocus();
    const bool ok = exec() == QDialog::Accepted;
    form_.reset();
    return ok;
}

void SettingsDialog::Browse() {
    if (const auto chosen = files_.ChooseSave(tools::SettingsForm::BrowseRequest(ToCp1250(commandFile_->text())))) {
        commandFile_->setText(FromCp1250(*chosen));
    }
}

void SettingsDialog::Accept() {
    if (!AcceptablePath(commandFile_)) return;
    int bad = -1;
    if (form_ && form_->Accept(Values(), &bad)) {
        accept();
        return;
    }
    if (bad == 0) commandFile_->setFocus();
    if (bad > 0) {
        intervals_[static_cast<std::size_t>(bad - 1)]->setFocus();
        intervals_[static_cast<std::size_t>(bad - 1)]->selectAll();
    }
}

}  // namespace orvane::app::dialogs
