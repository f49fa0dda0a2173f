// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <vector>

#include "tests/support/ScriptedPort.h"

namespace orvane::test {

// A controller in Komendy mode as the servo dialogs meet it on a scripted wire: set frames
// ('S' by default) move its servos once confirmed, read frames ('R') answer a servo's wire
// position. Knobs make it fail in one way each.
struct ServoBoard {
    explicit ServoBoard(Wire& wire) {
        wire.responder = [this](const std::vector<std::uint8_t>& bytes, Wire& w) { Hear(bytes, w); };
    }

    void Hear(const std::vector<std::uint8_t>& bytes, Wire& w) {
        if (awaiting && bytes == std::vector<std::uint8_t>{0x01}) {
            if (!silent) Confirm(*awaiting, w);
            awaiting.reset();
            return;
        }
        if (silent || (answerFrames >= 0 && static_cast<int>(frames.size()) >= answerFrames)) {
            frames.push_back(bytes);
            return;
        }
        frames.push_back(bytes);
        unsigned sum = 0;
        for (const auto b : bytes) sum += b;
        if (bytes.size() > 1 && badEcho.count(bytes[1])) ++sum;
        w.Reply({static_cast<std::uint8_t>(sum)});
        awaiting = bytes;
    }

    void Confirm(const std::vector<std::uint8_t>& frame, Wire& w) {
        w.Reply({0x01});
        if (frame.size() == 2 && frame[0] == readId) {
            const int wire = positions.at(frame[1] % 17);
            w.Reply({static_cast<std::uint8_t>(wire >> 8), static_cast<std::uint8_t>(wire)});
        } else if (frame.size() == 7 && frame[0] == setId) {
            positions.at(frame[1] % 17) = frame[5] << 8 | frame[6];
        }
    }

    // The set frames written so far, as (servo, step, time, soft, wire position).
    std::vector<std::array<int, 5>> Sets() const {
        std::vector<std::array<int, 5>> sets;
        for (const auto& f : frames) {
            if (f.size() == 7 && f[0] == setId) sets.push_back({f[1], f[2], f[3], f[4], f[5] << 8 | f[6]});
        }
        return sets;
    }
    std::vector<int> ReadServos() const {
        std::vector<int> servos;
        for (const auto& f : frames) {
            if (f.size() == 2 && f[0] == readId) servos.push_back(f[1]);
        }
        return servos;
    }

    std::array<int, 17> positions = [] {
        std::array<int, 17> p{};
        p.fill(1500);
        return p;
    }();
    std::uint8_t setId = 'S';
    std::uint8_t readId = 'R';
    bool silent = false;
    int answerFrames = -1;      // frames answered before it falls silent (-1: all)
    std::set<int> badEcho;      // servos whose frames get a wrong echo
    std::vector<std::vector<std::uint8_t>> frames;  // every frame heard, confirmations left out
    std::optional<std::vector<std::uint8_t>> awaiting;
};

}  // namespace orvane::test
