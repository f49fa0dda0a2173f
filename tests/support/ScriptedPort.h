// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/device/PortBackend.h"
#include "tests/support/FakeClock.h"

namespace orvane::test {

// The wire as a test scripts it. Every write is recorded; a responder (if set) sees each write
// and may queue reply bytes, each optionally arriving after a delay on the fake clock. Waiting
// for a byte that never comes advances the fake clock by the whole wait, so timeouts cost no
// real time. The state (writes, pending bytes) lives in a shared Wire so that it survives the
// port being closed and opened again.
struct Wire {
    struct Pending {
        std::int64_t atMs;
        std::uint8_t byte;
    };
    std::vector<std::vector<std::uint8_t>> writes;
    std::deque<Pending> incoming;
    std::function<void(const std::vector<std::uint8_t>&, Wire&)> responder;
    FakeClock* clock = nullptr;
    int baud = 0;
    bool dtr = true;
    bool failed = false;     // the device went away
    bool refuseConfigure = false;
    bool refuseBaud = false;
    int opens = 0;
    int purges = 0;

    // Queue bytes that arrive `delayMs` from now.
    void Reply(std::initializer_list<std::uint8_t> bytes, std::int64_t delayMs = 0);
    void ReplyBytes(const std::vector<std::uint8_t>& bytes, std::int64_t delayMs = 0);
    // All bytes written so far, concatenated.
    std::vector<std::uint8_t> Written() const;
};

class ScriptedPort : public device::PortBackend {
public:
    explicit ScriptedPort(std::shared_ptr<Wire> wire) : wire_(std::move(wire)) {}
    int BytesWaiting() override;
    int Read(std::uint8_t* buffer, int max) override;
    bool Write(const std::uint8_t* buffer, int count) override;
    bool WaitReadable(std::int64_t timeoutMs) override;
    bool ApplyLineSettings(int baud, std::string& error) override;
    bool SetBaud(int baud, std::string& error) override;
    void SetDtr(bool active) override { wire_->dtr = active; }
    bool HungUp() const override { return wire_->failed; }
    void Purge() override;

private:
    std::shared_ptr<Wire> wire_;
};

// Opens ScriptedPorts on one wire; `refuseOpen` makes every open fail. A device opened anew is
// back, whatever became of the one before.
class ScriptedOpener : public device::PortOpener {
public:
    explicit ScriptedOpener(std::shared_ptr<Wire> wire) : wire_(std::move(wire)) {}
    std::unique_ptr<device::PortBackend> Open(int portIndex, std::string& error) override;
    bool refuseOpen = false;
    std::vector<int> opened;  // indexes asked for, in order

private:
    std::shared_ptr<Wire> wire_;
};

}  // namespace orvane::test
