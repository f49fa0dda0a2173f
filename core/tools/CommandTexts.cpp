// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tools/CommandTexts.h"

#include <algorithm>

#include "core/host/Cp1250.h"

namespace orvane::tools {

namespace {

std::string Num(std::int32_t value) { return std::to_string(value); }

// The identifier as its one character; 0 has none.
std::string IdentifierText(std::uint8_t id) { return id == 0 ? std::string() : std::string(1, static_cast<char>(id)); }

int UsedArguments(const commands::CommandDef& def) {
    return std::clamp(def.argumentCount, 0, commands::CommandDef::kMaxArguments);
}

const commands::CommandArg& Arg(const commands::CommandDef& def, int k) { return def.arguments[static_cast<std::size_t>(k)]; }

}  // namespace

std::string CommandTexts::ListLine(const commands::CommandDef& def) {
    std::string line = def.name + "(";
    for (int k = 0; k < UsedArguments(def); ++k) {
        line += (k == 0 ? "A1:" : ",A" + Num(k + 1) + ":") + Num(Arg(def, k).size);
    }
    return line + (def.resultSize > 0 ? "):" + Num(def.resultSize) : ")");
}

std::string CommandTexts::Description(const commands::CommandDef& def) {
    std::string text = def.description + "\n\nNazwa:\t\t\t" + def.name + "\nKomenda ASM:\t\t" + def.asmName +
                       "\nIdentyfikator:\t\t" + IdentifierText(def.identifier);
    if (def.resultSize < 1) {
        text += host::Pl("\nWartość zwracana:\tBRAK");
    } else {
        text += host::Pl("\nWartość zwracana:\t") + Num(def.resultSize) + "b ((X-" + Num(def.resultConstant) + ")*" +
                Num(def.resultMultiplier) + "/" + Num(def.resultDivisor) + ")";
    }
    const int count = UsedArguments(def);
    text += count == 0 ? std::string("\nArgumenty:\t\tBRAK") : "\nArgumenty:\t\t" + Num(count);
    for (int k = 0; k < count; ++k) {
        const commands::CommandArg& arg = Arg(def, k);
        text += "\n\t" + Num(k + 1) + ") " + arg.description + " [" + Num(arg.size) + "b] (*" + Num(arg.multiplier) +
                "/" + Num(arg.divisor) + "+" + Num(arg.constant) + ")";
    }
    return text;
}

std::string CommandTexts::ArgumentLine(int n, const commands::CommandArg& arg) {
    return "A" + Num(n) + ": " + arg.description + " [" + Num(arg.size) + "B] (*" + Num(arg.multiplier) + "/" +
           Num(arg.divisor) + "+" + Num(arg.constant) + ")";
}

}  // namespace orvane::tools
