// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace orvane::tools {

// Everything the control dialog sent and received, with the time since the dialog opened, so
// the whole conversation can be saved to a file. A babbling controller cannot exhaust memory:
// past kMaxBytes the oldest entries are dropped, and the text says so.
class ConversationLog {
public:
    static constexpr std::size_t kMaxBytes = 4 * 1024 * 1024;

    struct Entry {
        std::int64_t atMs;
        bool sent;
        std::vector<std::uint8_t> bytes;
    };

    void Sent(std::int64_t atMs, std::vector<std::uint8_t> bytes) { Add({atMs, true, std::move(bytes)}); }
    void Received(std::int64_t atMs, std::vector<std::uint8_t> bytes) { Add({atMs, false, std::move(bytes)}); }
    bool Empty() const { return entries_.empty(); }
    const std::deque<Entry>& Entries() const { return entries_; }

    // One line per entry: "12,345 s  wysłano:   254  [FE]" (CP1250, LF line ends).
    std::string Text() const;

private:
    void Add(Entry entry);

    std::deque<Entry> entries_;
    std::size_t bytes_ = 0;
    bool dropped_ = false;
};

}  // namespace orvane::tools
