// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/device/SerialCtrl.h"

#include <algorithm>

#include "core/host/Cp1250.h"

namespace orvane::device {

CSerialCtrl::CSerialCtrl(PortOpener& opener, host::Clock& clock, host::Prompts& prompts)
    : opener_(opener), clock_(clock), prompts_(prompts) {}

std::unique_ptr<PortBackend>* CSerialCtrl::Slot(int portIndex) {
    if (portIndex < 0) return nullptr;
    return &slots_[static_cast<std::size_t>(std::min(portIndex, kSlots - 1))];
}

const std::unique_ptr<PortBackend>* CSerialCtrl::Slot(int portIndex) const {
    return const_cast<CSerialCtrl*>(this)->Slot(portIndex);
}

PortBackend* CSerialCtrl::Port(int portIndex) {
    auto* slot = Slot(portIndex);
    return slot ? slot->get() : nullptr;
}

bool CSerialCtrl::IsOpen(int portIndex) const {
    const auto* slot = Slot(portIndex);
    return slot && *slot;
}

bool CSerialCtrl::HungUp(int portIndex) const {
    const auto* slot = Slot(portIndex);
    return slot && *slot && (*slot)->HungUp();
}

bool CSerialCtrl::WriteBytes(const std::uint8_t* bytes, int count, int portIndex) {
    if (!OpenPort(portIndex) || !Port(portIndex)->Write(bytes, count)) return false;
    if (writeObserver_ != nullptr && count > 0) writeObserver_->Written({bytes, static_cast<std::size_t>(count)});
    return true;
}

std::optional<std::uint8_t> CSerialCtrl::ReadByte(int portIndex) {
    auto* port = Port(portIndex);
    if (!port || port->BytesWaiting() <= 0) return std::nullopt;
    if (port->Read(buffer_.data(), 1) != 1) return std::nullopt;
    return buffer_[0];
}

std::optional<std::span<const std::uint8_t>> CSerialCtrl::ReadAvailable(int portIndex) {
    auto* port = Port(portIndex);
    if (!port) return std::nullopt;
    const int waiting = std::min(port->BytesWaiting(), kBufferSize);
    const int read = waiting > 0 ? std::max(port->Read(buffer_.data(), waiting), 0) : 0;
    const auto count = static_cast<std::size_t>(read);
    buffer_[count] = 0;
    return std::span<const std::uint8_t>(buffer_.data(), count);
}

void CSerialCtrl::DiscardInput(int portIndex) { ReadAvailable(portIndex); }

std::optional<std::uint8_t> CSerialCtrl::ReadByteTimeout(int portIndex, int seconds) {
    const std::int64_t start = clock_.ClockSeconds();
    const std::int64_t deadlineMs = (start + static_cast<std::int64_t>(seconds) + 1) * 1000;
    for (;;) {
        if (const auto byte = ReadByte(portIndex)) return byte;
        const std::int64_t now = clock_.ClockSeconds();
        if (seconds - (now - start) < 0) return std::nullopt;
        const std::int64_t remaining = std::max<std::int64_t>(deadlineMs - clock_.NowMs(), 1);
        if (auto* port = Port(portIndex)) port->WaitReadable(remaining);
        else clock_.SleepMs(remaining);
    }
}

std::optional<std::span<const std::uint8_t>> CSerialCtrl::ReadStreamChunk(int portIndex, int seconds) {
    const std::int64_t deadlineMs = clock_.NowMs() + static_cast<std::int64_t>(seconds) * 1000 + 1;
    for (;;) {
        const auto bytes = ReadAvailable(portIndex);
        if (bytes && !bytes->empty()) return bytes;
        const std::int64_t remaining = deadlineMs - clock_.NowMs();
        if (remaining <= 0) return std::nullopt;
        if (auto* port = Port(portIndex)) port->WaitReadable(remaining);
        else clock_.SleepMs(remaining);
    }
}

bool CSerialCtrl::OpenPort(int portIndex) {
    auto* slot = Slot(portIndex);
    if (!slot) {
        lastOpenError_ = host::Pl("Nie ma portu o numerze " + std::to_string(portIndex) + ".");
        return false;
    }
    if (*slot) return true;
    std::string error;
    *slot = opener_.Open(portIndex, error);
    if (!*slot) {
        lastOpenError_ = host::Pl(error);  // the port's text is UTF-8
        return false;
    }
    (*slot)->Purge();
    if (!(*slot)->ApplyLineSettings(kLazyOpenBaud, error)) {
        lastOpenError_ = host::Pl(error);
        return false;
    }
    lastOpenError_.clear();
    return true;
}

bool CSerialCtrl::SetBaud(int baud, int portIndex) {
    auto* port = Port(portIndex);
    if (!port) return false;
    std::string error;
    if (port->SetBaud(baud, error)) return true;
    prompts_.Tell("Error", host::Pl(error), host::Icon::Information);  // the port's text is UTF-8
    return false;
}

bool CSerialCtrl::ClosePort(int portIndex) {
    auto* slot = Slot(portIndex);
    if (!slot || !*slot) return false;
    (*slot)->SetDtr(false);
    (*slot)->Purge();
    slot->reset();
    return true;
}

}  // namespace orvane::device
