#include "core/script/RunRules.h"

#include "core/device/ModeReply.h"

namespace orvane::script {

using device::ModeReply;

// A continuous run already in commands mode has nothing to start; a halted one may go on.
bool RunRules::CanStart(bool hasText, std::string_view mode, std::string_view runCommand) {
    return hasText && (mode == ModeReply::kSystem || mode == ModeReply::kProgram ||
                       (mode == ModeReply::kKomendy && runCommand != kStart));
}

bool RunRules::CanStep(bool hasText, std::string_view mode) {
    return hasText && (mode == ModeReply::kSystem || mode == ModeReply::kKomendy ||
                       mode == ModeReply::kProgram);
}

bool RunRules::CanPause(bool hasText, std::string_view mode, std::string_view runCommand,
                        bool editorEnabled) {
    return hasText && mode == ModeReply::kKomendy && runCommand == kStart && !editorEnabled;
}

bool RunRules::CanStop(bool editorEnabled) { return !editorEnabled; }

bool RunRules::CanRestart(bool hasText, std::string_view mode, bool editorEnabled) {
    return hasText && mode == ModeReply::kKomendy && !editorEnabled;
}

}  // namespace orvane::script
