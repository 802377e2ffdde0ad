#include "BenchSupport.h"

#include <random>

namespace quorin::bench {
namespace {

LevelMaps spreadMaps() {
    std::mt19937 random(11);
    std::vector<std::uint32_t> lower(frame::pixelCount), upper(frame::pixelCount);
    for (std::size_t p = 0; p < frame::pixelCount; ++p) {
        const std::uint32_t offset = 4096 + random() % 2000; // dark level of the pixel
        const std::uint32_t gain = 500000 + random() % 400000;
        lower[p] = levelFromMean(offset, fullOffLevelFactor);
        upper[p] = levelFromMean(offset + gain, fullOnLevelFactor);
    }
    return LevelMaps(std::move(lower), std::move(upper));
}

} // namespace

CalibratedScene::CalibratedScene() : bytes(frame::frameBytes), maps(spreadMaps()) {
    std::mt19937 random(5);
    for (std::size_t p = 0; p < frame::pixelCount; ++p) {
        const std::uint32_t sample = 3000 + random() % 1000000;
        for (int i = 0; i < 4; ++i)
            bytes[p * 4 + i] = static_cast<std::uint8_t>(sample >> (8 * i));
    }
}

} // namespace quorin::bench
