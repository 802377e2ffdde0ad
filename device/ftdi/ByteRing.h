// A bounded first-in first-out queue of bytes: the receive queue of one open bridge.
// Not synchronised; its owner holds the lock.
#pragma once

#include <cstddef>
#include <vector>

namespace quorin::driver::ftdi {

class ByteRing {
public:
    explicit ByteRing(std::size_t capacity) : storage_(capacity) {}

    std::size_t size() const { return size_; }
    std::size_t capacity() const { return storage_.size(); }
    std::size_t space() const { return capacity() - size_; }

    // Appends min(length, space()) bytes and returns how many; the caller makes room first.
    std::size_t put(const unsigned char* bytes, std::size_t length);
    // Moves up to length of the oldest bytes into out and returns how many.
    std::size_t take(unsigned char* out, std::size_t length);
    void clear() { head_ = size_ = 0; }

private:
    std::vector<unsigned char> storage_;
    std::size_t head_ = 0; // index of the oldest byte
    std::size_t size_ = 0;
};

} // namespace quorin::driver::ftdi
