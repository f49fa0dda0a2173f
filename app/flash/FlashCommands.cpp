// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/flash/FlashCommands.h"

#include <memory>

#include "app/device/DeviceThread.h"
#include "app/host/QtProgress.h"
#include "app/window/CommandBoard.h"
#include "app/window/StatusLine.h"

namespace orvane::app::flash {

namespace {
using orvane::device::FlashResult;
using Kind = orvane::device::FlashArea::Kind;
using host::FlashTask;
using window::CommandId;

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

FlashCommands::FlashCommands(const Parts& parts, QObject* parent) : QObject(parent), parts_(parts) {
    // A Cancel ends the wait for the controller at once, not when it times out.
    parts.progress.Offer().UseBreaker(parts.device.Breaker());
    Connect(CommandId::ProgramWrite, FlashTask::Write, Kind::Program);
    Connect(CommandId::ProgramRead, FlashTask::ReadOut, Kind::Program);
    Connect(CommandId::ProgramErase, FlashTask::Erase, Kind::Program);
    Connect(CommandId::SystemWrite, FlashTask::Write, Kind::System);
    Connect(CommandId::SystemRead, FlashTask::ReadOut, Kind::System);
    Connect(CommandId::SystemErase, FlashTask::Erase, Kind::System);
    parts.commands.SetHandler(CommandId::SystemVersion, [this] {
        parts_.device.Post([](device::DeviceSession& session) { session.Flash().Version(); });
    });
}

void FlashCommands::Connect(CommandId id, FlashTask task, Kind area) {
    parts_.commands.SetHandler(id, [this, task, area] { Start(task, area); });
}

void FlashCommands::Start(FlashTask task, Kind area) {
    parts_.progress.Expect(task, area);
    auto result = std::make_shared<FlashResult>(FlashResult::Failed);
    parts_.device.Post(
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
    if (result == FlashResult::Done) parts_.status.ShowMessage(DoneText(task, area), 10000);
    if (result == FlashResult::Cancelled) parts_.status.ShowMessage(QStringLiteral("Operację przerwano."), 10000);
    emit finished(result);
}

}  // namespace orvane::app::flash
