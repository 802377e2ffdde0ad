#include "SimulatedBoard.h"

#include <algorithm>
#include <cmath>

namespace quorin::sim {
namespace {

// Timing words of a board programmed for 9 frames/s, as the frame-rate derivation makes them.
constexpr std::int32_t f9 = 800;       // 7200 / 9
constexpr std::int32_t m9 = 1'111'111; // 10,000,000 / 9

void putBigEndian(std::uint8_t* at, std::uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i, value >>= 8)
        at[i] = static_cast<std::uint8_t>(value & 0xFF);
}

} // namespace

BoardConfiguration BoardConfiguration::fresh() {
    BoardConfiguration c;
    c.mode = scanMode;
    c.int0Ticks = c.int1Ticks = 166 * 40;
    c.cfgReg = 0x1BF;
    c.dacCodes.fill(0x8000);
    c.goaWords = {6 * f9, 1302 * f9, 7 * f9, 11 * f9, 7 * f9, 4 * f9, 6 * f9, 130,    12 * f9, 4 * f9, 6 * f9,
                  129,    m9,        0,      0,       0,      0,      0,      0,      0,       0,      0,
                  0,      0,         0,      0,       0,      0,      0,      2 * f9, 7 * f9,  4 * f9};
    c.scanValues[0] = 4 * f9;
    for (int j = 1; j <= 8; ++j)
        c.scanValues[j] = 5 * (j - 1) * f9 + 30;
    c.scanValues[9] = 39 * f9 + 60;
    for (int k = 1; k <= 32; ++k)
        c.scanValues[9 + k] = (40 * k - 23) * f9 - 30;
    c.scanValues[42] = m9;
    return c;
}

std::int32_t BoardConfiguration::totalPeriod() const {
    return mode == goaMode ? goaWords[12] : scanValues[42];
}

std::uint8_t BoardConfiguration::framesPerSecond() const {
    const std::int32_t period = totalPeriod();
    if (period <= 0)
        return period == 0 ? 255 : 0;
    const long rate = std::lround(10'000'000.0 / period);
    return static_cast<std::uint8_t>(std::min(rate, 255L));
}

std::array<std::uint8_t, parameterBlockBytes> BoardConfiguration::parameterBlock() const {
    std::array<std::uint8_t, parameterBlockBytes> block{};
    block[0] = mode;
    block[1] = framesPerSecond();
    putBigEndian(&block[6], int0Ticks, 3);
    putBigEndian(&block[9], int1Ticks, 3);
    putBigEndian(&block[12], cfgReg, 2);
    for (std::size_t i = 0; i < dacCodes.size(); ++i)
        putBigEndian(&block[17 + 2 * i], dacCodes[i], 2);
    if (mode == goaMode)
        for (std::size_t w = 0; w < goaWords.size(); ++w)
            putBigEndian(&block[49 + 4 * w], static_cast<std::uint32_t>(goaWords[w]), 4);
    else
        for (std::size_t k = 0; k < scanValues.size(); ++k)
            putBigEndian(&block[49 + 4 * k], static_cast<std::uint32_t>(scanValues[k]), 4);
    return block;
}

} // namespace quorin::sim
