// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing a full 8 KB image; both should stay well under a millisecond.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "core/device/HexFile.h"
#include "core/host/Prompts.h"

namespace {

using orvane::device::FlashImage;
using orvane::device::HexFile;
using orvane::device::HexMessage;
using orvane::device::HexReadResult;

class SilentPrompts : public orvane::host::Prompts {
public:
    orvane::host::Answer Ask(const std::string&, const std::string&, orvane::host::Buttons,
                             orvane::host::Icon) override {
        return orvane::host::Answer::Ok;
    }
};

// Every byte holds data, so no record is left out.
FlashImage FullImage() {
    std::mt19937 random(1);
    FlashImage image;
    for (int a = 0; a < FlashImage::kSize; ++a) image[a] = static_cast<std::uint8_t>(random() % 255);
    return image;
}

// The System file's records followed by the Program file: every address below 0x1F00.
std::string FullText(const FlashImage& image) {
    std::string system = HexFile::WriteSystemHex(image);
    system.resize(system.rfind(':'));  // without its end record
    return system + HexFile::WriteProgramHex(image);
}

void BM_ReadFullImage(benchmark::State& state) {
    const std::string text = FullText(FullImage());
    const HexMessage message{"", ""};
    SilentPrompts prompts;
    FlashImage image;
    for (auto _ : state) {
        const HexReadResult result = HexFile::ReadHexImage(text, image, 0, message, message, prompts);
        if (result != HexReadResult::Complete) state.SkipWithError("the full image did not read");
        benchmark::DoNotOptimize(image.Data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ReadFullImage)->Unit(benchmark::kMicrosecond);

void BM_WriteFullImage(benchmark::State& state) {
    const FlashImage image = FullImage();
    for (auto _ : state) {
        std::string system = HexFile::WriteSystemHex(image);
        std::string program = HexFile::WriteProgramHex(image);
        benchmark::DoNotOptimize(system.data());
        benchmark::DoNotOptimize(program.data());
    }
}
BENCHMARK(BM_WriteFullImage)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
