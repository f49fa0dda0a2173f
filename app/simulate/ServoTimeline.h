// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvane::app::simulate {

// A point of a servo's path: at `timeUs` microseconds of simulated time the servo stood at
// `position` (µs of pulse width; 0 or less: switched off). Between two points of one servo it
// moves evenly; after its last point it stays.
struct ServoSample {
    std::int64_t timeUs = 0;
    int servo = 0;
    int position = 0;

    bool operator==(const ServoSample&) const = default;
};

// The paths of the servos of one simulated run and how far the run got. A move is two points,
// where it starts and where it arrives (the same time for a jump); a move begun before the last
// one arrived cuts that one short where the servo then stood. Plain C++: the plot, the "Serwa"
// dock and the export read it.
class ServoTimeline {
public:
    static constexpr int kServos = 16;

    void Clear();
    // Servo 1..16 sent from `from` at `startUs` towards `to`, arriving at `arrivalUs`. Others
    // are ignored; a start earlier than the servo's last move is taken at that move's start.
    void AddMove(int servo, std::int64_t startUs, int from, int to, std::int64_t arrivalUs);
    // The simulated time the run has reached; never moves back.
    void ReachTime(std::int64_t timeUs);

    std::int64_t EndUs() const { return endUs_; }
    bool Empty() const { return MovedServos().empty(); }
    // The servos that were moved, ascending.
    std::vector<int> MovedServos() const;
    // The points of one servo's path, in time order.
    const std::vector<ServoSample>& PathOf(int servo) const;
    // Where the servo stood at `timeUs`; none before its first move (or for no servo).
    std::optional<int> PositionAt(int servo, std::int64_t timeUs) const;
    // The smallest and largest position any servo took (switched-off ones aside).
    std::optional<std::pair<int, int>> PositionRange() const;

    // "Czas [us];Serwo;Pozycja [us]" and every point of every path by time, then servo; CR LF,
    // ';' between the fields as a spreadsheet with a decimal comma expects, whole numbers only,
    // so nothing depends on the locale. A servo moves evenly between two of its lines.
    std::string Csv() const;

private:
    std::array<std::vector<ServoSample>, kServos> paths_{};
    std::int64_t endUs_ = 0;
};

}  // namespace orvane::app::simulate
