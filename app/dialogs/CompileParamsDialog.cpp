// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/CompileParamsDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/dialogs/DialogText.h"

namespace orvane::app::dialogs {

using Form = tools::CompileParamsForm;

CompileParamsDialog::CompileParamsDialog(orvane::host::SettingsStore& settings, std::string programFolder,
                                         QWidget* parent)
    : QDialog(parent), form_(settings, std::move(programFolder)), files_(this) {
    setObjectName(QStringLiteral("compileParamsDialog"));
    setWindowTitle(QStringLiteral("Parametry kompilacji"));
    const struct {
        const char* group;
        Form::Field first;
    } groups[] = {{"Pliki parametrów programu", Form::kMemory}, {"Parametry kompilacji (Atmel)", Form::kAssembler}};
    const char* labels[] = {"Plik pamięci", "Plik konfiguracji", "Kompilator", "Katalog Appnotes"};
    auto* layout = new QVBoxLayout(this);
    for (const auto& group : groups) {
        auto* box = new QGroupBox(QString::fromUtf8(group.group), this);
        auto* grid = new QGridLayout(box);
        for (int row = 0; row < 2; ++row) {
            const auto field = static_cast<Form::Field>(group.first + row);
            QLineEdit*& edit = edits_[static_cast<std::size_t>(field)];
            edit = new QLineEdit(box);
            edit->setObjectName(QStringLiteral("path%1").arg(field));
            edit->setMinimumWidth(380);
            auto* browse = new QToolButton(box);
            browse->setObjectName(QStringLiteral("browse%1").arg(field));
            browse->setText(QStringLiteral(">>"));
            grid->addWidget(new QLabel(QString::fromUtf8(labels[field]), box), row, 0);
            grid->addWidget(edit, row, 1);
            grid->addWidget(browse, row, 2);
            connect(browse, &QToolButton::clicked, this, [this, field] { Browse(field); });
        }
        layout->addWidget(box);
    }
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Anuluj"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CompileParamsDialog::Accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CompileParamsDialog::Present(const Form::Paths& paths) {
    for (std::size_t i = 0; i < edits_.size(); ++i) edits_[i]->setText(FromCp1250(paths[i]));
}

Form::Paths CompileParamsDialog::Paths() const {
    Form::Paths paths;
    for (std::size_t i = 0; i < edits_.size(); ++i) paths[i] = ToCp1250(edits_[i]->text());
    return paths;
}

void CompileParamsDialog::Prepare() { Present(form_.Open()); }

bool CompileParamsDialog::Run() {
    Prepare();
    return exec() == QDialog::Accepted;
}

void CompileParamsDialog::Browse(Form::Field field) {
    Form::Paths paths = Paths();
    form_.Browse(field, paths, files_);
    Present(paths);
}

void CompileParamsDialog::Accept() {
    for (QLineEdit* edit : edits_) {
        if (!AcceptablePath(edit)) return;
    }
    form_.Accept(Paths());
    accept();
}

}  // namespace orvane::app::dialogs
