// SPDX-License-Identifier: GPL-3.0-or-later
#include "simchip/FirmwareRoutine.h"

namespace orvane::simchip {

namespace {

constexpr int kP1 = 3;     // p1..p6 are r3..r8 (Konfig.asm)
constexpr int kResultRegister = 16;  // tmp1..tmp4 are r16..r19

const std::vector<FirmwareRoutine>& Routines() {
    static const std::vector<FirmwareRoutine> kRoutines = {
        {0x0367, "Send2B", {2}, 0, Service::Send},
        {0x0368, "SendB", {1}, 0, Service::Send},
        {0x0369, "GRS", {}, 1, Service::Receive},
        {0x036a, "LRS", {}, 1, Service::ReceivedCount},
        {0x036b, "URS", {}, 0, Service::DropReceived},
        {0x036d, "ADIAxR", {1}, 2, Service::Board},
        {0x036e, "ADIDG", {1}, 1, Service::Board},
        {0x036f, "ADIDxG", {}, 1, Service::Board},
        {0x0370, "AIxR", {1}, 2, Service::Board},
        {0x0371, "DOG", {1}, 1, Service::Board},
        {0x0372, "DOS", {1, 1}, 0, Service::Board},
        {0x0373, "DOxG", {}, 1, Service::Board},
        {0x0374, "DOxS", {1}, 0, Service::Board},
        {0x0375, "INT0G", {}, 0, Service::Board},
        {0x0376, "INT0C", {}, 0, Service::Board},
        {0x0377, "INT1G", {}, 0, Service::Board},
        {0x0378, "INT1C", {}, 0, Service::Board},
        {0x0379, "ServoR", {1}, 2, Service::Board, true},
        {0x037a, "ServoS", {1, 1, 1, 1, 2}, 0, Service::Board, true},
        {0x037b, "LEDS", {1, 1}, 0, Service::Board},
        {0x037c, "LEDF", {1, 2}, 0, Service::Board},
        {0x037d, "WaitS", {2}, 0, Service::Wait},
        {0x037e, "Podziel", {}, 2, Service::Divide},
        {0x037f, "Pomnoz", {}, 2, Service::Multiply},
    };
    return kRoutines;
}

std::uint32_t Word(const std::uint8_t* registers, int low) {
    return registers[low] + 256u * registers[low + 1];
}

}  // namespace

const FirmwareRoutine* FirmwareRoutine::AtEntry(std::uint32_t word) {
    for (const FirmwareRoutine& routine : Routines())
        if (routine.entry == word) return &routine;
    return nullptr;
}

std::vector<std::uint32_t> FirmwareRoutine::Arguments(const std::uint8_t* registers) const {
    if (service == Service::Multiply || service == Service::Divide)
        return {Word(registers, kResultRegister), Word(registers, kResultRegister + 2)};
    std::vector<std::uint32_t> values;
    int at = kP1;
    for (const int size : argumentSizes) {
        values.push_back(size == 2 ? Word(registers, at) : registers[at]);
        at += size;
    }
    return values;
}

}  // namespace orvane::simchip
