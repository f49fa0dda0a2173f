#pragma once
#include <memory>
#include <optional>

#include <QDialog>

#include "core/compiler/AsmSourceMap.h"

class QLabel;
class QPlainTextEdit;

namespace orvane::app::compile {

// The assembler's report: read-only, monospace, its error and warning lines marked. A double
// click on a line that names a place in the generated assembler file leads to the statement of
// the script that produced it.
class ReportWindow : public QDialog {
    Q_OBJECT
public:
    ReportWindow(QWidget* parent, std::shared_ptr<const orvane::compiler::AsmSourceMap> map);

    // The report file (its path as the system spells it); false when it cannot be read, and the
    // window says so.
    bool Load(const QString& path);
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
    bool IsGeneratedFile(const std::string& reportedPath) const;
    void Choose(int line);

    std::shared_ptr<const orvane::compiler::AsmSourceMap> map_;
    QString folder_;  // where the assembler ran: relative paths in the report start there
    QPlainTextEdit* text_;
    QLabel* hint_;
};

}  // namespace orvane::app::compile
