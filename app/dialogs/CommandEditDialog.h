// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <string>

#include <QDialog>

#include "core/host/Prompts.h"
#include "core/tools/CommandForm.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace orvane::app::dialogs {

class ArgumentDialog;

// "Komenda": one command's names, identifier, result scaling and argument list. OK keeps
// the dialog open with a box while the fields cannot be stored (CommandForm::Check and the
// list's own check, such as a name already in use).
class CommandEditDialog : public QDialog {
    Q_OBJECT
public:
    // Why fields cannot be stored, beyond the form's own checks; empty when they can.
    using Check = std::function<std::string(const tools::CommandFields&)>;

    CommandEditDialog(orvane::host::Prompts& prompts, QWidget* parent = nullptr);

    // Shows `fields`; true after OK, with `fields` as the user left them.
    bool Edit(tools::CommandFields& fields, Check check);

    void SetFields(const tools::CommandFields& fields);
    tools::CommandFields Fields() const;
    void accept() override;

private:
    QWidget* BuildResultBox();
    QWidget* BuildArgumentBox();
    void UpdateResultEdits();
    void FillArguments(int select);
    void UpdateArgumentButtons();
    void AddArgument();
    void EditArgument();
    void RemoveArgument();
    void MoveArgument(int delta);

    orvane::host::Prompts& prompts_;
    Check check_;
    std::vector<orvane::commands::CommandArg> arguments_;
    ArgumentDialog* argumentDialog_;
    QLineEdit* name_;
    QLineEdit* asmName_;
    QLineEdit* identifier_;
    QLineEdit* description_;
    QComboBox* result_;
    QLineEdit* constant_;
    QLineEdit* multiplier_;
    QLineEdit* divisor_;
    QListWidget* argumentList_;
    QPushButton* add_;
    QPushButton* edit_;
    QPushButton* remove_;
    QPushButton* up_;
    QPushButton* down_;
};

}  // namespace orvane::app::dialogs
