#include "TimingPackets.h"
#include "PacketTrace.h"

#include <gtest/gtest.h>

#include <map>

using namespace quorin;

namespace {

Bytes adcFor(std::int64_t int0Us, std::int64_t int1Us, std::string_view cfgReg) {
    return adcPacket(*splitTicks(int0Us * ticksPerMicrosecond), *splitTicks(int1Us * ticksPerMicrosecond),
                     *splitHexWord(cfgReg));
}

std::map<int, std::int32_t> byField(const std::vector<TimingField>& fields) {
    std::map<int, std::int32_t> m;
    for (const TimingField& f : fields)
        m[f.field] = f.value;
    return m;
}

} // namespace

TEST(AdcPacket, RangePresetsGiveTheirPackets) {
    struct Case {
        int range;
        Bytes packet;
    };
    const Case cases[] = {
        {1, {0xFF, 0xAA, 0x00, 0xA0, 0x0D, 0xEB, 0x00, 0x19, 0xF0, 0x00, 0x19, 0xF0, 0x01, 0xBF, 0xD2}},
        {2, {0xFF, 0xAA, 0x00, 0xA0, 0x0D, 0xEB, 0x00, 0x27, 0x10, 0x00, 0x27, 0x10, 0x01, 0xBF, 0x2E}},
        {3, {0xFF, 0xAA, 0x00, 0xA0, 0x0D, 0xEB, 0x00, 0x3E, 0x80, 0x00, 0x3E, 0x80, 0x01, 0x80, 0xFD}},
        {4, {0xFF, 0xAA, 0x00, 0xA0, 0x0D, 0xEB, 0x02, 0x71, 0x00, 0x02, 0x71, 0x00, 0x01, 0x80, 0x67}},
    };
    for (const Case& c : cases) {
        const RangePreset preset = *rangePresetTexts(c.range);
        EXPECT_EQ(
            adcFor(std::stoll(std::string(preset.int0)), std::stoll(std::string(preset.int1)), preset.cfgReg),
            c.packet)
            << "range " << c.range;
    }
    EXPECT_FALSE(rangePresetTexts(0));
    EXPECT_FALSE(rangePresetTexts(5));
    EXPECT_EQ(rangePresetTexts(4)->frame, "0.5");
}

TEST(AdcPacket, TicksFitTwentyFourBitsOrAreRefused) {
    using T = std::array<std::uint8_t, 3>;
    EXPECT_EQ(splitTicks(26215 * 40), (T{0x10, 0x00, 0x18}));
    EXPECT_EQ(splitTicks(419430 * 40), (T{0xFF, 0xFF, 0xF0}));
    EXPECT_EQ(splitTicks(0), (T{0x00, 0x00, 0x00}));
    EXPECT_EQ(splitTicks(0xFFFFFF), (T{0xFF, 0xFF, 0xFF}));
    EXPECT_FALSE(splitTicks(0x1000000));
    EXPECT_FALSE(splitTicks(419431 * 40));
    EXPECT_FALSE(splitTicks(-40));
}

TEST(AdcPacket, CfgRegTexts) {
    using W = std::array<std::uint8_t, 2>;
    struct Case {
        const char* text;
        std::optional<W> bytes;
    };
    const Case cases[] = {
        {"81bf", W{0x81, 0xBF}}, {"bf", W{0x00, 0xBF}},   {"BF", W{0x00, 0xBF}},   {"1bf", W{0x01, 0xBF}},
        {"f", W{0x00, 0x0F}},    {"FFFF", W{0xFF, 0xFF}}, {"1bf00", std::nullopt}, {"1bg", std::nullopt},
        {" 1bf", std::nullopt},  {"-1", std::nullopt},    {"0x1b", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(splitHexWord(c.text), c.bytes) << c.text;
    EXPECT_EQ(cfgRegTrace({0x01, 0xBF}), "mCFG_REG 的值为: 0x01, 0xbf\n");
}

TEST(FrameRateDerivation, PresetRates) {
    struct Case {
        double fps;
        std::int32_t f, m;
    };
    const Case cases[] = {{9, 800, 1111111}, {7, 1028, 1428571}, {5, 1440, 2000000}, {0.5, 14400, 20000000}};
    for (const Case& c : cases) {
        const auto fields = deriveTimings(c.fps);
        ASSERT_TRUE(fields) << c.fps;
        auto v = byField(*fields);
        const std::map<int, std::int32_t> expected = {
            {9, 6 * c.f},        {10, 1302 * c.f},
            {12, 11 * c.f},      {16, 130},
            {17, 12 * c.f},      {20, 129},
            {21, c.m},           {94, 2 * c.f},
            {51, 4 * c.f},       {52, 30},
            {53, 5 * c.f + 30},  {59, 35 * c.f + 30},
            {60, 39 * c.f + 60}, {61, 17 * c.f - 30},
            {62, 57 * c.f - 30}, {92, 1257 * c.f - 30},
            {93, c.m},
        };
        for (const auto& [field, value] : expected)
            EXPECT_EQ(v[field], value) << c.fps << " lineEdit_" << field;
    }
    const auto half = byField(*deriveTimings(0.5));
    EXPECT_EQ(half.at(10), 18748800);
    EXPECT_EQ(half.at(21), 20000000);
}

TEST(FrameRateDerivation, FieldOrderGoaThenScan) {
    const auto fields = *deriveTimings(9);
    ASSERT_EQ(fields.size(), 16u + 43u);
    for (std::size_t i = 0; i < goaFields.size(); ++i)
        EXPECT_EQ(fields[i].field, goaFields[i]);
    for (int k = 0; k < scanValueCount; ++k)
        EXPECT_EQ(fields[16 + k].field, scanFirstField + k);
}

TEST(FrameRateDerivation, NegativeRatesAndOverflow) {
    const auto negative = byField(*deriveTimings(-9));
    EXPECT_EQ(negative.at(9), -4800);
    EXPECT_EQ(negative.at(52), 30);
    EXPECT_EQ(negative.at(21), -1111111);

    // The total period m = 10000000 / x is the first value to leave 32 bits as the rate falls.
    EXPECT_TRUE(deriveTimings(0.0047));  // m = 2127659574
    EXPECT_FALSE(deriveTimings(0.0046)); // m = 2173913043
    EXPECT_FALSE(deriveTimings(1e-300)); // f itself
    EXPECT_FALSE(deriveTimings(-1e-300));
    EXPECT_FALSE(deriveTimings(0.0));
}

TEST(GoaPacket, FormDefaults) {
    const Bytes expected = [] {
        Bytes b{0xFF, 0xAA, 0x00, 0xA2, 0x0D, 0xEB, 0x00, 0x00, 0x00, 0x64, 0x00, 0x96, 0x2E, 0x18, 0x00,
                0x00, 0x00, 0xC8, 0x00, 0x00, 0x77, 0x9C, 0x00, 0x00, 0x00, 0xC8, 0x00, 0x00, 0x76, 0xC0,
                0x00, 0x00, 0xB2, 0x20, 0x00, 0x00, 0x00, 0x82, 0x00, 0x00, 0x95, 0x38, 0x00, 0x00, 0x76,
                0xC0, 0x00, 0x00, 0xB2, 0x20, 0x00, 0x00, 0x04, 0x69, 0x00, 0x98, 0x96, 0x80};
        b.resize(b.size() + 64, 0x00);
        b.insert(b.end(), {0x00, 0x00, 0x06, 0x40, 0x00, 0x00, 0x15, 0xE0, 0x00, 0x00, 0x0C, 0x80, 0x24});
        return b;
    }();
    const Bytes packet = goaPacket({100, 9842200, 200, 30620, 200, 30400, 45600, 130, 38200, 30400, 45600,
                                    1129, 10000000, 1600, 5600, 3200});
    EXPECT_EQ(packet, expected);
}

TEST(GoaPacket, NegativeValuesAreTwosComplement) {
    std::array<std::int32_t, 16> values{};
    values[15] = -1;
    const Bytes packet = goaPacket(values);
    ASSERT_EQ(packet.size(), 135u);
    EXPECT_EQ(Bytes(packet.begin() + 130, packet.begin() + 134), (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(packet.back(), (4 * 255) % 256);
}

TEST(ScanPacket, Checksums) {
    std::array<std::int32_t, 43> totalOnly{};
    totalOnly[42] = 10000000;
    std::array<std::int32_t, 43> ones;
    ones.fill(1);
    std::array<std::int32_t, 43> ramp;
    for (int k = 0; k < 43; ++k)
        ramp[k] = k;
    std::array<std::int32_t, 43> minusOne{};
    minusOne[0] = -1;

    struct Case {
        const std::array<std::int32_t, 43>* values;
        std::uint8_t checksum;
    };
    for (const Case& c :
         {Case{&totalOnly, 0xAE}, Case{&ones, 0x2B}, Case{&ramp, 0x87}, Case{&minusOne, 0xFC}}) {
        const Bytes packet = scanPacket(*c.values);
        ASSERT_EQ(packet.size(), 179u);
        EXPECT_EQ(packet.back(), c.checksum);
    }
    const Bytes packet = scanPacket(totalOnly);
    EXPECT_EQ(Bytes(packet.begin(), packet.begin() + 6), (Bytes{0xFF, 0xAA, 0x00, 0xA3, 0x0D, 0xEB}));
    EXPECT_EQ(Bytes(packet.begin() + 174, packet.begin() + 178), (Bytes{0x00, 0x98, 0x96, 0x80}));
    EXPECT_EQ(scanChecksumTrace(packet.back()), "UCHAR value: 174\n");
}

TEST(PacketTrace, Formats) {
    std::tm t{};
    t.tm_year = 2024 - 1900;
    t.tm_mon = 2;
    t.tm_mday = 5;
    t.tm_hour = 9;
    t.tm_min = 7;
    t.tm_sec = 0;
    Bytes packet(135, 0x00);
    packet[0] = 0xFF;
    packet[1] = 0xAA;
    packet[134] = 0x2b;
    const std::string dump = byteDumpTrace(packet, t);
    EXPECT_EQ(dump.rfind("[2024-3-5 9:7:0] [0] FF AA 00 00 \n[1] 00 00 00 00 \n", 0), 0u) << dump;
    EXPECT_EQ(std::count(dump.begin(), dump.end(), '\n'), 34);
    EXPECT_TRUE(dump.ends_with("\n[33] 00 00 2B \n")) << dump;

    EXPECT_EQ(hexRepresentationTrace(Bytes{0xFF, 0x0a, 0x00}), "Hex representation: FF 0A 00 \n");
}
