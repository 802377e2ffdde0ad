// The per-pixel lower and upper grey levels. A map set is immutable once built: the GUI thread and
// a finished collection publish a new set, the acquisition loop picks it up at a frame boundary.
#pragma once

#include "FrameFormat.h"

#include <cstdint>
#include <span>
#include <vector>

namespace quorin {

inline constexpr double fullOnLevelFactor = 1.1;         // Full-ON mean → upper level
inline constexpr double fullOffLevelFactor = 0.8;        // Full-OFF mean → lower level
inline constexpr std::uint32_t minimumGreyRange = 40000; // narrower pixels are shown white

// Truncation toward zero of mean × factor; a product beyond 32 bits saturates.
inline std::uint32_t levelFromMean(std::uint32_t mean, double factor) {
    const double level = mean * factor;
    return level >= 4294967295.0 ? 0xFFFFFFFFu : static_cast<std::uint32_t>(level);
}

class LevelMaps {
public:
    LevelMaps(); // every lower level 4096, every upper level 1,048,575
    LevelMaps(std::vector<std::uint32_t> minMap, std::vector<std::uint32_t> maxMap);

    const std::vector<std::uint32_t>& minMap() const { return minMap_; }
    const std::vector<std::uint32_t>& maxMap() const { return maxMap_; }

    // Per pixel 255 / (upper − lower) in single precision, NaN where the range is below
    // minimumGreyRange: the precomputed reciprocal the fast grey mapping starts from.
    std::span<const float> greyScale() const { return greyScale_; }

private:
    std::vector<std::uint32_t> minMap_;
    std::vector<std::uint32_t> maxMap_;
    std::vector<float> greyScale_;
};

} // namespace quorin
