// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "core/commands/CommandTable.h"
#include "core/device/SerialCtrl.h"
#include "core/host/Prompts.h"
#include "core/script/StatementReader.h"
#include "core/script/VariableTable.h"

namespace orvane::script {

// What a running script works on: the run loop owns these objects and hands them to the
// evaluator and the command executor by reference. Nothing here is copied.
struct ScriptContext {
    ScriptContext(StatementReader& statementReader, VariableTable& variableTable,
                  const commands::CommandTable& commandTable, device::CSerialCtrl& port,
                  host::Prompts& boxes, int comIndex = 0)
        : reader(statementReader), variables(variableTable), commands(commandTable), serial(port),
          prompts(boxes), portIndex(comIndex) {}

    StatementReader& reader;
    VariableTable& variables;
    const commands::CommandTable& commands;
    device::CSerialCtrl& serial;
    host::Prompts& prompts;
    int portIndex;

    // Set when the user answered No in a command's box (the reader is then at the end of
    // the text): the statement being carried out is abandoned, nothing more of it is evaluated
    // or sent, and the run ends. Cleared when the next statement is started.
    bool stopped = false;
    // The "value could not be computed" box for that stop has been shown; nested calls show it
    // once.
    bool stopReported = false;
    // How deeply evaluations and command calls are nested inside the current statement.
    int nesting = 0;

    // Marks one level of nesting for its lifetime; the outermost level starts a new statement.
    class Scope {
    public:
        explicit Scope(ScriptContext& context) : context_(context) {
            if (context_.nesting++ == 0) {
                context_.stopped = false;
                context_.stopReported = false;
            }
        }
        ~Scope() { --context_.nesting; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        ScriptContext& context_;
    };
};

}  // namespace orvane::script
