// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <string>

namespace orvane::script {

// How the expression evaluator calls a device command that stands in an expression. The
// command executor sends it to the controller; tests answer it without a port.
class CommandCaller {
public:
    virtual ~CommandCaller() = default;
    // The value of the call (`callText` ends in ";"): 0 for a command without result bytes or
    // one the user chose to pass over; nothing when the user chose to stop.
    virtual std::optional<double> CallInExpression(const std::string& callText) = 0;
};

}  // namespace orvane::script
