#include "FrameSynthesiser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using quorin::sim::FrameSynthesiser;
using quorin::sim::LightSource;
using Frame = std::vector<std::uint32_t>;

namespace {

constexpr std::uint32_t defaultTicks = 6640; // 166 µs

// The host's reference: trimmed mean of 15 frames per pixel, times a factor.
std::vector<double> level(const FrameSynthesiser& synth, LightSource light, std::uint32_t& noise,
                          double factor) {
    std::vector<Frame> frames(15);
    for (Frame& f : frames)
        synth.synthesise(light, defaultTicks, &noise, f);
    std::vector<double> out(quorin::sim::samplesPerFrame);
    std::array<std::uint32_t, 15> v;
    for (std::size_t p = 0; p < out.size(); ++p) {
        for (std::size_t i = 0; i < 15; ++i)
            v[i] = frames[i][p];
        std::sort(v.begin(), v.end());
        std::uint32_t sum = 0;
        for (std::size_t i = 1; i < 14; ++i)
            sum += v[i];
        out[p] = std::trunc((sum / 13) * factor);
    }
    return out;
}

// Standard deviation of the grey levels inside the bright disc of the scene.
double discSpread(const std::vector<double>& grey) {
    double sum = 0, sq = 0;
    int n = 0;
    for (int r = 55; r < 105; ++r)
        for (int c = 55; c < 105; ++c)
            if (std::hypot(r - 80, c - 80) < 25) {
                const double g = grey[r * 256 + c];
                sum += g;
                sq += g * g;
                ++n;
            }
    return std::sqrt(sq / n - (sum / n) * (sum / n));
}

double mapGrey(double sample, double lower, double upper) {
    if (upper - lower < 40000)
        return 255;
    return std::clamp(std::floor((std::max(sample, 4096.0) - lower) * 255 / (upper - lower)), 0.0, 255.0);
}

} // namespace

TEST(FrameSynthesiser, FullOffFullOnCalibrationFlattensThePicture) {
    const FrameSynthesiser synth("QS2024A001");
    std::uint32_t noise = 12345;
    const auto lower = level(synth, LightSource::Dark, noise, 0.8);
    const auto upper = level(synth, LightSource::FullLight, noise, 1.1);
    Frame scene;
    synth.synthesise(LightSource::Scene, defaultTicks, &noise, scene);

    std::vector<double> raw(scene.size()), calibrated(scene.size());
    for (std::size_t p = 0; p < scene.size(); ++p) {
        ASSERT_GT(upper[p] - lower[p], 40000) << p; // no pixel shows white for want of range
        raw[p] = mapGrey(scene[p], 4096, 1048575);
        calibrated[p] = mapGrey(scene[p], lower[p], upper[p]);
    }
    EXPECT_GT(discSpread(raw), 5.0); // the panel's spread is plain to see before calibration
    EXPECT_LT(discSpread(calibrated), discSpread(raw) / 5);
    // The scene stays recognisable: the disc is bright, the square dark, the gradient rises.
    EXPECT_GT(calibrated[80 * 256 + 80], 200);
    EXPECT_LT(calibrated[75 * 256 + 185], 30);
    EXPECT_LT(calibrated[10 * 256 + 10] + 50, calibrated[200 * 256 + 240]);
}

TEST(FrameSynthesiser, CodesStayWithinTwentyBits) {
    const FrameSynthesiser synth("QS2024A001");
    std::uint32_t noise = 1;
    Frame f;
    for (std::uint32_t ticks : {0u, defaultTicks, 160000u, 0xFFFFFFu})
        for (LightSource light : {LightSource::Dark, LightSource::Scene, LightSource::FullLight}) {
            synth.synthesise(light, ticks, &noise, f);
            const auto [lo, hi] = std::minmax_element(f.begin(), f.end());
            EXPECT_GT(*lo, quorin::sim::zeroSignalCode);
            EXPECT_LT(*hi, quorin::sim::maxCode - 2000); // headroom: saturation is never clipped
        }
}

TEST(FrameSynthesiser, TheSpreadBelongsToTheBoard) {
    Frame a, a2, b;
    FrameSynthesiser("QS2024A001").synthesise(LightSource::FullLight, defaultTicks, nullptr, a);
    FrameSynthesiser("QS2024A001").synthesise(LightSource::FullLight, defaultTicks, nullptr, a2);
    FrameSynthesiser("QS2024A002").synthesise(LightSource::FullLight, defaultTicks, nullptr, b);
    EXPECT_EQ(a, a2);
    EXPECT_NE(a, b);
}
