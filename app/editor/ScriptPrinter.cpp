// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/ScriptPrinter.h"

#include <Qsci/qsciprinter.h>
#include <Qsci/qsciscintilla.h>

#include "app/editor/ScriptEditor.h"

namespace orvane::app::editor {

ScriptPrinter::ScriptPrinter(const ScriptEditor& editor) : editor_(editor) {}

ScriptPrinter::~ScriptPrinter() = default;

QPrinter& ScriptPrinter::Printer(const QString& name) {
    if (!printer_) {
        printer_ = std::make_unique<QsciPrinter>();
        printer_->setPageMargins(QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch);
        printer_->setWrapMode(QsciScintilla::WrapWord);
    }
    printer_->setDocName(name);
    return *printer_;
}

void ScriptPrinter::Print(QPrinter* target) const {
    if (target == printer_.get()) printer_->printRange(editor_.Scintilla());
}

}  // namespace orvane::app::editor
