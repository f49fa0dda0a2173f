#pragma once
#include <QObject>

#include "app/flash/FlashSteps.h"
#include "app/shell/CommandIds.h"
#include "core/device/FlashOperations.h"

namespace orvane::app::shell { class MainWindow; }

namespace orvane::app::flash {

// The "Program" and "System" submenus of "&Wykonaj": write, read out, erase and the System's
// version, each carried out on the device thread with its progress in the window.
class FlashCommands : public QObject {
    Q_OBJECT
public:
    explicit FlashCommands(shell::MainWindow& window);

signals:
    // An operation has ended, whichever way.
    void finished(orvane::device::FlashResult result);

private:
    void Connect(shell::CommandId id, FlashTask task, orvane::device::FlashArea::Kind area);
    void Start(FlashTask task, orvane::device::FlashArea::Kind area);
    void Report(FlashTask task, orvane::device::FlashArea::Kind area, orvane::device::FlashResult result);

    shell::MainWindow& window_;
};

}  // namespace orvane::app::flash
