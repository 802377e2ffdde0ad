// Command frames and configuration packets sent to the board, and the helpers that send them.
#pragma once

#include "ftd2xx.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace quorin {

using Bytes = std::vector<std::uint8_t>;
using Frame = std::array<std::uint8_t, 6>;

// FF AA c1 c2 0D EB
constexpr Frame commandFrame(std::uint8_t c1, std::uint8_t c2) { return {0xFF, 0xAA, c1, c2, 0x0D, 0xEB}; }
constexpr Frame blockRequest(int block) { return commandFrame(0x00, static_cast<std::uint8_t>(block)); }
constexpr Frame parameterRequest() { return commandFrame(0x00, 0xFF); }
constexpr Frame applyCommand() { return commandFrame(0x01, 0x00); }

namespace packetType {
inline constexpr std::uint8_t adc = 0xA0;
inline constexpr std::uint8_t voltage = 0xA1;
inline constexpr std::uint8_t goa = 0xA2;
inline constexpr std::uint8_t scan = 0xA3;
inline constexpr std::uint8_t modeSelect = 0xA4;
} // namespace packetType

// Mode bytes of the mode-select command.
enum class BoardMode : std::uint8_t { Goa = 0x01, Scan = 0x02 };

// Low eight bits of the sum of the payload bytes.
std::uint8_t checksum(std::span<const std::uint8_t> payload);

// FF AA 00 tt 0D EB, the payload, the checksum.
Bytes configurationPacket(std::uint8_t type, std::span<const std::uint8_t> payload);

// FF AA 00 A4 0D EB m m
Bytes modeSelectCommand(BoardMode mode);

// 16 × d(c1) + d(c2); d is 10..15 for A..F / a..f and the character code minus 48 otherwise.
int hexPairValue(char c1, char c2);

// Volts to the 16-bit DAC code (v + 20) / 40 × 65536, rounded to nearest with halves up.
// Values outside the DAC's range saturate to 0 or 65535, so every packet stays well formed.
int voltageToCode(double volts);
std::array<std::uint8_t, 2> splitCode(int code); // high byte first

// Sixteen codes in slot order → the 39-byte voltage packet (type A1).
Bytes voltagePacket(const std::array<int, 16>& codes);

// Writes one frame or packet in one FT_Write; the status goes to `status`.
void sendFrame(FT_HANDLE handle, std::span<const std::uint8_t> bytes, FT_STATUS& status);

// Writes the packet, pauses (resuming an interrupted pause), then writes the apply command.
void sendConfiguration(FT_HANDLE handle, std::span<const std::uint8_t> packet, FT_STATUS& status);

} // namespace quorin
