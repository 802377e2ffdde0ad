// The shape of a raw frame as the board sends it, and the decoding of one sample.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quorin::frame {

inline constexpr int side = 256;                 // rows and columns of the sensor
inline constexpr std::size_t pixelCount = 65536; // pixel p is row p / 256, column p % 256
inline constexpr std::size_t blockBytes = 65536; // one block request is answered by this many bytes
inline constexpr int blocksPerFrame = 4;         // block n holds rows 64·n … 64·n + 63
inline constexpr std::size_t sampleBytes = 4;
inline constexpr std::size_t frameBytes = pixelCount * sampleBytes; // 262,144

inline constexpr std::uint32_t zeroSignal = 4096;   // codes 0 … 4095 count as zero signal
inline constexpr std::uint32_t fullScale = 1048575; // the largest 20-bit code

// The four bytes of a sample in stream order, little-endian.
inline std::uint32_t decodeSample(const std::uint8_t* b) {
    return std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 |
           std::uint32_t(b[3]) << 24;
}

} // namespace quorin::frame
