#include "LevelMaps.h"

#include <limits>
#include <stdexcept>

namespace quorin {

LevelMaps::LevelMaps()
    : LevelMaps(std::vector<std::uint32_t>(frame::pixelCount, frame::zeroSignal),
                std::vector<std::uint32_t>(frame::pixelCount, frame::fullScale)) {}

LevelMaps::LevelMaps(std::vector<std::uint32_t> minMap, std::vector<std::uint32_t> maxMap)
    : minMap_(std::move(minMap)), maxMap_(std::move(maxMap)), greyScale_(frame::pixelCount) {
    if (minMap_.size() != frame::pixelCount || maxMap_.size() != frame::pixelCount)
        throw std::invalid_argument("a level map holds one level per pixel");
    for (std::size_t p = 0; p < frame::pixelCount; ++p) {
        const std::uint32_t range = maxMap_[p] - minMap_[p];
        greyScale_[p] = range < minimumGreyRange ? std::numeric_limits<float>::quiet_NaN()
                                                 : static_cast<float>(255.0 / range);
    }
}

} // namespace quorin
