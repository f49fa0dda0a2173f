#pragma once
#include <memory>
#include <string>

#include <QObject>

#include "app/host/EditorDisplay.h"
#include "core/compiler/AsmSourceMap.h"
#include "core/compiler/CompileDriver.h"

namespace orvane::app::shell { class MainWindow; }

namespace orvane::app::compile {

// Kompiluj (F9) from the window: the compile runs on the device thread over the text as it
// stood, so the assembler and the program write that follows never stall the window; the
// assembler's report opens in a report window the compile waits for; a translation stop and the
// lines the assembler complained about are marked in the script.
class CompileController : public QObject, public host::EditorDisplay {
    Q_OBJECT
public:
    explicit CompileController(shell::MainWindow& window);

    void Compile();
    const orvane::compiler::CompileResult& LastResult() const { return last_; }

    void ShowSelection(std::int32_t start, std::int32_t end) override;
    void ShowEnabled(bool enabled) override;
    void ShowFocus() override;
    void ShowVariableList(bool) override {}
    void ShowVariableLines(const std::vector<std::string>&) override {}

signals:
    // The compile has ended, whichever way.
    void finished();

private:
    struct Job {
        orvane::compiler::CompileResult result;
        std::shared_ptr<orvane::compiler::AsmSourceMap> map = std::make_shared<orvane::compiler::AsmSourceMap>();
    };

    void ShowReport(const std::string& path, const std::shared_ptr<const orvane::compiler::AsmSourceMap>& map);
    void ShowStatement(orvane::script::StatementSpan span);
    void MarkError(orvane::script::StatementSpan span);
    void Finish(const Job& job);

    shell::MainWindow& window_;
    orvane::compiler::CompileResult last_;
};

}  // namespace orvane::app::compile
