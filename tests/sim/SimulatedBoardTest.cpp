#include "SimFixture.h"

#include <algorithm>
#include <numeric>

using namespace simtest;
using quorin::sim::BoardConfiguration;
using quorin::sim::LightSource;

namespace {

const Bytes adc4000 = {0xFF, 0xAA, 0x00, 0xA0, 0x0D, 0xEB, 0x02, 0x71,
                       0x00, 0x02, 0x71, 0x00, 0x01, 0x80, 0x67};
const Bytes voltageDefaults = {0xFF, 0xAA, 0x00, 0xA1, 0x0D, 0xEB, 0x80, 0x00, 0x80, 0x00, 0x20, 0x00, 0x83,
                               0x33, 0x40, 0x00, 0x20, 0x00, 0x80, 0x00, 0x20, 0x00, 0x20, 0x00, 0x93, 0x33,
                               0x73, 0x33, 0xCC, 0xCD, 0x33, 0x33, 0xEC, 0xCD, 0x13, 0x33, 0x80, 0x00, 0xE0};
const Bytes modeGoa = {0xFF, 0xAA, 0x00, 0xA4, 0x0D, 0xEB, 0x01, 0x01};
const Bytes modeScan = {0xFF, 0xAA, 0x00, 0xA4, 0x0D, 0xEB, 0x02, 0x02};

// The GOA form defaults, with their total period replaced.
Bytes goaPacket(std::uint32_t totalPeriod) {
    Bytes payload;
    for (std::uint32_t v : {100u, 9842200u, 200u, 30620u, 200u, 30400u, 45600u, 130u, 38200u, 30400u, 45600u,
                            1129u, totalPeriod})
        appendBigEndian(payload, v, 4);
    payload.resize(payload.size() + 64, 0x00);
    for (std::uint32_t v : {1600u, 5600u, 3200u})
        appendBigEndian(payload, v, 4);
    return packet(0xA2, payload);
}

Bytes goaDefaults() {
    Bytes p = goaPacket(10'000'000);
    EXPECT_EQ(p.back(), 0x24);
    return p;
}

// Values 0, 1, ..., 41 (one of them -1) and the given total period.
Bytes scanPacket(std::int32_t totalPeriod) {
    Bytes payload;
    for (std::int32_t k = 0; k < 42; ++k)
        appendBigEndian(payload, static_cast<std::uint32_t>(k == 5 ? -1 : k), 4);
    appendBigEndian(payload, static_cast<std::uint32_t>(totalPeriod), 4);
    return packet(0xA3, payload);
}

Bytes slice(const Bytes& b, std::size_t from, std::size_t to) {
    return {b.begin() + from, b.begin() + to};
}

double mean(const std::vector<std::uint32_t>& v) {
    return std::accumulate(v.begin(), v.end(), 0.0) / v.size();
}

} // namespace

TEST_F(SimBoardTest, AFreshBoardReportsScanModeAtNineFramesPerSecond) {
    const Bytes block = parameters();
    ASSERT_EQ(block.size(), 256u);
    EXPECT_EQ(slice(block, 0, 2), (Bytes{0x02, 0x09}));
    EXPECT_EQ(slice(block, 6, 9), (Bytes{0x00, 0x19, 0xF0}));           // 166 µs
    EXPECT_EQ(slice(block, 17, 19), (Bytes{0x80, 0x00}));               // 0 V
    EXPECT_EQ(slice(block, 217, 221), (Bytes{0x00, 0x10, 0xF4, 0x47})); // SCAN total period 1111111
}

TEST_F(SimBoardTest, ConfigurationWaitsForTheApplyCommand) {
    const Bytes fresh = parameters();
    for (const Bytes& p : {adc4000, voltageDefaults, modeGoa, goaDefaults()})
        send(p);
    EXPECT_EQ(parameters(), fresh);
    EXPECT_EQ(board->appliedConfiguration(), BoardConfiguration::fresh());

    send(applyCommand);
    EXPECT_EQ(board->mode(), quorin::sim::goaMode);
    EXPECT_EQ(board->int0Ticks(), 160000u);
    EXPECT_EQ(board->int1Ticks(), 160000u);
    EXPECT_EQ(board->cfgReg(), 0x180);
    EXPECT_EQ(board->dacCodes()[2], 0x2000);
    EXPECT_EQ(board->dacCodes()[11], 0xCCCD);
    EXPECT_EQ(board->goaWords()[1], 9842200);
    EXPECT_EQ(board->goaWords()[12], 10000000);
    EXPECT_EQ(board->goaWords()[31], 3200);
    EXPECT_EQ(board->malformedCount(), 0u);
}

TEST_F(SimBoardTest, WritesInAnyPiecesActLikeWholePackets) {
    Bytes stream = adc4000;
    stream.insert(stream.end(), applyCommand.begin(), applyCommand.end());
    stream.insert(stream.end(), parameterRequest.begin(), parameterRequest.end());
    for (std::size_t piece : {std::size_t{1}, std::size_t{7}, std::size_t{11}}) {
        SCOPED_TRACE(piece);
        for (std::size_t at = 0; at < stream.size(); at += piece)
            send(slice(stream, at, std::min(stream.size(), at + piece)));
        const Bytes block = readFor(256);
        ASSERT_EQ(block.size(), 256u);
        EXPECT_EQ(slice(block, 6, 14), slice(adc4000, 6, 14));
    }
    EXPECT_EQ(board->malformedCount(), 0u);
}

TEST_F(SimBoardTest, ParameterBlockShowsTheAppliedGoaConfiguration) {
    const Bytes goa = goaDefaults();
    for (const Bytes& p : {adc4000, voltageDefaults, modeGoa, goa, applyCommand})
        send(p);
    const Bytes block = parameters();
    ASSERT_EQ(block.size(), 256u);
    EXPECT_EQ(block[0], 1);
    EXPECT_EQ(block[1], 1); // 10,000,000 / 10,000,000
    EXPECT_EQ(slice(block, 6, 14), slice(adc4000, 6, 14));
    EXPECT_EQ(slice(block, 17, 49), slice(voltageDefaults, 6, 38));
    EXPECT_EQ(slice(block, 49, 177), slice(goa, 6, 134));
}

TEST_F(SimBoardTest, ParameterBlockShowsTheAppliedScanConfiguration) {
    const Bytes scan = scanPacket(2'000'000);
    for (const Bytes& p : {modeGoa, goaDefaults(), applyCommand, modeScan, scan, applyCommand})
        send(p);
    const Bytes block = parameters();
    ASSERT_EQ(block.size(), 256u);
    EXPECT_EQ(block[0], 2);
    EXPECT_EQ(block[1], 5); // from the SCAN total period, not the GOA one
    EXPECT_EQ(slice(block, 49, 221), slice(scan, 6, 178));
    EXPECT_EQ(board->scanValues()[5], -1);
    EXPECT_EQ(board->goaWords()[12], 10000000); // the other mode's set is kept
}

TEST(BoardConfiguration, FrameRateFollowsTheTotalPeriodOfTheCurrentMode) {
    struct Case {
        std::uint8_t mode;
        std::int32_t period;
        int fps;
    };
    for (const Case& c : {Case{2, 1'111'111, 9},
                          {1, 1'428'571, 7},
                          {2, 20'000'000, 1},
                          {2, 30'000'000, 0},
                          {1, 3'000'000, 3},
                          {2, 10'000, 255},
                          {2, 0, 255},
                          {1, -5, 0}}) {
        SCOPED_TRACE(c.period);
        BoardConfiguration config = BoardConfiguration::fresh();
        config.mode = c.mode;
        (c.mode == 1 ? config.goaWords[12] : config.scanValues[42]) = c.period;
        EXPECT_EQ(config.framesPerSecond(), c.fps);
        EXPECT_EQ(config.parameterBlock()[1], c.fps);
    }
}

TEST_F(SimBoardTest, BlocksCarryTheFrameRowByRowInRequestOrder) {
    const auto first = readFrame();
    EXPECT_EQ(board->framesSynthesised(), 1u); // only block request 0 starts a frame
    EXPECT_EQ(first, board->lastFrame());
    EXPECT_TRUE(
        std::all_of(first.begin(), first.end(), [](std::uint32_t v) { return v <= quorin::sim::maxCode; }));

    const auto second = readFrame();
    EXPECT_EQ(board->framesSynthesised(), 2u);
    EXPECT_NE(first, second); // temporal noise
    EXPECT_EQ(board->malformedCount(), 0u);
}

TEST_F(SimBoardTest, NoiseFreeFramesCanBeRecomputed) {
    board->setNoiseFree(true);
    const auto expected = board->noiseFreeFrame(LightSource::Scene, 6640);
    EXPECT_EQ(readFrame(), expected);
    EXPECT_EQ(readFrame(), expected);
}

TEST_F(SimBoardTest, LightAndIntegrationTimeShapeTheSignal) {
    board->setLightSource(LightSource::Dark);
    const auto dark = readFrame();
    const auto [lo, hi] = std::minmax_element(dark.begin(), dark.end());
    EXPECT_GT(*lo, 4096u + 1000);
    EXPECT_LT(*hi, 4096u + 8000);
    board->setLightSource(LightSource::Scene);
    const double scene = mean(readFrame());
    board->setLightSource(LightSource::FullLight);
    const double full = mean(readFrame());
    EXPECT_GT(scene, mean(dark) + 100000);
    EXPECT_GT(full, scene + 100000);

    send(packet(0xA0, {0x00, 0x27, 0x10, 0x00, 0x27, 0x10, 0x01, 0xBF})); // 250 µs
    send(applyCommand);
    EXPECT_GT(mean(readFrame()), full + 50000);
}

TEST_F(SimBoardTest, FramesArePacedAtTheProgrammedRate) {
    struct Case {
        Bytes configuration;
        std::chrono::milliseconds period;
    };
    Bytes goaQuarter = modeGoa;
    const Bytes goa = goaPacket(2'500'000);
    goaQuarter.insert(goaQuarter.end(), goa.begin(), goa.end());
    for (const Case& c : {Case{scanPacket(1'111'111), 111ms}, Case{goaQuarter, 250ms}}) {
        SCOPED_TRACE(c.period.count());
        board->setUnlimitedPace(false);
        send(c.configuration); // mode select and timing in one write
        send(applyCommand);
        const auto start = std::chrono::steady_clock::now();
        send(blockRequest(0));
        ASSERT_EQ(readFor(65536).size(), 65536u);
        send(blockRequest(0));
        if (std::chrono::steady_clock::now() - start < c.period / 2) { // a loaded machine may be slower
            EXPECT_EQ(queued(), 0u);
        }
        ASSERT_EQ(readFor(65536, 3000ms).size(), 65536u);
        EXPECT_GE(std::chrono::steady_clock::now() - start, c.period);

        board->setUnlimitedPace(true);
        send(blockRequest(0));
        EXPECT_EQ(queued(), 65536u); // at once
        ASSERT_EQ(readFor(65536).size(), 65536u);
    }
}
