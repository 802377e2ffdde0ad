// Doubles and sample codes as text, byte for byte as QTextStream writes them by default, without
// QTextStream's cost: the data export writes tens of millions of them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quorin {

// The longest text formatDouble writes ("-1.23457e-308"), and the bytes it may touch beyond `out`
// while writing it.
inline constexpr std::size_t maxDoubleText = 13;
inline constexpr std::size_t formatDoubleRoom = 24;

// Writes `value` the way QTextStream writes a double by default: general notation, 6 significant
// digits rounded half away from zero on the exact binary value (19.53125 gives 19.5313), trailing
// zeros dropped, "0" for either zero, and an exponent with sign and at least two digits below 1e-4 or from
// 1e+06 on. Returns the end of the text.
char* formatDouble(char* out, double value);

// Writes `value` in decimal without sign or leading zeros; returns the end of the text. May touch
// up to 10 bytes at `out`.
char* formatUnsigned(char* out, std::uint32_t value);

} // namespace quorin
