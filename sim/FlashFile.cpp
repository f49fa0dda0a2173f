// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/FlashFile.h"

#include "core/device/HexFile.h"
#include "core/host/Cp1250.h"
#include "core/platform/AtomicFile.h"

namespace orvane::sim {

using device::FlashImage;
using device::HexFile;

namespace {
constexpr int kRecordBytes = 16;
}

bool FlashFile::Load(const std::string& path, FlashImage& image, host::Prompts& prompts,
                     std::string& error) {
    image.Erase();
    if (!platform::AtomicFile::Exists(path)) return true;
    const device::HexMessage unused{};
    const device::HexMessage top{host::Pl("BŁĄD"),
                                 host::Pl("Dane pamięci od adresu 0x1F00 w górę: tam jest BootLoader!")};
    const device::HexReadResult result = HexFile::ReadHexFile(path, image, 0, unused, top, prompts);
    if (HexFile::Usable(result)) return true;
    error = "plik " + path + " nie jest poprawnym obrazem Intel HEX; nie zostanie nadpisany";
    return false;
}

std::string FlashFile::ToHex(const FlashImage& image) {
    std::string text = ":020000020000FC\r\n";
    for (int a = 0; a < FlashImage::kSize; a += kRecordBytes) {
        bool empty = true;
        for (int i = 0; i < kRecordBytes; ++i) empty = empty && image[a + i] == FlashImage::kErased;
        if (empty) continue;
        unsigned sum = static_cast<unsigned>(kRecordBytes + a / 256 + a % 256);
        text += ":" + HexFile::ByteToHex(kRecordBytes) + HexFile::WordToHex(a) + "00";
        for (int i = 0; i < kRecordBytes; ++i) {
            text += HexFile::ByteToHex(image[a + i]);
            sum += image[a + i];
        }
        text += HexFile::ByteToHex(static_cast<int>((256 - sum % 256) % 256)) + "\r\n";
    }
    return text + ":00000001FF\r\n";
}

bool FlashFile::Save(const std::string& path, const FlashImage& image, std::string& error) {
    return platform::AtomicFile::Write(path, ToHex(image), &error);
}

}  // namespace orvane::sim
