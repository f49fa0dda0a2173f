// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <ostream>

#include "core/commands/CommandDef.h"

namespace orvane::commands {

// A failed comparison of commands prints their fields, not their bytes.
inline void PrintTo(const CommandArg& a, std::ostream* os) {
    *os << "{" << a.size << "B *" << a.multiplier << "/" << a.divisor << "+" << a.constant << " \""
        << a.description << "\"}";
}

inline void PrintTo(const CommandDef& d, std::ostream* os) {
    *os << d.name << " asm=" << d.asmName << " id=" << int(d.identifier) << " result=" << d.resultSize
        << "B (X-" << d.resultConstant << ")*" << d.resultMultiplier << "/" << d.resultDivisor << " \""
        << d.description << "\" args=[";
    for (int i = 0; i < d.argumentCount && i < CommandDef::kMaxArguments; ++i) {
        PrintTo(d.arguments[static_cast<std::size_t>(i)], os);
    }
    *os << "]";
}

}  // namespace orvane::commands
