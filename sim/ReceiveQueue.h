// The board-to-host byte queue: answers become readable at their time, in order.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

namespace quorin::sim {

class ReceiveQueue {
public:
    using Clock = std::chrono::steady_clock;

    void push(std::vector<std::uint8_t> bytes, Clock::time_point readyAt);
    // Bytes readable at `now`: the answers that are ready, up to the first that is not.
    std::size_t readable(Clock::time_point now) const;
    // Takes up to `length` readable bytes; returns how many.
    std::size_t take(std::uint8_t* out, std::size_t length, Clock::time_point now);
    void clear() { segments_.clear(); }
    bool empty() const { return segments_.empty(); }

private:
    struct Segment {
        Clock::time_point readyAt;
        std::vector<std::uint8_t> bytes;
        std::size_t taken = 0;
    };
    std::deque<Segment> segments_;
};

} // namespace quorin::sim
