// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>
#include <utility>

#include "core/device/PortBackend.h"

namespace orvane::device {

// A port that hands every call to the port it wraps: the base of ports that change one thing
// about another (how long a wait lasts, what is counted) and leave the rest as it is.
class ForwardingPort : public PortBackend {
public:
    explicit ForwardingPort(std::unique_ptr<PortBackend> port) : port_(std::move(port)) {}

    int BytesWaiting() override { return port_->BytesWaiting(); }
    int Read(std::uint8_t* buffer, int max) override { return port_->Read(buffer, max); }
    bool Write(const std::uint8_t* buffer, int count) override { return port_->Write(buffer, count); }
    bool WaitReadable(std::int64_t timeoutMs) override { return port_->WaitReadable(timeoutMs); }
    bool HungUp() const override { return port_->HungUp(); }
    bool ApplyLineSettings(int baud, std::string& error) override { return port_->ApplyLineSettings(baud, error); }
    bool SetBaud(int baud, std::string& error) override { return port_->SetBaud(baud, error); }
    void SetDtr(bool active) override { port_->SetDtr(active); }
    void Purge() override { port_->Purge(); }

protected:
    PortBackend& Wrapped() { return *port_; }

private:
    std::unique_ptr<PortBackend> port_;
};

}  // namespace orvane::device
