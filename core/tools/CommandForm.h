// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "core/commands/CommandDef.h"

namespace orvane::tools {

// The "Argument" dialog's fields as typed (CP1250): size index 0 "1 Bajt", 1 "2 Bajty".
struct ArgumentFields {
    int sizeIndex = 0;
    std::string multiplier = "1";
    std::string divisor = "1";
    std::string constant = "0";
    std::string description;
};

// The "Komenda" dialog's fields as typed (CP1250), with its working list of arguments.
struct CommandFields {
    std::string name;
    std::string asmName;
    std::string identifier;
    std::string constant = "0";
    std::string multiplier = "1";
    std::string divisor = "1";
    std::string description;
    int resultIndex = 0;  // 0 "BRAK", 1 "1 BAJT", 2 "2 BAJTY"
    std::vector<commands::CommandArg> arguments;
};

// Between a command (or argument) and the fields of its edit dialog. Numbers are read as
// decimal text (no number gives 0) and a divisor below 1 is stored as 1. What the command file
// could not give back is refused with a reason instead of being lost on the next load.
class CommandForm {
public:
    static CommandFields From(const commands::CommandDef& def);
    static ArgumentFields ArgumentFrom(const commands::CommandArg& arg);
    static commands::CommandArg TakeArgument(const ArgumentFields& fields);

    // Why the fields cannot become a command (CP1250, for a box), or empty when they can.
    static std::string Check(const CommandFields& fields);
    static commands::CommandDef Take(const CommandFields& fields);

    // The record holds ten arguments: an eleventh is refused before it is typed in.
    static bool CanAddArgument(const CommandFields& fields);
    static std::string TooManyArgumentsText();
    // Swaps argument `index` with its neighbour `delta` (+1 down, -1 up); the index it moved
    // to, or `index` when there is no such neighbour.
    static int MoveArgument(std::vector<commands::CommandArg>& arguments, int index, int delta);
};

}  // namespace orvane::tools
