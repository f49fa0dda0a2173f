// SPDX-License-Identifier: GPL-3.0-or-later
#include "simchip/SimulatedChip.h"

#include <cstdio>

#include "core/device/HexFile.h"
#include "core/host/Cp1250.h"
#include "core/platform/DataFolder.h"
#include "core/script/VariableLines.h"
#include "simchip/ChipCore.h"

namespace orvane::simchip {

namespace {

using device::FlashImage;

// The HEX reader's boxes become the load's error.
class LoadPrompts : public host::Prompts {
public:
    host::Answer Ask(const std::string&, const std::string& text, host::Buttons, host::Icon) override {
        said = host::Cp1250ToUtf8(text);
        return host::Answer::Ok;
    }
    std::string said;
};

bool ReadHex(const std::string& path, FlashImage& image, int lowerLimit, std::string& error) {
    LoadPrompts prompts;
    const device::HexMessage below{"", "dane poza obszarem programu"};
    const device::HexMessage top{"", "dane w obszarze programu ładującego"};
    const auto result = device::HexFile::ReadHexFile(path, image, lowerLimit, below, top, prompts);
    if (device::HexFile::Usable(result)) return true;
    error = path + ": " + (result == device::HexReadResult::CannotOpen ? "nie można odczytać pliku"
                           : prompts.said.empty()                       ? "to nie jest poprawny plik HEX"
                                                                        : prompts.said);
    return false;
}

// The word after the program's last programmed byte: where its code ends.
std::uint32_t ProgramEnd(const FlashImage& image) {
    int end = FlashImage::kProgramStart;
    for (int a = FlashImage::kProgramStart; a < FlashImage::kProgramEnd; ++a)
        if (image[a] != FlashImage::kErased) end = a + 1;
    return static_cast<std::uint32_t>((end + 1) / 2);
}

}  // namespace

SimulatedChip::SimulatedChip(BoardState& board, ChipObserver* observer)
    : board_(board), observer_(observer), firmwarePath_(DefaultFirmwarePath()) {}

SimulatedChip::~SimulatedChip() = default;

std::string SimulatedChip::DefaultFirmwarePath() { return platform::DataFolder() + "ChipFirmware.hex"; }

std::string SimulatedChip::MapPathOf(const std::string& hexPath) {
    const std::size_t dot = hexPath.rfind('.');
    const std::size_t slash = hexPath.rfind('/');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? hexPath.substr(0, dot) : hexPath) + ".map";
}

bool SimulatedChip::Load(const std::string& hexPath, const std::string& mapPath, std::string& error) {
    state_ = ChipState::Empty;
    FlashImage program;
    if (!ReadHex(hexPath, program, FlashImage::kProgramStart, error)) return false;
    map_ = ProgramMap();
    if (!mapPath.empty() && !map_.Read(mapPath)) {
        error = mapPath + ": nie można odczytać pliku";
        return false;
    }
    return Start(program, error);
}

bool SimulatedChip::LoadImage(const FlashImage& flash, std::string& error) {
    state_ = ChipState::Empty;
    map_ = ProgramMap();
    return Start(flash, error);
}

bool SimulatedChip::Start(const FlashImage& program, std::string& error) {
    state_ = ChipState::Empty;
    fault_.reset();
    core_.reset();
    received_.clear();  // a program starts with nothing waiting on its line
    FlashImage flash;
    if (!ReadHex(firmwarePath_, flash, 0, error)) return false;
    std::copy(program.Data() + FlashImage::kProgramStart, program.Data() + FlashImage::kProgramEnd,
              flash.Data() + FlashImage::kProgramStart);
    auto core = std::make_unique<ChipCore>(board_, observer_, received_);
    if (!core->Start(flash, ProgramEnd(flash), map_, error)) return false;
    image_ = flash;
    core_ = std::move(core);
    state_ = ChipState::Running;
    return true;
}

void SimulatedChip::Reset() {
    if (core_ == nullptr) return;
    std::string error;
    const FlashImage image = image_;
    Start(image, error);  // the firmware read the first time round; only memory can fail now
}

ChipState SimulatedChip::Run(std::int64_t sliceUs) {
    if (state_ != ChipState::Running) return state_;
    const std::uint64_t until = core_->Cycle() + ChipCore::CycleOf(sliceUs);
    switch (core_->RunUntil(until)) {
        case ChipCore::Outcome::Running: break;
        case ChipCore::Outcome::Ended: state_ = ChipState::Ended; break;
        case ChipCore::Outcome::Faulted:
            state_ = ChipState::Faulted;
            fault_ = core_->Fault();
            break;
    }
    return state_;
}

std::int64_t SimulatedChip::NowUs() const { return core_ == nullptr ? 0 : ChipCore::MicrosOf(core_->Cycle()); }

std::vector<ChipVariable> SimulatedChip::Variables() const {
    std::vector<ChipVariable> variables;
    if (core_ == nullptr) return variables;
    for (const ProgramMap::Symbol& v : map_.Variables())
        variables.push_back({v.name, static_cast<std::uint16_t>(core_->Sram(v.address) * 256 + core_->Sram(v.address + 1))});
    return variables;
}

std::vector<std::string> SimulatedChip::VariableLines(const std::vector<ChipVariable>& variables) {
    std::vector<std::string> lines;
    for (const ChipVariable& v : variables) lines.push_back(script::VariableLines::Line({v.name, static_cast<double>(v.word)}));
    return lines;
}

}  // namespace orvane::simchip

#if defined(__SANITIZE_ADDRESS__)
// simavr keeps a chip's IRQ tables and names until the process ends; they are not ours to free,
// and every program that runs the chip would otherwise end on a leak report under the sanitizers.
extern "C" const char* __lsan_default_suppressions() { return "leak:libsimavr.so\n"; }
#endif
