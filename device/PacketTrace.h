// The diagnostic traces the developer packets leave on standard output. Formatting is pure; only
// writeTrace touches the stream.
#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <span>
#include <string>
#include <string_view>

namespace quorin {

// "[year-month-day hour:minute:second] " then the bytes four to a line, each line "[group] " and
// two upper-case hex digits plus a blank per byte. The first line follows the time stamp.
std::string byteDumpTrace(std::span<const std::uint8_t> bytes, const std::tm& localTime);

// The CFG_REG line of the ADC packet, bytes in lower-case hex.
std::string cfgRegTrace(const std::array<std::uint8_t, 2>& cfgReg);

// The SCAN packet's checksum line and its one-line hex dump.
std::string scanChecksumTrace(std::uint8_t checksum);
std::string hexRepresentationTrace(std::span<const std::uint8_t> bytes);

std::tm localTimeNow();

// Writes to standard output and flushes.
void writeTrace(std::string_view text);

} // namespace quorin
