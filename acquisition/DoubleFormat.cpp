#include "DoubleFormat.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace quorin {
namespace {

constexpr int significantDigits = 6;

// Whether |value| lies at or above the halfway point after its sixth significant digit. Nine
// correctly rounded digits decide it unless they end in exactly "500"; then the exact expansion
// (a double has at most 767 significant digits) does.
bool roundsUp(double magnitude, const char* nineDigits) {
    const int tail = (nineDigits[6] - '0') * 100 + (nineDigits[7] - '0') * 10 + (nineDigits[8] - '0');
    if (tail != 500)
        return tail > 500;
    char exact[800];
    std::to_chars(exact, exact + sizeof exact, magnitude, std::chars_format::scientific, 780);
    // exact[0] is the first digit, exact[1] the point; the seventh digit sits at exact[7].
    return exact[7] >= '5';
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

    // "d.dddddddde±XX": nine significant digits and the decimal exponent.
    char scientific[32];
    const char* end =
        std::to_chars(scientific, scientific + sizeof scientific, value, std::chars_format::scientific, 8)
            .ptr;
    char digits[9];
    digits[0] = scientific[0];
    std::memcpy(digits + 1, scientific + 2, 8);
    int exponent = 0;
    std::from_chars(scientific + 11 + (scientific[11] == '+'), end, exponent);

    if (roundsUp(value, digits)) {
        int i = significantDigits - 1;
        while (i >= 0 && digits[i] == '9')
            digits[i--] = '0';
        if (i >= 0) {
            ++digits[i];
        } else { // 999999.5 becomes 1e+06
            digits[0] = '1';
            ++exponent;
        }
    }
    int count = significantDigits;
    while (count > 1 && digits[count - 1] == '0')
        --count;

    if (exponent < -4 || exponent >= significantDigits) {
        *out++ = digits[0];
        if (count > 1) {
            *out++ = '.';
            std::memcpy(out, digits + 1, count - 1);
            out += count - 1;
        }
        *out++ = 'e';
        *out++ = exponent < 0 ? '-' : '+';
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude < 10)
            *out++ = '0';
        return std::to_chars(out, out + 4, magnitude).ptr;
    }
    if (exponent < 0) {
        *out++ = '0';
        *out++ = '.';
        std::memset(out, '0', -exponent - 1);
        out += -exponent - 1;
        std::memcpy(out, digits, count);
        return out + count;
    }
    const int integerDigits = exponent + 1;
    if (count <= integerDigits) {
        std::memcpy(out, digits, count);
        std::memset(out + count, '0', integerDigits - count);
        return out + integerDigits;
    }
    std::memcpy(out, digits, integerDigits);
    out += integerDigits;
    *out++ = '.';
    std::memcpy(out, digits + integerDigits, count - integerDigits);
    return out + count - integerDigits;
}

char* formatUnsigned(char* out, std::uint32_t value) {
    return std::to_chars(out, out + 10, value).ptr;
}

} // namespace quorin
