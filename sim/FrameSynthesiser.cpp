#include "FrameSynthesiser.h"

#include <algorithm>
#include <cmath>

namespace quorin::sim {
namespace {

std::uint64_t fnv1a(const std::string& text) {
    std::uint64_t h = 1469598103934665603ull;
    for (unsigned char c : text)
        h = (h ^ c) * 1099511628211ull;
    return h;
}

// splitmix64: a small, well-mixed generator for the fixed spread.
class SpreadRandom {
public:
    explicit SpreadRandom(std::uint64_t seed) : state_(seed) {}
    float uniform() { // 0..1
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        return static_cast<float>(z >> 40) / static_cast<float>(1ull << 24);
    }

private:
    std::uint64_t state_;
};

// A gradient with a bright disc, a ring, a dark square and a dark bar: easy to recognise and to
// tell apart from the panel's column stripes.
float sceneAt(int row, int col) {
    const auto inside = [&](float cy, float cx, float r) {
        return std::hypot(static_cast<float>(row) - cy, static_cast<float>(col) - cx) <= r;
    };
    if (inside(80, 80, 40))
        return 1.0f;
    if (inside(176, 176, 46) && !inside(176, 176, 32))
        return 0.95f;
    if (row >= 40 && row < 110 && col >= 150 && col < 220)
        return 0.05f;
    if (row >= 226 && row < 238 && col >= 16 && col < 128)
        return 0.0f;
    return 0.15f + 0.6f * static_cast<float>(row + col) / 510.0f;
}

} // namespace

FrameSynthesiser::FrameSynthesiser(const std::string& serial)
    : dark_(samplesPerFrame), gain_(samplesPerFrame), scene_(samplesPerFrame) {
    SpreadRandom random(fnv1a(serial));
    std::vector<float> columnOffset(frameSide), columnGain(frameSide);
    for (int c = 0; c < frameSide; ++c) {
        columnOffset[c] = random.uniform();
        columnGain[c] = random.uniform();
    }
    for (int row = 0; row < frameSide; ++row)
        for (int col = 0; col < frameSide; ++col) {
            const std::size_t p = static_cast<std::size_t>(row) * frameSide + col;
            dark_[p] = static_cast<float>(zeroSignalCode) + 1500.0f + 2500.0f * columnOffset[col] +
                       3000.0f * random.uniform();
            gain_[p] =
                1.0f + 0.1f * (2.0f * columnGain[col] - 1.0f) + 0.1f * (2.0f * random.uniform() - 1.0f);
            scene_[p] = sceneAt(row, col);
        }
}

float FrameSynthesiser::fullLightSignal(std::uint32_t int0Ticks) {
    // 166 µs (6640 ticks) gives two thirds of the saturation signal; the brightest pixel at
    // saturation still stays inside 20 bits.
    constexpr float saturation = 850000.0f;
    constexpr float tau = 6044.0f;
    return saturation * (1.0f - std::exp(-static_cast<float>(int0Ticks) / tau));
}

void FrameSynthesiser::synthesise(LightSource light, std::uint32_t int0Ticks, std::uint32_t* noiseState,
                                  std::vector<std::uint32_t>& out) const {
    out.resize(samplesPerFrame);
    const float signal = light == LightSource::Dark ? 0.0f : fullLightSignal(int0Ticks);
    const bool scene = light == LightSource::Scene;
    std::uint32_t state = noiseState ? *noiseState : 0;
    for (std::size_t p = 0; p < samplesPerFrame; ++p) {
        float v = dark_[p] + gain_[p] * signal * (scene ? scene_[p] : 1.0f);
        if (noiseState) {
            state ^= state << 13; // xorshift32
            state ^= state >> 17;
            state ^= state << 5;
            v += static_cast<float>(static_cast<int>(state >> 23) - noiseAmplitude);
        }
        out[p] = static_cast<std::uint32_t>(std::clamp(v + 0.5f, 0.0f, static_cast<float>(maxCode)));
    }
    if (noiseState)
        *noiseState = state;
}

} // namespace quorin::sim
