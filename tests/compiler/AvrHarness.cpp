#include "tests/compiler/AvrHarness.h"

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "core/commands/CommandFile.h"
#include "core/compiler/BuildScript.h"
#include "core/device/FlashImage.h"
#include "core/device/HexFile.h"
#include "core/host/Cp1250.h"
#include "core/host/MemorySettings.h"
#include "core/platform/AtomicFile.h"
#include "core/platform/PosixProcessRunner.h"
#include "core/platform/TextEditorAccess.h"
#include "tests/support/HexRecords.h"
#include "tests/support/ScriptedFileChooser.h"

namespace orvane::test {

namespace {

const std::string kData = std::string(ORVANE_DATA_DIR) + "/";
using compiler::BuildScript;

std::string Capture(const std::string& command) {
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return out;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    ::pclose(pipe);
    return out;
}

const commands::CommandTable& ShippedCommands() {
    static const commands::CommandTable table = [] {
        commands::CommandTable t;
        commands::CommandFile::ReadFile(kData + "Komendy.ini", t, nullptr);
        return t;
    }();
    return table;
}

// The test firmware's HEX, assembled once per test process (tests run in parallel processes).
const std::string& FirmwareHex() {
    static const TempDir folder;
    static const std::string path = [] {
        const std::string hex = folder / "TestFirmware.hex";
        const std::string report =
            Capture("avra -I " + BuildScript::Quote(kData) + " -o " + BuildScript::Quote(hex) +
                    " -e /dev/null -d /dev/null " +
                    BuildScript::Quote(kData + "../tests/compiler/firmware/TestFirmware.asm") + " 2>&1");
        if (report.find("Assembly complete with no errors.") == std::string::npos)
            throw std::runtime_error("test firmware did not assemble:\n" + report);
        return hex;
    }();
    return path;
}

// simavr loads one contiguous piece of flash from a HEX file: the firmware and the program go
// into one image, written as records from address 0 to the end.
std::string MergedHex(const std::string& programPath) {
    ScriptedPrompts quiet;
    device::FlashImage firmware, program;
    device::HexFile::ReadHexFile(FirmwareHex(), firmware, 0, {}, {}, quiet);
    device::HexFile::ReadHexFile(programPath, program, 0, {}, {}, quiet);
    std::string text;
    for (int a = 0; a < device::FlashImage::kSize; a += 16) {
        std::vector<std::uint8_t> bytes;
        for (int i = a; i < a + 16; ++i) bytes.push_back(i >= device::FlashImage::kProgramStart ? program[i] : firmware[i]);
        text += HexDataRecord(a, bytes) + "\n";
    }
    return text + ":00000001FF\n";
}

}  // namespace

RealCompile::RealCompile(const std::string& script, const std::string& documentName)
    : document(folder / documentName) {
    std::filesystem::create_directories(std::filesystem::path(host::Cp1250ToUtf8(document)).parent_path());
    platform::TextEditorAccess editor(script);
    script::StatementReader reader(editor);
    script::LabelTable labels;
    script::VariableTable variables;
    FakeDocument doc(document);
    host::MemorySettings settings;
    ScriptedFileChooser files;
    std::ostringstream out;
    platform::PosixProcessRunner runner(out);
    compiler::CompileDriver driver({editor, doc, settings, prompts, files, runner, kData, nullptr},
                                   {reader, labels, variables, ShippedCommands()});
    result = driver.CompileScript();
    shown = out.str();
}

std::string RealCompile::Report() const {
    return ReadWhole(std::filesystem::path(host::Cp1250ToUtf8(document)).parent_path() / "Wynik.txt");
}

AvrRun::AvrRun(const RealCompile& compile) {
    const auto map = std::filesystem::path(host::Cp1250ToUtf8(compile.result.hexPath)).replace_extension(".map");
    for (const std::string& line : SplitLines(ReadWhole(map))) {
        std::istringstream fields(line);
        std::string name, kind, hex;
        if (fields >> name >> kind >> hex) symbols_[name] = std::stoi(hex, nullptr, 16);
    }
    const std::string merged = compile.folder / "run.hex";
    platform::AtomicFile::Write(merged, MergedHex(host::Cp1250ToUtf8(compile.result.hexPath)));
    // The UART's lines come on standard error, coloured, with the line feed shown as ".".
    output_ = Capture("timeout 10 simavr -m atmega8 -f 8000000 " + BuildScript::Quote(merged) + " 2>&1");
    int lines = 0;
    for (const std::string& line : SplitLines(output_)) {
        const std::size_t colon = line.find(':', line.find_first_of("0123456789ABCDEF"));
        if (colon < 4 || colon == std::string::npos) continue;
        const std::string address = line.substr(colon - 4, 4), bytes = line.substr(colon + 1, 32);
        if (bytes.size() != 32 || address.find_first_not_of("0123456789ABCDEF") != std::string::npos) continue;
        const int at = std::stoi(address, nullptr, 16);
        for (int i = 0; i < 16 && at + i <= kRamEnd; ++i)
            sram_[static_cast<std::size_t>(at + i)] =
                static_cast<std::uint8_t>(std::stoi(bytes.substr(static_cast<std::size_t>(2 * i), 2), nullptr, 16));
        ++lines;
    }
    completed_ = lines == (kRamEnd + 1 - 0x60) / 16;  // SRAM from 0x60, 16 bytes a line
}

}  // namespace orvane::test
