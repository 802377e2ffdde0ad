// One raw frame buffered by a data recording until its export.
#pragma once

#include "FrameFormat.h"

#include <cstdint>
#include <span>
#include <vector>

namespace quorin {

// The samples of a raw frame, lossless: in three bytes each while every sample of the frame fits
// 24 bits (the board's codes have 20), in all four otherwise. A 1000-frame recording so holds
// 192 MiB rather than 256, which keeps the process under its memory bound beside the libraries.
class SavedFrame {
public:
    explicit SavedFrame(std::span<const std::uint8_t, frame::frameBytes> raw);

    // Sample p as decodeSample reads it from the raw frame.
    std::uint32_t sample(std::size_t p) const {
        const std::uint8_t* b = bytes_.data() + p * width_;
        return width_ == 4 ? frame::decodeSample(b)
                           : std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16;
    }

    // All samples in pixel order.
    void decode(std::span<std::uint32_t, frame::pixelCount> samples) const;

    std::size_t heldBytes() const { return bytes_.size(); }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t width_; // bytes per sample, 3 or 4
};

} // namespace quorin
