// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

// The bytes the PC sends the controller and the status bytes it answers with, in one place for
// the IDE and the virtual controller, so the two can never disagree about the wire.
namespace orvane::device::controller {

// Resident firmware (System mode) and mode switches.
inline constexpr std::uint8_t kQuery = 0x00;
inline constexpr std::uint8_t kToSystem = 0xFF;
inline constexpr std::uint8_t kToKomendy = 0xFE;
inline constexpr std::uint8_t kToProgram = 0xFD;
inline constexpr std::uint8_t kToBootLoader = 0xF0;
inline constexpr std::uint8_t kReadParameters = 0x01;
inline constexpr std::uint8_t kWriteParameters = 0x02;
inline constexpr std::uint8_t kVersion = 'v';

// Boot loader.
inline constexpr std::uint8_t kEraseSystem = 'E';
inline constexpr std::uint8_t kEraseProgram = 'e';
inline constexpr std::uint8_t kWritePage = 'w';
inline constexpr std::uint8_t kReadSystem = 'R';
inline constexpr std::uint8_t kReadProgram = 'r';
inline constexpr std::uint8_t kSetSpeed = 0x0A;

// Mode replies: the byte the controller answers a query or a switch with in each mode.
inline constexpr std::uint8_t kInSystem = 0xFF;
inline constexpr std::uint8_t kInKomendy = 0xFE;
inline constexpr std::uint8_t kInBootLoader = 0xF0;
inline constexpr std::uint8_t kInProgram = 0x00;

// How long a controller on its way from System to the boot loader may take to answer the
// switch back to System (it restarts first).
inline constexpr int kSystemOnWayToBootLoaderSeconds = 4;

// Command frames and boot-loader status.
inline constexpr std::uint8_t kConfirm = 0x01;
inline constexpr std::uint8_t kDone = 0x01;
inline constexpr std::uint8_t kFailed = 0x00;

}  // namespace orvane::device::controller
