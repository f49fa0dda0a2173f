// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/commands/CommandTable.h"
#include "core/host/Cp1250.h"
#include "core/platform/TextEditorAccess.h"
#include "core/script/Interpreter.h"
#include "tests/support/DeviceRig.h"
#include "tests/support/FakeController.h"
#include "tests/support/ScriptRig.h"

namespace orvane::test {

// A whole script run on a scripted wire: FakeController plays the modes, command frames in
// commands mode are answered here (echo, acknowledgement, result bytes), timers are fired by
// hand and every device wait passes on the fake clock. Scripts are given in UTF-8.
struct RunRig : DeviceRig, CommandAnswers {
    explicit RunRig(const std::string& script = {}) : editor(host::Utf8ToCp1250(script)) {
        serial.OpenPort(0);
        AnswerCommands();
        commands.AddNewest(MakeCommand("Ping", 'P'));
        commands.AddNewest(MakeCommand("Set", 'S', {1, 2}));
        commands.AddNewest(MakeCommand("Read", 'R', {1}, 2));
    }

    void SetScript(const std::string& utf8) { editor.SetText(host::Utf8ToCp1250(utf8)); }

    // Fires the pending run tick, as the host would once its period passed; false when none.
    bool Tick() {
        if (!timers.IsRunning(kTick)) return false;
        clock.Advance(timers.Period(kTick));
        interpreter.RunTick();
        return true;
    }
    // Fires run ticks for as long as one is pending; how many.
    int Ticks(int max = 100000) {
        int fired = 0;
        while (fired < max && Tick()) ++fired;
        return fired;
    }
    int RunToEnd(int max = 100000) {
        interpreter.Start();
        return Ticks(max);
    }

    const script::VariableTable& Variables() const { return interpreter.State().variables; }
    bool Has(const std::string& name) const { return Variables().Find(name) != nullptr; }
    double Value(const std::string& name) const {
        return Has(name) ? Variables().Find(name)->value : -12345.0;
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

    static constexpr int kTick = script::Interpreter::kTimerRunTick;

    FakeController controller{*wire};
    platform::TextEditorAccess editor;
    commands::CommandTable commands;
    script::Interpreter interpreter{editor, link, commands, timers};

private:
    void AnswerCommands() {
        auto modes = wire->responder;
        wire->responder = [this, modes](const std::vector<std::uint8_t>& bytes, Wire& w) {
            const bool modeRequest = bytes.size() == 1 && (bytes[0] == 0x00 || bytes[0] == 0xFF);
            if (controller.mode != 0xFE || controller.silent || modeRequest || bytes.empty()) {
                modes(bytes, w);
            } else {
                Answer(bytes, w);
            }
        };
    }
};

}  // namespace orvane::test
