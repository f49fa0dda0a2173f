// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tools/CommandForm.h"

#include <algorithm>
#include <utility>

#include "core/commands/IniFile.h"
#include "core/host/Cp1250.h"
#include "core/tools/DecimalText.h"

namespace orvane::tools {

namespace {


std::int32_t Divisor(const std::string& text) { return std::max(DecimalText::Parse(text), 1); }

// What the file gives back of a text: its outer blanks never survive a reload.
std::string Stored(const std::string& text) { return std::string(commands::IniFile::TrimBlanks(text)); }

std::string TooLong(const char* field, const std::string& text) {
    const std::size_t length = Stored(text).size();
    if (length <= commands::IniFile::kValueLimit) return {};
    return host::Pl("Pole „") + host::Pl(field) + host::Pl("” ma ") + std::to_string(static_cast<std::int32_t>(length)) +
           host::Pl(" znaków, a plik komend przechowuje najwyżej ") +
           std::to_string(static_cast<std::int32_t>(commands::IniFile::kValueLimit)) + ".";
}

}  // namespace

CommandFields CommandForm::From(const commands::CommandDef& def) {
    CommandFields fields;
    fields.name = def.name;
    fields.asmName = def.asmName;
    fields.identifier = def.identifier == 0 ? std::string() : std::string(1, static_cast<char>(def.identifier));
    fields.constant = std::to_string(def.resultConstant);
    fields.multiplier = std::to_string(def.resultMultiplier);
    fields.divisor = std::to_string(def.resultDivisor);
    fields.description = def.description;
    fields.resultIndex = std::clamp(def.resultSize, 0, 2);
    const int count = std::clamp(def.argumentCount, 0, commands::CommandDef::kMaxArguments);
    fields.arguments.assign(def.arguments.begin(), def.arguments.begin() + count);
    return fields;
}

ArgumentFields CommandForm::ArgumentFrom(const commands::CommandArg& arg) {
    return {std::clamp(arg.size - 1, 0, 1), std::to_string(arg.multiplier), std::to_string(arg.divisor), std::to_string(arg.constant), arg.description};
}

commands::CommandArg CommandForm::TakeArgument(const ArgumentFields& fields) {
    return {std::clamp(fields.sizeIndex, 0, 1) + 1, DecimalText::Parse(fields.multiplier), Divisor(fields.divisor),
            DecimalText::Parse(fields.constant), Stored(fields.description)};
}

std::string CommandForm::Check(const CommandFields& fields) {
    const std::string name = Stored(fields.name);
    if (name.empty()) return host::Pl("Podaj nazwę komendy.");
    // The list of the file ends at a command of this name: it and all after it would be lost.
    if (name == "!!!") return host::Pl("Nazwa „!!!” oznacza w pliku komend koniec listy; podaj inną nazwę.");
    if (fields.identifier.size() > 1) {
        return host::Pl("Identyfikator komendy to jeden znak.");
    }
    if (fields.arguments.size() > static_cast<std::size_t>(commands::CommandDef::kMaxArguments)) {
        return TooManyArgumentsText();
    }
    for (const auto& [field, text] : {std::pair{"Komenda", &fields.name}, {"Nazwa ASM", &fields.asmName},
                                      {"Opis", &fields.description}}) {
        if (std::string reason = TooLong(field, *text); !reason.empty()) return reason;
    }
    for (const commands::CommandArg& arg : fields.arguments) {
        if (std::string reason = TooLong("Opis", arg.description); !reason.empty()) return reason;
    }
    return {};
}

commands::CommandDef CommandForm::Take(const CommandFields& fields) {
    commands::CommandDef def;
    def.name = Stored(fields.name);
    def.asmName = Stored(fields.asmName);
    def.description = Stored(fields.description);
    def.identifier = fields.identifier.empty() ? 0 : static_cast<std::uint8_t>(fields.identifier.front());
    def.resultSize = std::clamp(fields.resultIndex, 0, 2);
    def.resultConstant = DecimalText::Parse(fields.constant);
    def.resultMultiplier = DecimalText::Parse(fields.multiplier);
    def.resultDivisor = Divisor(fields.divisor);
    const auto count = std::min(fields.arguments.size(), def.arguments.size());
    def.argumentCount = static_cast<std::int32_t>(count);
    std::copy_n(fields.arguments.begin(), count, def.arguments.begin());
    return def;
}

bool CommandForm::CanAddArgument(const CommandFields& fields) {
    return fields.arguments.size() < static_cast<std::size_t>(commands::CommandDef::kMaxArguments);
}

std::string CommandForm::TooManyArgumentsText() {
    return host::Pl("Komenda może mieć najwyżej 10 argumentów.");
}

int CommandForm::MoveArgument(std::vector<commands::CommandArg>& arguments, int index, int delta) {
    const int target = index + delta;
    const int size = static_cast<int>(arguments.size());
    if (index < 0 || index >= size || target < 0 || target >= size) return index;
    std::swap(arguments[static_cast<std::size_t>(index)], arguments[static_cast<std::size_t>(target)]);
    return target;
}

}  // namespace orvane::tools
