// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>

#include <QDialog>

#include "core/tools/CommandForm.h"

class QComboBox;
class QLineEdit;

namespace orvane::app::dialogs {

// "Argument": the size, scaling and description of one argument of a command.
class ArgumentDialog : public QDialog {
    Q_OBJECT
public:
    explicit ArgumentDialog(QWidget* parent = nullptr);

    void SetFields(const tools::ArgumentFields& fields);
    tools::ArgumentFields Fields() const;
    // Shows the fields and returns them as the user left them, or nothing after "Anuluj".
    std::optional<tools::ArgumentFields> Edit(const tools::ArgumentFields& fields);

private:
    QComboBox* size_;
    QLineEdit* multiplier_;
    QLineEdit* divisor_;
    QLineEdit* constant_;
    QLineEdit* description_;
};

}  // namespace orvane::app::dialogs
