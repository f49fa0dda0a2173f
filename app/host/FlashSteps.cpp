// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/host/FlashSteps.h"

#include <algorithm>

#include "core/device/FlashOperations.h"

namespace orvane::app::host {

namespace {
using Kind = orvane::device::FlashArea::Kind;
using orvane::device::FlashOperations;

// Positions of the steps every erase and write share.
constexpr int kEnteredBootLoader = 4;
constexpr int kEraseSent = 5;
constexpr int kErased = 6;
constexpr int kFirstPage = 8;

const char* EnteringText() { return "Przejście do trybu BootLoader"; }
}  // namespace

void FlashSteps::Expect(FlashTask task, Kind area) {
    task_ = task;
    area_ = area;
    wrote_ = false;
}

void FlashSteps::Begin(int range) {
    range_ = range;
    if (range == FlashOperations::kEraseRange) phase_ = Phase::Erase;
    else if (range == FlashOperations::kWriteRange) phase_ = Phase::Write;
    else phase_ = wrote_ || task_ == FlashTask::Write ? Phase::Verify : Phase::Read;
    wrote_ = wrote_ || phase_ == Phase::Write;
}

FlashSteps::Text FlashSteps::Describe(int position) const {
    switch (phase_) {
        case Phase::Erase: return DescribeErase(position);
        case Phase::Write: return DescribeWrite(position);
        case Phase::Read:
        case Phase::Verify: break;
    }
    return DescribeRead(position);
}

FlashSteps::Text FlashSteps::DescribeErase(int position) const {
    Text text{area_ == Kind::Program ? "Kasowanie programu" : "Kasowanie systemu", EnteringText(), {}};
    if (position >= kEraseSent) text.step = "Kasowanie pamięci";
    if (position >= kErased) text.step = "Pamięć skasowana, powrót do trybu System";
    return text;
}

FlashSteps::Text FlashSteps::DescribeWrite(int position) const {
    Text text{area_ == Kind::Program ? "Zapis programu" : "Zapis systemu", EnteringText(), {}};
    if (position > kEnteredBootLoader) text.step = "Kasowanie pamięci";
    if (position >= kErased) text.step = "Pamięć skasowana";
    if (position >= kFirstPage - 1) {
        // Every page counts, written or skipped as empty; the System goes from its top down.
        const int done = std::clamp(position - (kFirstPage - 1), 0, kPages);
        text.step = done < kPages ? "Zapis stron pamięci" : "Powrót do trybu System";
        text.count = "Strony: " + std::to_string(done) + " z " + std::to_string(kPages);
    }
    return text;
}

FlashSteps::Text FlashSteps::DescribeRead(int position) const {
    const bool verify = phase_ == Phase::Verify;
    const bool program = area_ == Kind::Program;
    Text text{verify ? (program ? "Weryfikacja programu" : "Weryfikacja systemu")
                     : (program ? "Odczyt programu" : "Odczyt systemu"),
              verify ? "Odczyt pamięci do porównania z plikiem" : "Odbiór zawartości pamięci", {}};
    text.count = "Bajty: " + std::to_string(std::max(position, 0)) + " z " + std::to_string(range_);
    return text;
}

}  // namespace orvane::app::host
