// From a raw frame to the 8-bit grey frame: every sample mapped between its pixel's lower and upper
// level.
#pragma once

#include "FrameFormat.h"
#include "LevelMaps.h"

#include <opencv2/core/mat.hpp>

#include <cstdint>
#include <span>

namespace quorin {

using RawFrame = std::span<const std::uint8_t, frame::frameBytes>;

// Grey level of one sample: samples at or below zero signal count as 4096; a pixel narrower than
// minimumGreyRange is white; below its lower level black; otherwise (d × 255) / range in unsigned
// 32-bit arithmetic, at most 255.
inline std::uint8_t greyLevel(std::uint32_t sample, std::uint32_t lower, std::uint32_t upper) {
    const std::uint32_t a = sample < frame::zeroSignal ? frame::zeroSignal : sample;
    const std::uint32_t range = upper - lower;
    if (range < minimumGreyRange)
        return 255;
    const auto d = static_cast<std::int32_t>(a - lower);
    if (d < 0)
        return 0;
    const std::uint32_t grey = static_cast<std::uint32_t>(d) * 255u / range;
    return static_cast<std::uint8_t>(grey > 255 ? 255 : grey);
}

// The grey frame, 256 × 256 CV_8UC1. `grey` is (re)allocated only when it has another shape.
void buildGreyFrame(RawFrame frame, const LevelMaps& maps, cv::Mat& grey);
cv::Mat buildGreyFrame(RawFrame frame, const LevelMaps& maps);

// The same mapping written plainly, pixel by pixel: the reference the fast path must match byte
// for byte.
void buildGreyFrameReference(RawFrame frame, const LevelMaps& maps, cv::Mat& grey);

} // namespace quorin
