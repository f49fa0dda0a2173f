// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/simulate/ServoTimeline.h"

#include <algorithm>
#include <cmath>

namespace orvane::app::simulate {

namespace {
bool Valid(int servo) { return servo >= 1 && servo <= ServoTimeline::kServos; }

// Between two points of a path; a servo switched off at either end does not glide.
int Between(const ServoSample& a, const ServoSample& b, std::int64_t t) {
    if (t >= b.timeUs) return b.position;
    if (a.position <= 0 || b.position <= 0 || b.timeUs <= a.timeUs) return a.position;
    const double share = static_cast<double>(t - a.timeUs) / static_cast<double>(b.timeUs - a.timeUs);
    return a.position + static_cast<int>(std::lround(share * (b.position - a.position)));
}
}  // namespace

void ServoTimeline::Clear() {
    for (auto& path : paths_) path.clear();
    endUs_ = 0;
}

void ServoTimeline::AddMove(int servo, std::int64_t startUs, int from, int to, std::int64_t arrivalUs) {
    if (!Valid(servo)) return;
    auto& path = paths_[static_cast<std::size_t>(servo - 1)];
    startUs = std::max<std::int64_t>(startUs, 0);
    // The last move's arrival, if still ahead, is where that move was cut short.
    while (!path.empty() && path.back().timeUs > startUs) {
        if (path.size() < 2 || path[path.size() - 2].timeUs <= startUs) {
            const int reached = PositionAt(servo, startUs).value_or(from);
            path.back() = {startUs, servo, reached};
        } else {
            path.pop_back();
        }
    }
    if (!path.empty()) startUs = std::max(startUs, path.back().timeUs);
    const ServoSample start{startUs, servo, from};
    if (path.empty() || path.back() != start) path.push_back(start);
    path.push_back({std::max(arrivalUs, startUs), servo, to});
    ReachTime(startUs);
}

void ServoTimeline::ReachTime(std::int64_t timeUs) { endUs_ = std::max(endUs_, timeUs); }

std::vector<int> ServoTimeline::MovedServos() const {
    std::vector<int> servos;
    for (int servo = 1; servo <= kServos; ++servo) {
        if (!PathOf(servo).empty()) servos.push_back(servo);
    }
    return servos;
}

const std::vector<ServoSample>& ServoTimeline::PathOf(int servo) const {
    static const std::vector<ServoSample> kNone;
    return Valid(servo) ? paths_[static_cast<std::size_t>(servo - 1)] : kNone;
}

std::optional<int> ServoTimeline::PositionAt(int servo, std::int64_t timeUs) const {
    const auto& path = PathOf(servo);
    auto after = std::upper_bound(path.begin(), path.end(), timeUs,
                                  [](std::int64_t t, const ServoSample& s) { return t < s.timeUs; });
    if (after == path.begin()) return std::nullopt;
    if (after == path.end()) return path.back().position;
    return Between(*(after - 1), *after, timeUs);
}

std::optional<std::pair<int, int>> ServoTimeline::PositionRange() const {
    std::optional<std::pair<int, int>> range;
    for (const auto& path : paths_) {
        for (const ServoSample& s : path) {
            if (s.position <= 0) continue;
            if (!range) range = std::pair{s.position, s.position};
            range->first = std::min(range->first, s.position);
            range->second = std::max(range->second, s.position);
        }
    }
    return range;
}

std::string ServoTimeline::Csv() const {
    std::vector<ServoSample> all;
    for (const auto& path : paths_) all.insert(all.end(), path.begin(), path.end());
    std::stable_sort(all.begin(), all.end(), [](const ServoSample& a, const ServoSample& b) {
        return a.timeUs != b.timeUs ? a.timeUs < b.timeUs : a.servo < b.servo;
    });
    std::string csv = "Czas [us];Serwo;Pozycja [us]\r\n";
    for (const ServoSample& s : all) {
        csv += std::to_string(s.timeUs) + ';' + std::to_string(s.servo) + ';' + std::to_string(s.position) + "\r\n";
    }
    return csv;
}

}  // namespace orvane::app::simulate
