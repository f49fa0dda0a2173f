// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/TrafficLog.h"

#include <cerrno>
#include <cstring>

#include "core/device/HexFile.h"

namespace orvane::sim {

TrafficLog::~TrafficLog() {
    if (file_) std::fclose(file_);
}

bool TrafficLog::Open(const std::string& path, std::string& error) {
    file_ = std::fopen(path.c_str(), "w");
    if (file_) return true;
    error = "nie można utworzyć dziennika " + path + ": " + std::strerror(errno);
    return false;
}

void TrafficLog::Line(std::int64_t us, const std::string& rest) {
    if (!file_) return;
    std::fprintf(file_, "%lld.%06lld %s\n", static_cast<long long>(us / 1000000),
                 static_cast<long long>(us % 1000000), rest.c_str());
    std::fflush(file_);
}

void TrafficLog::Received(std::int64_t us, std::uint8_t byte, bool heard, int pcBaud, int ownBaud) {
    std::string line = "RX " + device::HexFile::ByteToHex(byte);
    if (!heard)
        line += " ignored (PC " + std::to_string(pcBaud) + ", sterownik " + std::to_string(ownBaud) + ")";
    Line(us, line);
}

void TrafficLog::Sent(std::int64_t us, const OutByte& out) {
    std::string line = "TX " + device::HexFile::ByteToHex(out.byte);
    if (out.fate == Fate::Dropped) line += " dropped (fault)";
    if (out.fate == Fate::Corrupted) line += " corrupted (was " + device::HexFile::ByteToHex(out.original) + ")";
    Line(us, line);
}

void TrafficLog::LineFull(std::int64_t us, std::uint8_t byte) {
    Line(us, "TX " + device::HexFile::ByteToHex(byte) + " dropped (line full)");
}

void TrafficLog::Note(std::int64_t us, const std::string& text) { Line(us, "-- " + text); }

}  // namespace orvane::sim
