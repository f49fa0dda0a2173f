// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <memory>
#include <string>

#include <QObject>

#include "app/host/EditorDisplay.h"
#include "core/compiler/AsmSourceMap.h"
#include "core/compiler/CompileDriver.h"

class QWidget;

namespace orvane::app::device { class DeviceThread; }
namespace orvane::app::document { class ScriptDocument; }
namespace orvane::app::editor {
class EditorHolds;
class ScriptEditor;
}
namespace orvane::app::host {
class QtProgress;
class QtPrompts;
}
namespace orvane::app::window {
class CommandBoard;
class StatusLine;
}

namespace orvane::app::compile {

// Kompiluj (F9) from the window: the compile runs on the device thread over the text as it
// stood, so the assembler and the program write that follows never stall the window; the
// assembler's report opens in a report window the compile waits for; a translation stop and the
// lines the assembler complained about are marked in the script.
class CompileController : public QObject, public host::EditorDisplay {
    Q_OBJECT
public:
    // What a compile needs of the window: the command, the status line, the editor with the hold
    // on it, the document it may save, the device thread it runs on, the boxes and the progress
    // of the program write; the report window opens over `parent`.
    struct Parts {
        window::CommandBoard& commands;
        window::StatusLine& status;
        editor::ScriptEditor& editor;
        editor::EditorHolds& holds;
        document::ScriptDocument& document;
        device::DeviceThread& device;
        host::QtPrompts& prompts;
        host::QtProgress& progress;
        QWidget* parent;
        // Opens a help topic by id over the report (its warnings link there); empty: no help.
        std::function<void(const std::string& topicId)> help = {};
    };

    explicit CompileController(const Parts& parts);

    void Compile();
    // The same compile without the program write; `done` hears how it ended.
    void CompileWithoutWrite(std::function<void(const orvane::compiler::CompileResult&)> done);
    const orvane::compiler::CompileResult& LastResult() const { return last_; }
    // Which statement each line of the last compile's assembler file came from.
    std::shared_ptr<const orvane::compiler::AsmSourceMap> LastMap() const { return lastMap_; }

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
        bool write = true;
        std::function<void(const orvane::compiler::CompileResult&)> done;
        orvane::compiler::CompileResult result;
        std::shared_ptr<orvane::compiler::AsmSourceMap> map = std::make_shared<orvane::compiler::AsmSourceMap>();
        std::vector<orvane::compiler::EngineWarning> warnings;  // heard before the assembler ran
    };

    void Start(bool write, std::function<void(const orvane::compiler::CompileResult&)> done);
    void ShowReport(const std::string& path, const Job& job);
    void ShowStatement(orvane::script::StatementSpan span);
    void MarkError(orvane::script::StatementSpan span);
    void Finish(const Job& job);

    Parts parts_;
    orvane::compiler::CompileResult last_;
    std::shared_ptr<const orvane::compiler::AsmSourceMap> lastMap_;
};

}  // namespace orvane::app::compile
