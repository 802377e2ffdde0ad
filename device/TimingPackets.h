// The developer packets: ADC (A0), GOA timing (A2) and SCAN timing (A3), the frame-rate derivation
// of every timing value, and the current-range presets that feed them.
#pragma once

#include "CommandFrames.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace quorin {

// Integration times travel in ticks of 25 ns.
inline constexpr int ticksPerMicrosecond = 40;

// Ticks as three bytes, most significant first; nothing when they leave the packet's 24 bits.
std::optional<std::array<std::uint8_t, 3>> splitTicks(std::int64_t ticks);

// One to four hexadecimal digits (either case), left-padded with "0", as two bytes, most significant
// first; nothing for longer texts or any other character.
std::optional<std::array<std::uint8_t, 2>> splitHexWord(std::string_view text);

// The 15-byte ADC packet.
Bytes adcPacket(const std::array<std::uint8_t, 3>& int0, const std::array<std::uint8_t, 3>& int1,
                const std::array<std::uint8_t, 2>& cfgReg);

// The developer window's timing fields are line edits named "lineEdit_" + number.
inline constexpr std::array<int, 16> goaFields = {9,  10, 11, 12, 13, 14, 15, 16,
                                                  17, 18, 19, 20, 21, 94, 95, 96};
inline constexpr int scanFirstField = 51;
inline constexpr int scanValueCount = 43;

struct TimingField {
    int field; // the number in the field's object name
    std::int32_t value;
    bool operator==(const TimingField&) const = default;
};

// Every GOA and SCAN timing value derived from a frame rate (frames per second, non-zero), in the
// order the fields are written: the sixteen GOA fields, then the forty-three SCAN fields. Nothing when
// a derived value leaves the 32-bit range.
std::optional<std::vector<TimingField>> deriveTimings(double framesPerSecond);

// The 135-byte GOA packet: the sixteen values in field order; words 13 to 28 stay zero.
Bytes goaPacket(const std::array<std::int32_t, 16>& values);

// The 179-byte SCAN packet: value k comes from field scanFirstField + k.
Bytes scanPacket(const std::array<std::int32_t, scanValueCount>& values);

// The texts a current range (1 to 4) writes into the ADC and frame-rate fields.
struct RangePreset {
    std::string_view int0, int1, cfgReg, frame;
};
std::optional<RangePreset> rangePresetTexts(int range);

} // namespace quorin
