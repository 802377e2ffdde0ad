#include "ByteRing.h"

#include <algorithm>
#include <cstring>

namespace quorin::driver::ftdi {

std::size_t ByteRing::put(const unsigned char* bytes, std::size_t length) {
    const std::size_t count = std::min(length, space());
    if (count == 0)
        return 0;
    const std::size_t tail = (head_ + size_) % capacity();
    const std::size_t first = std::min(count, capacity() - tail);
    std::memcpy(storage_.data() + tail, bytes, first);
    std::memcpy(storage_.data(), bytes + first, count - first);
    size_ += count;
    return count;
}

std::size_t ByteRing::take(unsigned char* out, std::size_t length) {
    const std::size_t count = std::min(length, size_);
    if (count == 0)
        return 0;
    const std::size_t first = std::min(count, capacity() - head_);
    std::memcpy(out, storage_.data() + head_, first);
    std::memcpy(out + first, storage_.data(), count - first);
    head_ = (head_ + count) % capacity();
    size_ -= count;
    return count;
}

} // namespace quorin::driver::ftdi
