// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <QObject>

#include "app/simulate/SimulationRun.h"

class QWidget;

namespace orvane::host {
class FileChooser;
class Prompts;
}
namespace orvane::app::compile { class CompileController; }
namespace orvane::app::editor { class ScriptEditor; }
namespace orvane::app::run { class VariableDock; }
namespace orvane::app::servo { class ServoView; }
namespace orvane::app::window {
class CommandBoard;
class DockArea;
class StatusLine;
}

namespace orvane::app::simulate {

class TimelineDock;

// "Symuluj" from the window: the script is compiled (without writing anything to a controller)
// and the program runs on the simulated chip on a thread of its own, at the pace chosen in the
// "Przebieg serw" dock, until it ends, faults or Stop. The servos it moves show in the "Serwa"
// dock and on the timeline as they move; the variables' final values go to the "Zmienne" dock.
class SimulateController : public QObject {
    Q_OBJECT
public:
    // What a simulation needs of the window: the commands, the status line and the place of
    // its dock; the compile and the editor its faults lead back to; the "Serwa" view and the "Zmienne" dock it shows in; the file
    // dialogs and boxes of its exports and faults; its dock's parent.
    struct Parts {
        window::CommandBoard& commands;
        window::StatusLine& status;
        window::DockArea& docks;
        compile::CompileController& compiles;
        editor::ScriptEditor& editor;
        servo::ServoView& servos;
        run::VariableDock& variables;
        orvane::host::FileChooser& files;
        orvane::host::Prompts& prompts;
        QWidget* parent;
    };

    explicit SimulateController(const Parts& parts);
    ~SimulateController() override;

    void Simulate();
    void Stop();
    bool Running() const { return run_ != nullptr; }
    TimelineDock& Dock() { return *dock_; }

signals:
    // A simulation began or ended (the window's rules follow it).
    void runningChanged(bool running);

private:
    void Start(const std::string& hexPath);
    void Progressed(const std::vector<simchip::ServoMove>& moves, std::int64_t nowUs);
    void Ended(const SimulationRun::End& end);
    // Marks and selects the statement a fault lies in; its line for the box, or empty.
    QString ShowFaultStatement(const SimulationRun::End& end);

    Parts parts_;
    TimelineDock* dock_;
    std::unique_ptr<SimulationRun> run_;
    std::string objectPath_;  // the assembler's object file of the program running
    bool compiling_ = false;
    bool stopped_ = false;
};

}  // namespace orvane::app::simulate
