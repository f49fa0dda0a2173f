#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/commands/CommandTable.h"
#include "core/device/DeviceLink.h"
#include "core/device/SerialCtrl.h"
#include "core/host/Cp1250.h"
#include "core/host/MemorySettings.h"
#include "core/host/TextEditorAccess.h"
#include "core/script/Interpreter.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeController.h"
#include "tests/support/FakeTimers.h"
#include "tests/support/ScriptRig.h"
#include "tests/support/ScriptedPort.h"
#include "tests/support/ScriptedPrompts.h"

namespace orvane::test {

// A whole script run on a scripted wire: the controller's modes as FakeController plays them,
// command frames answered in commands mode (checksum echo, acknowledgement, result bytes), the
// editor in memory, fake timers fired by hand and a fake clock for every device wait.
struct RunRig {
    explicit RunRig(std::string script = {}) : editor(host::Utf8ToCp1250(script)) {
        wire->clock = &clock;
        serial.OpenPort(0);
        AnswerCommands();
        commands.AddNewest(MakeCommand("Ping", 'P'));
        commands.AddNewest(MakeCommand("Set", 'S', {1, 2}));
        commands.AddNewest(MakeCommand("Read", 'R', {1}, 2));
    }

    void SetScript(const std::string& utf8) { editor.SetText(host::Utf8ToCp1250(utf8)); }

    // Fires the run tick for as long as it is pending (each Wait advances the clock by its
    // period); the number of ticks fired. Other timers are left alone.
    int Ticks(int max = 100000) {
        int fired = 0;
        while (fired < max && timers.IsRunning(kTick)) {
            clock.Advance(timers.Period(kTick));
            ++fired;
            interpreter.RunTick();
        }
        return fired;
    }
    int RunToEnd(int max = 100000) {
        interpreter.Start();
        return Ticks(max);
    }

    // One tick, as the host delivers it; false when no tick was pending.
    bool Tick() {
        if (!timers.IsRunning(kTick)) return false;
        interpreter.RunTick();
        return true;
    }

    double Value(const std::string& name) const {
        const auto* entry = interpreter.State().variables.Find(name);
        return entry ? entry->value : -12345.0;
    }
    bool Has(const std::string& name) const {
        return interpreter.State().variables.Find(name) != nullptr;
    }
    std::string Selected() const {
        std::int32_t start = 0, end = 0;
        editor.GetSelection(start, end);
        return host::Cp1250ToUtf8(editor.Text().substr(static_cast<std::size_t>(start),
                                                       static_cast<std::size_t>(end - start)));
    }
    std::vector<std::string> Captions() const {
        std::vector<std::string> captions;
        for (const auto& box : prompts.Boxes()) captions.push_back(box.caption);
        return captions;
    }

    static constexpr int kTick = device::DeviceLink::kTimerRunTick;

    FakeClock clock;
    std::shared_ptr<Wire> wire = std::make_shared<Wire>();
    FakeController controller{*wire};
    ScriptedOpener opener{wire};
    ScriptedPrompts prompts;
    FakeTimers timers;
    host::MemorySettings settings;
    device::CSerialCtrl serial{opener, clock, prompts};
    device::DeviceLink link{serial, settings, prompts, timers};
    host::TextEditorAccess editor;
    commands::CommandTable commands;
    script::Interpreter interpreter{editor, link, commands, timers};

    // Command frames heard in commands mode (confirmations left out), in order.
    std::vector<std::vector<std::uint8_t>> frames;
    std::map<std::uint8_t, std::vector<std::uint8_t>> results;  // result bytes per identifier
    std::set<std::uint8_t> badEcho;                             // identifiers echoed wrongly

private:
    // Frames in commands mode are answered here; mode requests go on to the FakeController.
    void AnswerCommands() {
        auto modes = wire->responder;
        wire->responder = [this, modes](const std::vector<std::uint8_t>& bytes, Wire& w) {
            const bool modeRequest = bytes.size() == 1 && (bytes[0] == 0x00 || bytes[0] == 0xFF);
            if (controller.mode != 0xFE || controller.silent || modeRequest || bytes.empty()) {
                modes(bytes, w);
                return;
            }
            if (awaiting_ && bytes == std::vector<std::uint8_t>{0x01}) {
                w.Reply({0x01});
                const auto it = results.find(*awaiting_);
                if (it != results.end()) w.ReplyBytes(it->second);
                awaiting_.reset();
                return;
            }
            frames.push_back(bytes);
            unsigned sum = 0;
            for (const auto b : bytes) sum += b;
            if (badEcho.count(bytes[0])) ++sum;
            w.Reply({static_cast<std::uint8_t>(sum)});
            awaiting_ = bytes[0];
        };
    }
    std::optional<std::uint8_t> awaiting_;
};

}  // namespace orvane::test
