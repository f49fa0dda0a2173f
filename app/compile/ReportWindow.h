// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QDialog>

#include "core/compiler/AsmSourceMap.h"
#include "core/compiler/EngineWarnings.h"

#include <QTextEdit>

class QDialogButtonBox;
class QLabel;
class QPlainTextEdit;

namespace orvane::app::compile {

// The assembler's report: read-only, monospace, its error and warning lines marked. A double
// click on a line that names a place in the generated assembler file leads to the statement of
// the script that produced it. Below it the compile's own warnings, one line each, where the run
// on the PC and the compiled program part: a double click shows the statement, "Pomoc" opens
// the page of the warning at the caret (the table of differences when the caret is on none).
class ReportWindow : public QDialog {
    Q_OBJECT
public:
    ReportWindow(QWidget* parent, std::shared_ptr<const orvane::compiler::AsmSourceMap> map);

    // The report file (its path as the system spells it); false when it cannot be read, and the
    // window says so.
    bool Load(const QString& path);
    // Lists the warnings under the report (call after Load); `help` opens a help topic by id.
    void ShowWarnings(const std::vector<orvane::compiler::EngineWarning>& warnings,
                      std::function<void(const std::string& topicId)> help);
    // The statement behind a line of the report (from 0), if it names one.
    std::optional<orvane::script::StatementSpan> StatementOfLine(int line) const;
    // The statements behind every error line, in the report's order.
    std::vector<orvane::script::StatementSpan> ErrorStatements() const;
    QString Text() const;

signals:
    void statementChosen(orvane::script::StatementSpan span);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MarkProblems();
    void MarkLine(QList<QTextEdit::ExtraSelection>& marks, int line, bool error);
    // The help page for where the caret stands.
    std::string HelpTopicAtCaret() const;
    bool IsGeneratedFile(const std::string& reportedPath) const;
    void Choose(int line);

    std::shared_ptr<const orvane::compiler::AsmSourceMap> map_;
    QString folder_;  // where the assembler ran: relative paths in the report start there
    QPlainTextEdit* text_;
    QLabel* hint_;
    QDialogButtonBox* buttons_;
    std::map<int, orvane::compiler::EngineWarning> warnings_;  // by the report's line
    std::function<void(const std::string&)> help_;
};

}  // namespace orvane::app::compile
