#include "DoubleFormat.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>

namespace quorin {
namespace {

constexpr int significantDigits = 6;
constexpr std::uint64_t allZeroChars = 0x3030303030303030; // "00000000"

// The six significant digits of a positive finite value, rounded half away from zero on its exact
// binary value, as characters in the low six bytes of `chars` (the two above hold '0'), and the
// decimal exponent of the first. Kept in a register: byte-wise building and reloading stalls.
struct Digits {
    std::uint64_t chars;
    int exponent;
};

std::uint64_t charsOf(const char* sixDigits) {
    std::uint64_t chars = allZeroChars;
    std::memcpy(&chars, sixDigits, significantDigits);
    return chars;
}

using Wide = unsigned __int128;

constexpr std::array<std::uint64_t, 20> powersOfTen = [] {
    std::array<std::uint64_t, 20> powers{};
    std::uint64_t power = 1;
    for (std::uint64_t& p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}();

constexpr std::array<char, 200> digitPairs = [] {
    std::array<char, 200> pairs{};
    for (std::size_t i = 0; i < 100; ++i) {
        pairs[2 * i] = static_cast<char>('0' + i / 10);
        pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

// The two characters of 0 … 99 in the low bytes.
std::uint64_t pairChars(std::uint32_t twoDigits) {
    std::uint16_t pair;
    std::memcpy(&pair, &digitPairs[2 * twoDigits], 2);
    return pair;
}

// Exact integer arithmetic for 1e-13 ≤ value < 1e6, where every value of the data files lies:
// value = mantissa × 2^-shift with shift 33 … 96, and mantissa × 10^k (k ≤ 19) fits in 128 bits.
bool digitsByIntegers(double value, Digits& digits) {
    if (!(value >= 1e-13 && value < 1e6))
        return false;
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const int biased = static_cast<int>(bits >> 52);
    const std::uint64_t mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | std::uint64_t{1} << 52;
    const int shift = 1075 - biased;
    // floor(log10(value)) is floor(log2(value) × log10(2)) or one more.
    int exponent = ((biased - 1023) * 78913) >> 18;
    Wide scaled = Wide{mantissa} * powersOfTen[static_cast<std::size_t>(5 - exponent)];
    if ((scaled >> shift) >= 1000000) {
        ++exponent;
        scaled = Wide{mantissa} * powersOfTen[static_cast<std::size_t>(5 - exponent)];
    }
    // The bit below the units decides: a half rounds up.
    auto six = static_cast<std::uint32_t>(((scaled >> (shift - 1)) + 1) >> 1);
    if (six == 1000000) {
        six = 100000;
        ++exponent;
    }
    digits = {pairChars(six / 10000) | pairChars(six / 100 % 100) << 16 | pairChars(six % 100) << 32 |
                  (allZeroChars & 0xFFFF000000000000),
              exponent};
    return true;
}

// Any other value: nine correctly rounded digits decide the rounding unless they end in exactly
// "500"; then the exact expansion (a double has at most 767 significant digits) does.
Digits digitsByText(double value) {
    char scientific[32];
    const char* end =
        std::to_chars(scientific, scientific + sizeof scientific, value, std::chars_format::scientific, 8)
            .ptr;
    char text[significantDigits];
    text[0] = scientific[0];
    std::memcpy(text + 1, scientific + 2, significantDigits - 1);
    int exponent = 0;
    std::from_chars(scientific + 11 + (scientific[11] == '+'), end, exponent);

    const int tail = (scientific[7] - '0') * 100 + (scientific[8] - '0') * 10 + (scientific[9] - '0');
    bool up = tail > 500;
    if (tail == 500) {
        char exact[800];
        std::to_chars(exact, exact + sizeof exact, value, std::chars_format::scientific, 780);
        up = exact[7] >= '5'; // the seventh significant digit
    }
    if (up) {
        int i = significantDigits - 1;
        while (i >= 0 && text[i] == '9')
            text[i--] = '0';
        if (i >= 0) {
            ++text[i];
        } else { // 999999.5 becomes 1e+06
            text[0] = '1';
            ++exponent;
        }
    }
    return {charsOf(text), exponent};
}

// Significant digits left once trailing zeros are dropped (at least one).
int significantCount(std::uint64_t chars) {
    const std::uint64_t nonZero = (chars ^ allZeroChars) & 0xFFFFFFFFFFFF;
    return significantDigits - (std::countl_zero(nonZero) - 16) / 8;
}

// Fixed-size copies only, which become plain moves: up to formatDoubleRoom bytes at `out` may be
// touched.
char* layOut(char* out, const Digits& digits) {
    const int count = significantCount(digits.chars);
    const int exponent = digits.exponent;
    if (exponent < -4 || exponent >= significantDigits) {
        out[0] = static_cast<char>(digits.chars);
        out[1] = '.';
        const std::uint64_t rest = digits.chars >> 8;
        std::memcpy(out + 2, &rest, 8);
        out += count > 1 ? count + 1 : 1;
        *out++ = 'e';
        *out++ = exponent < 0 ? '-' : '+';
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude < 10)
            *out++ = '0';
        return std::to_chars(out, out + 4, magnitude).ptr;
    }
    if (exponent < 0) { // 0.000ddd
        std::memcpy(out, "0.0000", 6);
        std::memcpy(out + 1 - exponent, &digits.chars, 8);
        return out + 1 - exponent + count;
    }
    // ddd.ddd: the integer part may end in zeros of the six digits, as in 120000.
    std::memcpy(out, &digits.chars, 8);
    if (count <= exponent + 1)
        return out + exponent + 1;
    out[exponent + 1] = '.';
    const std::uint64_t fraction = digits.chars >> (8 * (exponent + 1));
    std::memcpy(out + exponent + 2, &fraction, 8);
    return out + count + 1;
}

} // namespace

char* formatDouble(char* out, double value) {
    if (std::isnan(value)) {
        std::memcpy(out, "nan", 3);
        return out + 3;
    }
    if (value == 0) { // either sign: QTextStream writes no "-0"
        *out++ = '0';
        return out;
    }
    if (std::signbit(value)) {
        *out++ = '-';
        value = -value;
    }
    if (std::isinf(value)) {
        std::memcpy(out, "inf", 3);
        return out + 3;
    }
    Digits digits;
    if (!digitsByIntegers(value, digits))
        digits = digitsByText(value);
    return layOut(out, digits);
}

char* formatUnsigned(char* out, std::uint32_t value) {
    if (value >= 100000000) // beyond the board's codes
        return std::to_chars(out, out + 10, value).ptr;
    // Eight digits with leading zeros in one register, stored at once, then the leading zeros skipped.
    const std::uint64_t chars = pairChars(value / 1000000) | pairChars(value / 10000 % 100) << 16 |
                                pairChars(value / 100 % 100) << 32 | pairChars(value % 100) << 48;
    const std::uint64_t nonZero = chars ^ allZeroChars;
    const int leadingZeros = value == 0 ? 7 : std::countr_zero(nonZero) / 8;
    const std::uint64_t digits = chars >> (8 * leadingZeros);
    std::memcpy(out, &digits, 8);
    return out + 8 - leadingZeros;
}

} // namespace quorin
