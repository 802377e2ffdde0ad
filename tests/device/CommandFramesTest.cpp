#include "CommandFrames.h"

#include <gtest/gtest.h>

using namespace quorin;

TEST(CommandFrames, EnvelopeAndChecksum) {
    EXPECT_EQ(blockRequest(2), (Frame{0xFF, 0xAA, 0x00, 0x02, 0x0D, 0xEB}));
    EXPECT_EQ(parameterRequest(), (Frame{0xFF, 0xAA, 0x00, 0xFF, 0x0D, 0xEB}));
    EXPECT_EQ(applyCommand(), (Frame{0xFF, 0xAA, 0x01, 0x00, 0x0D, 0xEB}));
    EXPECT_EQ(modeSelectCommand(BoardMode::Scan), (Bytes{0xFF, 0xAA, 0x00, 0xA4, 0x0D, 0xEB, 0x02, 0x02}));
    EXPECT_EQ(modeSelectCommand(BoardMode::Goa), (Bytes{0xFF, 0xAA, 0x00, 0xA4, 0x0D, 0xEB, 0x01, 0x01}));

    // Header bytes stay out of the checksum; the sum wraps at 256.
    const Bytes payload{0x80, 0x90, 0x7F};
    const Bytes packet = configurationPacket(0xA1, payload);
    ASSERT_EQ(packet.size(), 10u);
    EXPECT_EQ(packet.back(), 0x8F);
}

TEST(CommandFrames, VoltagePacketWorkedExample) {
    // Form defaults in chip Type A slot order.
    const double volts[16] = {0, 0, -15, 0.5, -10, -15, 0, -15, -15, 3, -2, 12, -12, 17, -17, 0};
    std::array<int, 16> codes{};
    for (int i = 0; i < 16; ++i)
        codes[i] = voltageToCode(volts[i]);
    const Bytes expected{0xFF, 0xAA, 0x00, 0xA1, 0x0D, 0xEB, 0x80, 0x00, 0x80, 0x00, 0x20, 0x00, 0x83,
                         0x33, 0x40, 0x00, 0x20, 0x00, 0x80, 0x00, 0x20, 0x00, 0x20, 0x00, 0x93, 0x33,
                         0x73, 0x33, 0xCC, 0xCD, 0x33, 0x33, 0xEC, 0xCD, 0x13, 0x33, 0x80, 0x00, 0xE0};
    EXPECT_EQ(voltagePacket(codes), expected);

    std::array<int, 16> allZeroVolts;
    allZeroVolts.fill(voltageToCode(0.0));
    EXPECT_EQ(voltagePacket(allZeroVolts).back(), 0x00);
}

TEST(CommandFrames, VoltageToCode) {
    struct Case {
        double volts;
        int code;
    };
    const Case cases[] = {
        {-20, 0},       {0, 32768},      {19.999, 65534}, {-0.0005, 32767}, {0.0003, 32768},
        {12.0, 0xCCCD}, {20.0, 65535},   {25.0, 65535},   {-20.5, 0},       {-1e300, 0},
        // Exact halves round up: code 32768.5 lies at 40 × 0.5 / 65536 V above 0 V.
        {0.5 * 40.0 / 65536.0, 32769},
    };
    for (const Case& c : cases)
        EXPECT_EQ(voltageToCode(c.volts), c.code) << c.volts;
    EXPECT_EQ(splitCode(0xCCCD), (std::array<std::uint8_t, 2>{0xCC, 0xCD}));
    EXPECT_EQ(splitCode(0), (std::array<std::uint8_t, 2>{0x00, 0x00}));
}

TEST(CommandFrames, HexPairValue) {
    struct Case {
        char c1, c2;
        int value;
    };
    const Case cases[] = {{'C', 'D', 205}, {'c', 'd', 205}, {'0', 'F', 15}, {'9', '9', 153}, {'f', 'f', 255}};
    for (const Case& c : cases)
        EXPECT_EQ(hexPairValue(c.c1, c.c2), c.value) << c.c1 << c.c2;
}
