// The fast texts of the data export against QTextStream, which defines them.
#include "CalibrationFiles.h"
#include "DoubleFormat.h"
#include "FrameFormat.h"

#include <QTextStream>

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>
#include <string>

namespace quorin {
namespace {

std::string qtText(double value) {
    QString text;
    QTextStream(&text) << value;
    return text.toStdString();
}

std::string fastText(double value) {
    char buffer[formatDoubleRoom];
    return std::string(buffer, formatDouble(buffer, value));
}

TEST(DoubleFormat, WritesWhatQTextStreamWrites) {
    const double cases[] = {
        0.0, -0.0, 1.0, -2.5, 19.53125, 19.53135, 0.119739, 1.5e-05, 0.0001, 0.00009999995, 0.000099999949,
        999999.5, 999999.4, 123456.5, 123456.49999999999, 1e6, 1e100, 1.2345e-100, 5e-324,
        std::numeric_limits<double>::max(), std::numeric_limits<double>::quiet_NaN(),
        std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
        // Halfway after the sixth digit in binary exactly, and one step either side of it.
        0.1220703125, std::nextafter(0.1220703125, 0.0), std::nextafter(0.1220703125, 1.0),
        // Either side of the range the digits are found by integer arithmetic.
        1e-16, std::nextafter(1e-16, 0.0), 1.23456789e-17, 999999.4999, 999999.5, 1234567.5, 1e22,
        9.87654321e21};
    for (double value : cases)
        EXPECT_EQ(fastText(value), qtText(value)) << "value " << value;
}

// Doubles spread over every binary exponent from 2^-60 to 2^30, either sign.
TEST(DoubleFormat, RandomDoublesMatchQTextStream) {
    std::mt19937_64 random(17);
    for (int i = 0; i < 200000; ++i) {
        const double value = std::ldexp(std::bit_cast<double>((random() >> 12) | 0x3FF0000000000000),
                                        static_cast<int>(random() % 91) - 60);
        const double signedValue = i % 2 ? -value : value;
        ASSERT_EQ(fastText(signedValue), qtText(signedValue)) << std::hexfloat << signedValue;
    }
}

// Every 20-bit code under both range factors and a spread of integration times, the even ones
// giving many exact halfway values.
TEST(DoubleFormat, EveryCodeMatchesQTextStream) {
    const int int0Times[] = {180, 166, 125, 1000, 1, -3};
    for (int rangeFactor : {25, 4}) {
        for (int int0Time : int0Times) {
            QString reference;
            QTextStream stream(&reference);
            std::string fast(std::size_t{16} << 20, '\0');
            char* out = fast.data();
            for (std::uint32_t code = 0; code <= frame::fullScale; ++code) {
                const double value = currentValue(code, rangeFactor, int0Time);
                stream << value << ',';
                out = formatDouble(out, value);
                *out++ = ',';
            }
            fast.resize(static_cast<std::size_t>(out - fast.data()));
            stream.flush();
            const std::string expected = reference.toStdString();
            if (fast == expected)
                continue;
            const auto at = std::mismatch(fast.begin(), fast.end(), expected.begin(), expected.end());
            const std::size_t from = static_cast<std::size_t>(at.first - fast.begin());
            const std::size_t context = from > 20 ? from - 20 : 0;
            FAIL() << "rangeFactor " << rangeFactor << " int0Time " << int0Time << ": "
                   << fast.substr(context, 40) << " instead of " << expected.substr(context, 40);
        }
    }
}

TEST(DoubleFormat, UnsignedAsDecimal) {
    for (std::uint32_t value : {0u, 7u, 10u, 4095u, 1000000u, 1048575u, 99999999u, 100000000u, 4294967295u}) {
        char buffer[16];
        EXPECT_EQ(std::string(buffer, formatUnsigned(buffer, value)), std::to_string(value));
    }
}

} // namespace
} // namespace quorin
