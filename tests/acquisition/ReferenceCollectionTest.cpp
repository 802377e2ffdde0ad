#include "ReferenceCollection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace frame = quorin::frame;
using quorin::Reference;
using quorin::ReferenceCollector;

namespace {

std::vector<std::uint32_t> runMeans(const std::vector<std::uint32_t>& store, bool reference) {
    std::vector<std::uint32_t> means(frame::pixelCount);
    const quorin::SampleStore view(store.data(), store.size());
    const std::span<std::uint32_t, frame::pixelCount> out(means.data(), frame::pixelCount);
    reference ? quorin::trimmedMeansReference(view, out) : quorin::trimmedMeans(view, out);
    return means;
}

std::vector<std::uint8_t> uniformFrame(std::uint32_t v) {
    std::vector<std::uint8_t> bytes(frame::frameBytes);
    for (std::size_t p = 0; p < frame::pixelCount; ++p)
        for (int i = 0; i < 4; ++i)
            bytes[p * 4 + i] = static_cast<std::uint8_t>(v >> (8 * i));
    return bytes;
}

quorin::RawFrame view(const std::vector<std::uint8_t>& bytes) {
    return quorin::RawFrame(bytes.data(), frame::frameBytes);
}

} // namespace

struct MeanCase {
    const char* name;
    std::vector<std::uint32_t> samples; // the 15 samples of one pixel
    std::uint32_t mean;
};

class TrimmedMeanCases : public ::testing::TestWithParam<MeanCase> {};

TEST_P(TrimmedMeanCases, DropsSmallestAndLargest) {
    const MeanCase& c = GetParam();
    std::vector<std::uint32_t> store(quorin::referenceFrames * frame::pixelCount);
    constexpr std::size_t p = 12345;
    for (int s = 0; s < quorin::referenceFrames; ++s)
        store[s * frame::pixelCount + p] = c.samples[s];
    EXPECT_EQ(runMeans(store, false)[p], c.mean);
    EXPECT_EQ(runMeans(store, true)[p], c.mean);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TrimmedMeanCases,
    ::testing::Values(
        MeanCase{"identical", std::vector<std::uint32_t>(15, 5000), 5000},
        MeanCase{"one far above",
                 {5000, 5000, 5000, 5000, 5000, 5000, 5000, 900000, 5000, 5000, 5000, 5000, 5000, 5000, 5000},
                 5000},
        MeanCase{"one far below",
                 {5000, 5000, 0, 5000, 5000, 5000, 5000, 5000, 5000, 5000, 5000, 5000, 5000, 5000, 5000},
                 5000},
        // 13 middle samples summing to 13 × 100 + 12 truncate to 100.
        MeanCase{"truncates", {0, 101, 101, 101, 101, 101, 101, 101, 101, 101, 101, 101, 101, 100, 999}, 100},
        // The 13-sample sum wraps in 32 bits: both paths wrap alike.
        MeanCase{"wraps", std::vector<std::uint32_t>(15, 0x40000000u), (13u * 0x40000000u) / 13u}),
    [](const auto& info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

TEST(TrimmedMeans, FastPathMatchesReferenceOnRandomStores) {
    std::mt19937 random(3);
    std::vector<std::uint32_t> store(quorin::referenceFrames * frame::pixelCount);
    for (auto& v : store)
        v = random() % 2 ? 4000 + random() % 1000000 : random();
    EXPECT_EQ(runMeans(store, false), runMeans(store, true));
}

TEST(LevelFromMean, ScalesTruncatesAndSaturates) {
    EXPECT_EQ(quorin::levelFromMean(5000, quorin::fullOnLevelFactor), 5500u);
    EXPECT_EQ(quorin::levelFromMean(5000, quorin::fullOffLevelFactor), 4000u);
    EXPECT_EQ(quorin::levelFromMean(4099, quorin::fullOffLevelFactor), 3279u); // 3279.2
    EXPECT_EQ(quorin::levelFromMean(0xF0000000u, quorin::fullOnLevelFactor), 0xFFFFFFFFu);
}

TEST(ReferenceCollector, FifteenthFrameYieldsTheMeans) {
    ReferenceCollector collector;
    for (int i = 0; i < 14; ++i) {
        EXPECT_FALSE(collector.add(Reference::FullOn, view(uniformFrame(i == 3 ? 900000 : 5000))));
        EXPECT_EQ(collector.slot(), i + 1);
    }
    EXPECT_TRUE(collector.add(Reference::FullOn, view(uniformFrame(5000))));
    EXPECT_EQ(collector.slot(), 0);
    EXPECT_EQ(collector.means(), std::vector<std::uint32_t>(frame::pixelCount, 5000));
}

TEST(ReferenceCollector, OtherReferenceStartsAfresh) {
    ReferenceCollector collector;
    for (int i = 0; i < 5; ++i)
        collector.add(Reference::FullOn, view(uniformFrame(800000)));
    for (int i = 0; i < 14; ++i)
        ASSERT_FALSE(collector.add(Reference::FullOff, view(uniformFrame(5000))));
    ASSERT_TRUE(collector.add(Reference::FullOff, view(uniformFrame(5000))));
    EXPECT_EQ(collector.means().front(), 5000u);
}
