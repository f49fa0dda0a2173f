#pragma once
#include <string>

namespace orvane::device {

// Told of every mode reply the link applies: the window's mode pane shows " Tryb: " and the
// name, the CLI prints it. `commandId` is the frame command of the mode (32781 to 32785).
class ModeObserver {
public:
    virtual ~ModeObserver() = default;
    virtual void ModeApplied(int commandId, const std::string& mode) = 0;
};

}  // namespace orvane::device
