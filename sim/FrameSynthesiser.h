// Synthesises the frames of one board: a scene seen through the per-pixel offset and gain spread
// of its panel, plus temporal noise.
#pragma once

#include "SimulatedBoard.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quorin::sim {

class FrameSynthesiser {
public:
    // The spread is fixed per board: seeded from its serial number.
    explicit FrameSynthesiser(const std::string& serial);

    // Fills `out` with one frame of 65,536 codes. `noiseState` drives the temporal noise; nullptr
    // gives the noise-free frame.
    void synthesise(LightSource light, std::uint32_t int0Ticks, std::uint32_t* noiseState,
                    std::vector<std::uint32_t>& out) const;

    // Signal above dark of a pixel of average gain under full light; saturates with long integration.
    static float fullLightSignal(std::uint32_t int0Ticks);

    static constexpr int noiseAmplitude = 256; // codes either side of the mean

private:
    std::vector<float> dark_;  // 4096 + offset
    std::vector<float> gain_;  // about 1 ± 0.2
    std::vector<float> scene_; // 0..1
};

} // namespace quorin::sim
