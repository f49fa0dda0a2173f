// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <optional>

#include <QDialog>

#include "core/host/FileChooser.h"
#include "core/host/Prompts.h"
#include "core/host/SettingsStore.h"
#include "core/tools/CommandListEditor.h"

class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace orvane::app::dialogs {

class CommandEditDialog;

// "Komendy": the command table as a sorted list with the description of the selected command;
// Dodaj, Edytuj (or a double click), Usuń, and Zapisz writing Komendy.ini. The dialog works on
// a copy: whatever was not saved is gone when the caller loads the file again.
class CommandsDialog : public QDialog {
    Q_OBJECT
public:
    CommandsDialog(orvane::commands::CommandTable table, orvane::host::SettingsStore& settings,
                   orvane::host::FileChooser& files, orvane::host::Prompts& prompts, QWidget* parent = nullptr);

    CommandEditDialog& EditDialog() { return *editDialog_; }
    void accept() override;

private:
    void Refill(int selectRow);
    void SelectionChanged();
    std::optional<std::size_t> SelectedRecord() const;
    void Add();
    void Edit();
    void Remove();

    tools::CommandListEditor editor_;
    orvane::host::SettingsStore& settings_;
    orvane::host::FileChooser& files_;
    orvane::host::Prompts& prompts_;
    CommandEditDialog* editDialog_;
    QListWidget* list_;
    QPlainTextEdit* description_;
    QPushButton* edit_;
    QPushButton* remove_;
};

}  // namespace orvane::app::dialogs
