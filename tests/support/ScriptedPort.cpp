// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/ScriptedPort.h"

#include <algorithm>

namespace orvane::test {

void Wire::Reply(std::initializer_list<std::uint8_t> bytes, std::int64_t delayMs) {
    ReplyBytes(std::vector<std::uint8_t>(bytes), delayMs);
}

void Wire::ReplyBytes(const std::vector<std::uint8_t>& bytes, std::int64_t delayMs) {
    const std::int64_t at = (clock ? clock->NowMs() : 0) + delayMs;
    for (const auto b : bytes) incoming.push_back({at, b});
}

std::vector<std::uint8_t> Wire::Written() const {
    std::vector<std::uint8_t> all;
    for (const auto& w : writes) all.insert(all.end(), w.begin(), w.end());
    return all;
}

int ScriptedPort::BytesWaiting() {
    if (wire_->failed) return -1;
    // Bytes arrive in order; like a real driver's 4096-byte input queue the count stops there,
    // which also keeps long streams read byte by byte linear.
    const std::int64_t now = wire_->clock ? wire_->clock->NowMs() : 0;
    int due = 0;
    for (auto it = wire_->incoming.begin(); it != wire_->incoming.end() && due < 4096; ++it, ++due) {
        if (it->atMs > now) break;
    }
    return due;
}

int ScriptedPort::Read(std::uint8_t* buffer, int max) {
    if (wire_->failed) return -1;
    const std::int64_t now = wire_->clock ? wire_->clock->NowMs() : 0;
    int n = 0;
    while (n < max && !wire_->incoming.empty() && wire_->incoming.front().atMs <= now) {
        buffer[n++] = wire_->incoming.front().byte;
        wire_->incoming.pop_front();
    }
    return n;
}

bool ScriptedPort::Write(const std::uint8_t* buffer, int count) {
    if (wire_->failed) return false;
    std::vector<std::uint8_t> bytes(buffer, buffer + count);
    wire_->writes.push_back(bytes);
    if (wire_->responder) wire_->responder(bytes, *wire_);
    return true;
}

bool ScriptedPort::WaitReadable(std::int64_t timeoutMs) {
    if (BytesWaiting() > 0) return true;
    FakeClock* clock = wire_->clock;
    if (!clock) return false;
    // Jump to the next arrival if it comes within the wait, else spend the whole wait.
    const std::int64_t deadline = clock->NowMs() + timeoutMs;
    std::int64_t next = deadline;
    if (!wire_->failed && !wire_->incoming.empty()) next = std::min(next, wire_->incoming.front().atMs);
    clock->Advance(next - clock->NowMs());
    return BytesWaiting() > 0;
}

bool ScriptedPort::ApplyLineSettings(int baud, std::string& error) {
    if (wire_->refuseConfigure) {
        error = "The parameter is incorrect.";
        return false;
    }
    wire_->baud = baud;
    wire_->dtr = false;
    return true;
}

bool ScriptedPort::SetBaud(int baud, std::string& error) {
    if (baud <= 0 || wire_->refuseBaud || wire_->failed) {
        error = "Invalid baud rate";
        return false;
    }
    wire_->baud = baud;
    return true;
}

void ScriptedPort::Purge() { ++wire_->purges; }

std::unique_ptr<device::PortBackend> ScriptedOpener::Open(int portIndex, std::string& error) {
    opened.push_back(portIndex);
    if (refuseOpen) {
        error = "The system cannot find the file specified.";
        return nullptr;
    }
    ++wire_->opens;
    wire_->failed = false;
    return std::make_unique<ScriptedPort>(wire_);
}

}  // namespace orvane::test
