#pragma once
#include <memory>

#include "app/host/WaitBreaker.h"
#include "core/device/PortBackend.h"

namespace orvane::app::device {

// An open port whose wait for a byte gives up as soon as the breaker fires; everything else is
// the port's own. The wait polls in short slices, so a byte that arrives still ends it at once.
class BreakablePort : public orvane::device::PortBackend {
public:
    BreakablePort(std::unique_ptr<orvane::device::PortBackend> port, const host::WaitBreaker& breaker)
        : port_(std::move(port)), breaker_(breaker) {}

    int BytesWaiting() override { return port_->BytesWaiting(); }
    int Read(std::uint8_t* buffer, int max) override { return port_->Read(buffer, max); }
    bool Write(const std::uint8_t* buffer, int count) override { return port_->Write(buffer, count); }
    bool WaitReadable(std::int64_t timeoutMs) override;
    bool ApplyLineSettings(int baud, std::string& error) override { return port_->ApplyLineSettings(baud, error); }
    bool SetBaud(int baud, std::string& error) override { return port_->SetBaud(baud, error); }
    void SetDtr(bool active) override { port_->SetDtr(active); }
    void Purge() override { port_->Purge(); }

private:
    std::unique_ptr<orvane::device::PortBackend> port_;
    const host::WaitBreaker& breaker_;
};

}  // namespace orvane::app::device
