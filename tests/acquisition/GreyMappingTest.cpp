#include "GreyMapping.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace frame = quorin::frame;
using quorin::LevelMaps;

namespace {

struct RawFrameBuffer {
    std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(frame::frameBytes);
    void set(std::size_t p, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes[p * 4 + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
    quorin::RawFrame view() const { return quorin::RawFrame(bytes.data(), frame::frameBytes); }
};

cv::Mat fast(const RawFrameBuffer& f, const LevelMaps& maps) {
    return quorin::buildGreyFrame(f.view(), maps);
}

cv::Mat reference(const RawFrameBuffer& f, const LevelMaps& maps) {
    cv::Mat grey;
    quorin::buildGreyFrameReference(f.view(), maps, grey);
    return grey;
}

bool identical(const cv::Mat& a, const cv::Mat& b) {
    return a.size() == b.size() && a.type() == b.type() && std::equal(a.datastart, a.dataend, b.datastart);
}

} // namespace

struct GreyCase {
    std::uint32_t sample, lower, upper;
    int grey;
};

class GreyLevelCases : public ::testing::TestWithParam<GreyCase> {};

// Each case sits at one pixel of an otherwise random frame, through both paths.
TEST_P(GreyLevelCases, MapsSampleBetweenItsLevels) {
    const GreyCase c = GetParam();
    EXPECT_EQ(quorin::greyLevel(c.sample, c.lower, c.upper), c.grey);
    std::vector<std::uint32_t> lower(frame::pixelCount, 4096), upper(frame::pixelCount, 1048575);
    constexpr std::size_t p = 40000 + 3; // row 156, column 67
    lower[p] = c.lower;
    upper[p] = c.upper;
    const LevelMaps maps(lower, upper);
    RawFrameBuffer f;
    f.set(p, c.sample);
    const cv::Mat grey = fast(f, maps);
    ASSERT_EQ(grey.rows, 256);
    ASSERT_EQ(grey.type(), CV_8UC1);
    EXPECT_EQ(grey.at<std::uint8_t>(156, 67), c.grey);
    EXPECT_TRUE(identical(grey, reference(f, maps)));
}

INSTANTIATE_TEST_SUITE_P(
    Edges, GreyLevelCases,
    ::testing::Values(GreyCase{0, 4096, 1048575, 0}, GreyCase{4095, 4096, 1048575, 0},
                      GreyCase{4096, 4096, 1048575, 0}, GreyCase{8192, 4096, 1048575, 1},
                      GreyCase{524288, 4096, 1048575, 127}, GreyCase{528384, 4096, 1048575, 128},
                      GreyCase{1048575, 4096, 1048575, 255},
                      GreyCase{0, 5000, 44999, 255}, // narrower than 40000: white whatever the sample
                      GreyCase{900000, 5000, 44999, 255},
                      GreyCase{1048575, 600000, 5000, 0}, // upper below lower: black for every 20-bit sample
                      GreyCase{5000, 600000, 5000, 0}, GreyCase{7000, 7000, 600000, 0}, // at the lower level
                      GreyCase{600000, 7000, 600000, 255},                              // at the upper level
                      GreyCase{900000, 7000, 600000, 255},                              // above it
                      GreyCase{6999, 7000, 600000, 0},                                  // just below it
                      GreyCase{0x80001000u, 4096, 1048575, 0},  // d negative in 32 bits
                      GreyCase{17347105, 4096, 1048575, 122})); // d × 255 wraps in 32 bits

TEST(GreyMapping, SampleOrderIsRowMajorAcrossTheFourBlocks) {
    RawFrameBuffer f;
    for (std::size_t p = 0; p < frame::pixelCount; ++p)
        f.set(p, 4096 + static_cast<std::uint32_t>((p / 256 + p % 256) % 256) * 4096);
    const cv::Mat grey = fast(f, LevelMaps());
    for (int row : {0, 63, 64, 200, 255})
        for (int col : {0, 1, 255})
            EXPECT_EQ(grey.at<std::uint8_t>(row, col),
                      quorin::greyLevel(4096 + ((row + col) % 256) * 4096, 4096, 1048575))
                << row << "," << col;
}

// Calibrated maps with a spread, and hostile maps and samples: both paths agree byte for byte.
TEST(GreyMapping, FastPathMatchesReferenceOnRandomFrames) {
    std::mt19937 random(7);
    for (int round = 0; round < 12; ++round) {
        std::vector<std::uint32_t> lower(frame::pixelCount), upper(frame::pixelCount);
        RawFrameBuffer f;
        for (std::size_t p = 0; p < frame::pixelCount; ++p) {
            if (round % 3 == 0) { // calibrated
                lower[p] = 3000 + random() % 3000;
                upper[p] = 300000 + random() % 700000;
                f.set(p, random() % 1100000);
            } else if (round % 3 == 1) { // anything at all
                lower[p] = random();
                upper[p] = random() % 4 ? random() : lower[p] + random() % 80000;
                f.set(p, random());
            } else { // samples on exact multiples of the range: quotients that are whole numbers
                lower[p] = 4096 + random() % 5000;
                upper[p] = lower[p] + 40000 + random() % 1000000;
                const std::uint32_t range = upper[p] - lower[p];
                const std::uint32_t k = random() % 257;
                f.set(p,
                      lower[p] + static_cast<std::uint32_t>(std::uint64_t(k) * range / 255) + random() % 2);
            }
        }
        const LevelMaps maps(lower, upper);
        EXPECT_TRUE(identical(fast(f, maps), reference(f, maps))) << "round " << round;
    }
}

// Every difference d from 0 to 2^22 against ranges from the narrowest to beyond 20 bits.
TEST(GreyMapping, FastPathMatchesReferenceForEveryDifference) {
    for (std::uint32_t range : {40000u, 40001u, 65535u, 262143u, 1044479u, 1048575u, 16777215u}) {
        const LevelMaps maps(std::vector<std::uint32_t>(frame::pixelCount, 4096),
                             std::vector<std::uint32_t>(frame::pixelCount, 4096 + range));
        RawFrameBuffer f;
        for (std::uint32_t first = 0; first < (1u << 22); first += frame::pixelCount) {
            for (std::uint32_t p = 0; p < frame::pixelCount; ++p)
                f.set(p, 4096 + first + p);
            ASSERT_TRUE(identical(fast(f, maps), reference(f, maps)))
                << "range " << range << " from " << first;
        }
    }
}
