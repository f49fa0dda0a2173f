// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "core/device/FlashImage.h"
#include "core/device/HexFile.h"
#include "core/platform/AtomicFile.h"
#include "tests/support/CliProcess.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/SimProcess.h"

namespace orvane::test {

using Args = std::vector<std::string>;
using device::FlashImage;

inline FlashImage ReadImage(const std::string& path) {
    FlashImage image;
    ScriptedPrompts prompts;
    EXPECT_TRUE(device::HexFile::Usable(device::HexFile::ReadHexFile(path, image, 0, {}, {}, prompts))) << path;
    return image;
}

inline bool SameRange(const FlashImage& a, const FlashImage& b, int from, int to) {
    return std::equal(a.Data() + from, a.Data() + to, b.Data() + from);
}

// orvane-cli against a running virtual controller, which saves its flash into the CLI's private
// home when stopped.
class CliSimTest : public ::testing::Test {
protected:
    void StartSim(Args args = {}) {
        args.insert(args.begin(), {"--flash", Path("sim-flash.hex")});
        sim = std::make_unique<SimProcess>(ORVANE_SIM_BIN, std::move(args));
    }
    CliProcess::Result Cli(Args args, const CliProcess::Interaction& in = {}) {
        args.insert(args.begin(), {"--port", sim->SlavePath()});
        return cli.Run(args, in);
    }
    std::string Path(const std::string& name) const { return cli.Home() + "/" + name; }
    std::string File(const std::string& name, const std::string& text) {
        EXPECT_TRUE(platform::AtomicFile::Write(Path(name), text));
        return Path(name);
    }
    std::string Settings() const {
        std::string text;
        EXPECT_TRUE(platform::AtomicFile::Read(cli.SettingsPath(), text));
        return text;
    }
    FlashImage SimFlash() {
        sim->Stop();
        return ReadImage(Path("sim-flash.hex"));
    }
    int Heard(std::uint8_t byte) const {
        int n = 0;
        for (const auto& [direction, b] : sim->Traffic()) n += direction == 'R' && b == byte;
        return n;
    }

    CliProcess cli{ORVANE_CLI_BIN};
    std::unique_ptr<SimProcess> sim;
};

}  // namespace orvane::test
