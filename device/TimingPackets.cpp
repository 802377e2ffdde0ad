#include "TimingPackets.h"

#include <cmath>
#include <limits>

namespace quorin {

namespace {

void appendWord(Bytes& out, std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(u >> shift));
}

bool fits32(std::int64_t v) {
    return v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max();
}

// Divides in double precision and truncates toward zero, as long as the quotient fits 32 bits.
std::optional<std::int64_t> truncatedQuotient(double numerator, double denominator) {
    const double q = std::trunc(numerator / denominator);
    if (!(q >= std::numeric_limits<std::int32_t>::min() && q <= std::numeric_limits<std::int32_t>::max()))
        return std::nullopt; // also NaN
    return static_cast<std::int64_t>(q);
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::optional<std::array<std::uint8_t, 3>> splitTicks(std::int64_t ticks) {
    if (ticks < 0 || ticks > 0xFFFFFF)
        return std::nullopt;
    return std::array<std::uint8_t, 3>{static_cast<std::uint8_t>(ticks >> 16),
                                       static_cast<std::uint8_t>((ticks >> 8) & 0xFF),
                                       static_cast<std::uint8_t>(ticks & 0xFF)};
}

std::optional<std::array<std::uint8_t, 2>> splitHexWord(std::string_view text) {
    if (text.size() > 4)
        return std::nullopt;
    int word = 0;
    for (char c : text) {
        const int d = hexDigit(c);
        if (d < 0)
            return std::nullopt;
        word = word * 16 + d;
    }
    return std::array<std::uint8_t, 2>{static_cast<std::uint8_t>(word >> 8),
                                       static_cast<std::uint8_t>(word & 0xFF)};
}

Bytes adcPacket(const std::array<std::uint8_t, 3>& int0, const std::array<std::uint8_t, 3>& int1,
                const std::array<std::uint8_t, 2>& cfgReg) {
    Bytes payload(int0.begin(), int0.end());
    payload.insert(payload.end(), int1.begin(), int1.end());
    payload.insert(payload.end(), cfgReg.begin(), cfgReg.end());
    return configurationPacket(packetType::adc, payload);
}

std::optional<std::vector<TimingField>> deriveTimings(double framesPerSecond) {
    const auto f = truncatedQuotient(7200.0, framesPerSecond);
    const auto m = truncatedQuotient(10000000.0, framesPerSecond);
    if (!f || !m)
        return std::nullopt;

    const std::int64_t goa[16] = {6 * *f,  1302 * *f, 7 * *f, 11 * *f, 7 * *f, 4 * *f, 6 * *f, 130,
                                  12 * *f, 4 * *f,    6 * *f, 129,     *m,     2 * *f, 7 * *f, 4 * *f};
    std::vector<std::pair<int, std::int64_t>> wide;
    for (std::size_t i = 0; i < goaFields.size(); ++i)
        wide.emplace_back(goaFields[i], goa[i]);

    int field = scanFirstField;
    wide.emplace_back(field++, 4 * *f);
    for (int j = 1; j <= 8; ++j) // ck1_start … ck8_start
        wide.emplace_back(field++, 5 * (j - 1) * *f + 30);
    wide.emplace_back(field++, 39 * *f + 60);
    for (int k = 1; k <= 32; ++k) // scan1_start … scan32_start
        wide.emplace_back(field++, (40 * k - 23) * *f - 30);
    wide.emplace_back(field, *m);

    std::vector<TimingField> fields;
    fields.reserve(wide.size());
    for (const auto& [number, value] : wide) {
        if (!fits32(value))
            return std::nullopt;
        fields.push_back({number, static_cast<std::int32_t>(value)});
    }
    return fields;
}

Bytes goaPacket(const std::array<std::int32_t, 16>& values) {
    Bytes payload;
    payload.reserve(128);
    for (int i = 0; i < 13; ++i) // rst_fall … total_period
        appendWord(payload, values[i]);
    payload.resize(29 * 4, 0x00); // reserved words 13 to 28
    for (int i = 13; i < 16; ++i) // SA_start, SB_start, SAB_high
        appendWord(payload, values[i]);
    return configurationPacket(packetType::goa, payload);
}

Bytes scanPacket(const std::array<std::int32_t, scanValueCount>& values) {
    Bytes payload;
    payload.reserve(4 * scanValueCount);
    for (std::int32_t v : values)
        appendWord(payload, v);
    return configurationPacket(packetType::scan, payload);
}

std::optional<RangePreset> rangePresetTexts(int range) {
    static constexpr RangePreset presets[] = {
        {"166", "166", "1bf", "9"},
        {"250", "250", "1bf", "7"},
        {"400", "400", "180", "5"},
        {"4000", "4000", "180", "0.5"},
    };
    if (range < 1 || range > 4)
        return std::nullopt;
    return presets[range - 1];
}

} // namespace quorin
