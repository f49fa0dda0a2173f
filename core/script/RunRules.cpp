// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/script/RunRules.h"

namespace orvane::script {

using device::DeviceMode;

// A continuous run already in commands mode has nothing to start; a halted one may go on.
bool RunRules::CanStart(bool hasText, DeviceMode mode, RunCommand last) {
    return hasText && (mode == DeviceMode::System || mode == DeviceMode::Program ||
                       (mode == DeviceMode::Komendy && last != RunCommand::Start));
}

bool RunRules::CanStep(bool hasText, DeviceMode mode) {
    return hasText && (mode == DeviceMode::System || mode == DeviceMode::Komendy ||
                       mode == DeviceMode::Program);
}

bool RunRules::CanPause(bool hasText, DeviceMode mode, RunCommand last, bool editorEnabled) {
    return hasText && mode == DeviceMode::Komendy && last == RunCommand::Start && !editorEnabled;
}

bool RunRules::CanStop(bool editorEnabled) { return !editorEnabled; }

bool RunRules::CanRestart(bool hasText, DeviceMode mode, bool editorEnabled) {
    return hasText && mode == DeviceMode::Komendy && !editorEnabled;
}

}  // namespace orvane::script
