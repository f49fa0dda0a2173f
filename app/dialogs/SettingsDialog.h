// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <memory>
#include <string>

#include <QDialog>

#include "app/host/QtFileChooser.h"
#include "app/host/QtPrompts.h"
#include "core/tools/SettingsForm.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace orvane::app::dialogs {

// "Ustawienia": the command file, the four servo command names and the two intervals of the
// state check, as tools::SettingsForm reads and stores them.
class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    // `defaultCommandFile`: where the command file is looked for when none is stored (CP1250).
    SettingsDialog(orvane::host::SettingsStore& settings, std::string defaultCommandFile, QWidget* parent = nullptr);
    ~SettingsDialog() override;

    // Opens with the names list ("A;B;") of `commands`, the table loaded now; true after OK,
    // which has stored the values.
    bool Run(const std::string& names, const commands::CommandTable& commands);
    // Fills the controls from the settings without running (what Run shows first).
    void Prepare(const std::string& names, const commands::CommandTable& commands);
    tools::SettingsValues Values() const;

private:
    void BuildControls();
    void Present(const tools::SettingsValues& values);
    void Browse();
    void Accept();

    orvane::host::SettingsStore& settings_;
    std::string defaultCommandFile_;
    host::QtPrompts prompts_;
    host::QtFileChooser files_;
    std::unique_ptr<tools::SettingsForm> form_;
    tools::SettingsValues shown_;

    QLineEdit* commandFile_ = nullptr;
    std::array<QComboBox*, 4> commands_{};
    std::array<QCheckBox*, 2> checks_{};
    std::array<QLineEdit*, 2> intervals_{};
};

}  // namespace orvane::app::dialogs
