#include "app/flash/FlashCommands.h"

#include <memory>

#include <QStatusBar>

#include "app/host/QtProgress.h"
#include "app/shell/MainWindow.h"

namespace orvane::app::flash {

namespace {
using orvane::device::FlashResult;
using Kind = orvane::device::FlashArea::Kind;
using shell::CommandId;

QString DoneText(FlashTask task, Kind area) {
    const bool program = area == Kind::Program;
    switch (task) {
        case FlashTask::Write: return program ? QStringLiteral("Program zapisany do sterownika.")
                                              : QStringLiteral("System zapisany do sterownika.");
        case FlashTask::ReadOut: return program ? QStringLiteral("Program odczytany ze sterownika.")
                                                : QStringLiteral("System odczytany ze sterownika.");
        case FlashTask::Erase: break;
    }
    return program ? QStringLiteral("Program skasowany.") : QStringLiteral("System skasowany.");
}
}  // namespace

FlashCommands::FlashCommands(shell::MainWindow& window) : QObject(&window), window_(window) {
    Connect(CommandId::ProgramWrite, FlashTask::Write, Kind::Program);
    Connect(CommandId::ProgramRead, FlashTask::ReadOut, Kind::Program);
    Connect(CommandId::ProgramErase, FlashTask::Erase, Kind::Program);
    Connect(CommandId::SystemWrite, FlashTask::Write, Kind::System);
    Connect(CommandId::SystemRead, FlashTask::ReadOut, Kind::System);
    Connect(CommandId::SystemErase, FlashTask::Erase, Kind::System);
    window.SetHandler(CommandId::SystemVersion, [this] {
        window_.Device().Post([](device::DeviceSession& session) { session.Flash().Version(); });
    });
}

void FlashCommands::Connect(CommandId id, FlashTask task, Kind area) {
    window_.SetHandler(id, [this, task, area] { Start(task, area); });
}

void FlashCommands::Start(FlashTask task, Kind area) {
    window_.Progress().Expect(task, area);
    auto result = std::make_shared<FlashResult>(FlashResult::Failed);
    window_.Device().Post(
        [task, area, result](device::DeviceSession& session) {
            orvane::device::FlashOperations& flash = session.Flash();
            switch (task) {
                case FlashTask::Write: *result = flash.Write(area); break;
                case FlashTask::ReadOut: *result = flash.ReadOut(area); break;
                case FlashTask::Erase: *result = flash.Erase(area); break;
            }
        },
        [this, task, area, result] { Report(task, area, *result); });
}

// Failures said why in their own box; the status bar tells what became of the rest.
void FlashCommands::Report(FlashTask task, Kind area, FlashResult result) {
    if (result == FlashResult::Done) window_.statusBar()->showMessage(DoneText(task, area), 10000);
    if (result == FlashResult::Cancelled) window_.statusBar()->showMessage(QStringLiteral("Operację przerwano."), 10000);
    emit finished(result);
}

}  // namespace orvane::app::flash
