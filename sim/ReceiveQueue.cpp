#include "ReceiveQueue.h"

#include <algorithm>
#include <cstring>

namespace quorin::sim {

void ReceiveQueue::push(std::vector<std::uint8_t> bytes, Clock::time_point readyAt) {
    if (bytes.empty())
        return;
    // Answers leave the board in order: none overtakes an earlier one.
    if (!segments_.empty())
        readyAt = std::max(readyAt, segments_.back().readyAt);
    segments_.push_back({readyAt, std::move(bytes), 0});
}

std::size_t ReceiveQueue::readable(Clock::time_point now) const {
    std::size_t count = 0;
    for (const Segment& s : segments_) {
        if (s.readyAt > now)
            break;
        count += s.bytes.size() - s.taken;
    }
    return count;
}

std::size_t ReceiveQueue::take(std::uint8_t* out, std::size_t length, Clock::time_point now) {
    std::size_t done = 0;
    while (done < length && !segments_.empty() && segments_.front().readyAt <= now) {
        Segment& s = segments_.front();
        const std::size_t n = std::min(length - done, s.bytes.size() - s.taken);
        std::memcpy(out + done, s.bytes.data() + s.taken, n);
        done += n;
        s.taken += n;
        if (s.taken == s.bytes.size())
            segments_.pop_front();
    }
    return done;
}

} // namespace quorin::sim
