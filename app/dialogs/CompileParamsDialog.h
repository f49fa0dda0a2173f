// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <string>

#include <QDialog>

#include "app/host/QtFileChooser.h"
#include "core/tools/CompileParamsForm.h"

class QLineEdit;

namespace orvane::app::dialogs {

// "Parametry kompilacji": the memory definitions and configuration files, the assembler and its
// include folder, as the compile reads them; stored only on OK.
class CompileParamsDialog : public QDialog {
    Q_OBJECT
public:
    CompileParamsDialog(orvane::host::SettingsStore& settings, std::string programFolder, QWidget* parent = nullptr);

    // Opens with the values the compile uses now; true after OK, which has stored them.
    bool Run();
    void Prepare();

private:
    void Present(const tools::CompileParamsForm::Paths& paths);
    tools::CompileParamsForm::Paths Paths() const;
    void Browse(tools::CompileParamsForm::Field field);
    void Accept();

    tools::CompileParamsForm form_;
    host::QtFileChooser files_;
    std::array<QLineEdit*, 4> edits_{};
};

}  // namespace orvane::app::dialogs
