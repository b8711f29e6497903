#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>

#include "calc/number_text.h"

namespace {

constexpr int kDraws = 200000;
constexpr double kInf = std::numeric_limits<double>::infinity();

// Finite doubles from raw bit patterns, everyday magnitudes, values next to a half-way
// point between multiples of 0.0001, and exact ties: odd multiples of 1/32 below 2^48,
// the odd factor's length drawn evenly from 1 to 53 bits, so that ties of every size up
// to 2.8E+14 come up.
double Draw(std::mt19937_64& rng) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double sign = rng() & 1 ? -1.0 : 1.0;
    switch (rng() % 5) {
        case 0:
            for (;;) {
                const double v = std::bit_cast<double>(rng());
                if (std::isfinite(v)) return v;
            }
        case 1:
            return sign * 1000.0 * unit(rng);
        case 2:
            return sign * std::pow(10.0, -8.0 + 30.0 * unit(rng));
        case 3: {
            double v = static_cast<double>(2 * (rng() % (1ull << 45)) + 1) / 20000.0;
            for (int steps = static_cast<int>(rng() % 7) - 3; steps != 0; steps += steps < 0 ? 1 : -1)
                v = std::nextafter(v, steps < 0 ? 0.0 : kInf);
            return sign * v;
        }
        default:
            return sign * static_cast<double>(2 * (rng() >> (12 + rng() % 52)) + 1) / 32.0;
    }
}

// Exact oracle: |v| = M * 2^(e-53), so v * 10^4 = (M * 625) / 2^(49-e) with M * 625 < 2^63;
// the integer quotient and remainder give the nearest multiple n, exact ties to even n.
// Needs |v| < 2^53 / 10^4, so that n is exact as a double and n / 10^4 rounds once.
std::uint64_t NearestTenThousandths(double v) {
    int e = 0;
    const double f = std::frexp(std::fabs(v), &e);
    const std::uint64_t scaled = static_cast<std::uint64_t>(std::ldexp(f, 53)) * 625;
    const int shift = 49 - e;   // at least 9 in the domain
    if (shift >= 64) return 0;  // v * 10^4 < 1/2
    std::uint64_t n = scaled >> shift;
    const std::uint64_t rest = scaled & ((std::uint64_t{1} << shift) - 1);
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    if (rest > half || (rest == half && (n & 1))) ++n;
    return n;
}

// Decimal exponent of the shortest form of v: floor(log10 |v|), or one more when that form
// rounds up to a power of ten, which only loosens the bound below.
int DecimalExponent(double v) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific);
    return std::stoi(std::string(std::find(buf, res.ptr, 'e') + 1, res.ptr));
}

int SignificantDigits(const std::string& mantissa) {
    const auto first = mantissa.find_first_of("123456789");
    if (first == std::string::npos) return 0;
    return static_cast<int>(std::count_if(mantissa.begin() + first, mantissa.end(), [](char c) { return c != '.'; }));
}

testing::AssertionResult SameRoundedText(double v, int places) {
    for (const char* sep : {".", ","}) {
        const std::string quick = calc::RoundedText(v, places, sep);
        const std::string plain = calc::NumberToText(calc::RoundHalfEven(v, places), sep);
        if (quick != plain) {
            return testing::AssertionFailure() << std::hexfloat << v << " at " << places << " places: \"" << quick
                                               << "\" instead of \"" << plain << "\"";
        }
    }
    return testing::AssertionSuccess();
}

// Each drawn double, every way the program turns numbers into text and back.
TEST(NumberTextProperty, EveryDrawnDouble) {
    std::mt19937_64 rng(0x5EED2024);
    for (int i = 0; i < kDraws; ++i) {
        const double v = Draw(rng);

        // RoundHalfEven against the exact nearest multiple: what the length box shows is the
        // rounded decimal itself, at most 4 decimals.
        ASSERT_EQ(calc::RoundHalfEven(v, 0), std::nearbyint(v)) << std::hexfloat << v;
        const double r = calc::RoundHalfEven(v, 4);
        if (std::fabs(v) >= 0x1p48) {  // already a multiple of 1/16, so of 0.0001
            ASSERT_EQ(r, v) << std::hexfloat << v;
        } else if (std::fabs(v) < 0x1p53 / 10000) {
            const std::uint64_t n = NearestTenThousandths(v);
            ASSERT_EQ(r, std::copysign(static_cast<double>(n) / 10000.0, v)) << std::hexfloat << v;
            // Shown as that very decimal: no more than 4 decimals, no trailing zero, and read
            // back as r, which below 1E+11 no other such decimal is.
            if (std::fabs(v) < 1e11) {
                const std::string shown = calc::NumberToText(r);
                const std::size_t point = shown.find('.');
                ASSERT_TRUE(point == std::string::npos || (shown.size() - point <= 5 && shown.back() != '0')) << shown;
                ASSERT_EQ(calc::ReadNumber(shown), r) << shown;
            }
        }

        // RoundedText, the quick way ComputeSpan writes Wk, against the plain way; also next to
        // 1E+15, where the fixed form ends and doubles are 1/8 apart.
        ASSERT_TRUE(SameRoundedText(v, static_cast<int>(rng() % 8) - 1));
        ASSERT_TRUE(SameRoundedText(std::copysign(1e15, v) + 0.125 * static_cast<double>(rng() % 64 - 32), 4));

        // The shortest text reads back exactly, also with a blank between its characters and D
        // for its exponent, or typed in full width: the quick conversion (up to 15 digits and
        // 10^22) and the library's alike.
        char buf[64];
        std::string shortest(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
        if (i % 3 == 0) {
            std::replace(shortest.begin(), shortest.end(), 'e', 'D');
            shortest.insert(rng() % (shortest.size() + 1), 1, " \t\n"[rng() % 3]);
        } else if (i % 3 == 1) {  // characters at random as U+FF01..U+FF5E, a minus as U+2212
            std::string wide = "\u3000";
            for (char c : shortest) {
                const char fullWidth[] = {'\xEF', static_cast<char>(0xBC + (c >= 0x60)),
                                          static_cast<char>(0x80 | ((c - 0x20) & 0x3F))};
                wide += rng() & 1 ? std::string(1, c) : c == '-' && rng() & 1 ? "\u2212" : std::string(fullWidth, 3);
            }
            shortest = wide;
        }
        // A range fault reads as NaN, which v never is.
        ASSERT_EQ(std::bit_cast<std::uint64_t>(calc::ReadNumber(shortest).value_or(NAN)),
                  std::bit_cast<std::uint64_t>(v))
            << shortest;

        // The written text: 15 significant digits at most, the exponent form exactly where due,
        // and within half a unit of its 15th digit.
        const std::string text = calc::NumberToText(v);
        const std::optional<double> back = calc::ReadNumber(text);
        // 15 digits of the largest doubles round up past the double range.
        if (text == "1.79769313486232E+308" || text == "-1.79769313486232E+308") {
            ASSERT_GE(std::fabs(v), 1.797693134862315e308) << text;
            continue;
        }
        ASSERT_TRUE(back.has_value()) << text;

        const std::size_t e = text.find('E');
        const std::string mantissa = text.substr(0, e);
        const double mag = std::fabs(*back);
        ASSERT_EQ(e != std::string::npos, mag >= 1e15 || (mag != 0 && mag < 1e-4)) << text;
        ASSERT_LE(SignificantDigits(mantissa), 15) << text;
        ASSERT_TRUE(mantissa.back() != '.' && (mantissa.find('.') == std::string::npos || mantissa.back() != '0'))
            << text;
        if (v == 0) {
            ASSERT_EQ(text, "0");
            continue;
        }

        // |back - v| <= half a unit of the 15th digit + one ulp for reading back; tiny values
        // are scaled by 2^1000 (exactly) so that the bound stays a normal double.
        const int scale = mag < 0x1p-900 ? 1000 : 0;
        const int exponent = DecimalExponent(v) - 14;
        const double digitUnit =
            scale ? std::ldexp(std::pow(10.0, exponent + 300), scale) / 1e300 : std::pow(10.0, exponent);
        const double ulp = std::ldexp(std::nextafter(mag, kInf) - mag, scale);
        const double diff = std::fabs(std::ldexp(*back, scale) - std::ldexp(v, scale));
        ASSERT_LE(diff, 0.5 * digitUnit * (1 + 1e-9) + ulp) << std::hexfloat << v << " " << text;
    }
}

// RoundedText against the plain way where the two ways part.
TEST(NumberTextProperty, RoundedTextAtItsEdges) {
    for (double v : {0.0, -0.0, kInf, -kInf, double(NAN), DBL_MAX, 0x1p-1074, 1e15, -1e15, 0x1p53}) {
        for (int places = -1; places <= 6; ++places) ASSERT_TRUE(SameRoundedText(v, places));
    }
}

}  // namespace
