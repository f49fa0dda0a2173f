#include "core/device/SerialCtrl.h"

#include <algorithm>

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

bool CSerialCtrl::IsOpen(int portIndex) const {
    const auto* slot = Slot(portIndex);
    return slot && *slot;
}

int CSerialCtrl::WriteBytes(const std::uint8_t* bytes, int count, int portIndex) {
    if (OpenPort(portIndex) == 0) return 0;
    auto* slot = Slot(portIndex);
    if (!slot || !*slot) return -1;
    if (!(*slot)->Write(bytes, count)) return 0;
    if (writeObserver_ != nullptr && count > 0) {
        writeObserver_->Written({bytes, static_cast<std::size_t>(count)});
    }
    return 1;
}

int CSerialCtrl::ReadByte(int portIndex) {
    auto* slot = Slot(portIndex);
    if (!slot || !*slot) return -1;
    if ((*slot)->BytesWaiting() <= 0) return -1;
    if ((*slot)->Read(buffer_.data(), 1) != 1) return -1;
    return buffer_[0];
}

int CSerialCtrl::ReadAvailable(const std::uint8_t** bytes, int portIndex) {
    auto* slot = Slot(portIndex);
    if (!slot || !*slot) return -1;
    const int waiting = std::min((*slot)->BytesWaiting(), kBufferSize);
    if (waiting <= 0) return 0;
    const int read = std::max((*slot)->Read(buffer_.data(), waiting), 0);
    if (read > 0) {
        buffer_[static_cast<std::size_t>(read)] = 0;
        *bytes = buffer_.data();
    }
    return read;
}

void CSerialCtrl::DiscardInput(int portIndex) {
    const std::uint8_t* scratch = nullptr;
    ReadAvailable(&scratch, portIndex);
}

int CSerialCtrl::ReadByteTimeout(int portIndex, int seconds) {
    const std::int64_t start = clock_.ClockSeconds();
    const std::int64_t deadlineMs = (start + static_cast<std::int64_t>(seconds) + 1) * 1000;
    for (;;) {
        const int byte = ReadByte(portIndex);
        if (byte >= 0) return byte;
        const std::int64_t now = clock_.ClockSeconds();
        if (seconds - (now - start) < 0) return kTimeout;
        const std::int64_t remaining = std::max<std::int64_t>(deadlineMs - clock_.NowMs(), 1);
        auto* slot = Slot(portIndex);
        if (slot && *slot) (*slot)->WaitReadable(remaining);
        else clock_.SleepMs(remaining);
    }
}

int CSerialCtrl::OpenPort(int portIndex) {
    auto* slot = Slot(portIndex);
    if (!slot) {
        lastOpenError_ = "port index below 0";
        return 0;
    }
    if (*slot) return 1;
    std::string error;
    *slot = opener_.Open(portIndex, error);
    if (!*slot) {
        lastOpenError_ = error;
        return 0;
    }
    (*slot)->Purge();
    if (!(*slot)->ApplyLineSettings(kLazyOpenBaud, error)) {
        lastOpenError_ = error;
        return 0;
    }
    lastOpenError_.clear();
    return 1;
}

int CSerialCtrl::SetBaud(int baud, int portIndex) {
    auto* slot = Slot(portIndex);
    if (!slot || !*slot) return -1;
    std::string error;
    if ((*slot)->SetBaud(baud, error)) return 1;
    prompts_.Tell("Error", error, host::Icon::Information);
    return 0;
}

int CSerialCtrl::ClosePort(int portIndex) {
    auto* slot = Slot(portIndex);
    if (!slot || !*slot) return -1;
    (*slot)->SetDtr(false);
    (*slot)->Purge();
    slot->reset();
    return 1;
}

}  // namespace orvane::device
