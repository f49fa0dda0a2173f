// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>

class QPrinter;
class QsciPrinter;
class QString;

namespace orvane::app::editor {

class ScriptEditor;

// The script on paper: one printer for the session, so the page setup lasts, with half an inch
// of margin on every side and long lines wrapped at words.
class ScriptPrinter {
public:
    explicit ScriptPrinter(const ScriptEditor& editor);
    ~ScriptPrinter();

    // The printer, its document named `name`.
    QPrinter& Printer(const QString& name);
    // The whole script on this printer (a preview hands it back as `target`).
    void Print(QPrinter* target) const;

private:
    const ScriptEditor& editor_;
    std::unique_ptr<QsciPrinter> printer_;
};

}  // namespace orvane::app::editor
