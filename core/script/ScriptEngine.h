// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "core/script/CommandExecutor.h"
#include "core/script/ExpressionEvaluator.h"
#include "core/script/ScriptContext.h"

namespace orvane::script {

// The evaluator and the command executor of one script context, wired to each other: the
// evaluator calls commands through the executor, and the executor evaluates arguments with the
// evaluator.
class ScriptEngine {
public:
    explicit ScriptEngine(ScriptContext& context)
        : executor_(context, evaluator_), evaluator_(context, executor_) {}
    ScriptEngine(const ScriptEngine&) = delete;
    ScriptEngine& operator=(const ScriptEngine&) = delete;

    ExpressionEvaluator& Evaluator() { return evaluator_; }
    CommandExecutor& Executor() { return executor_; }

private:
    CommandExecutor executor_;  // holds a reference to evaluator_, used only after construction
    ExpressionEvaluator evaluator_;
};

}  // namespace orvane::script
