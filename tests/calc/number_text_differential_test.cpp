// The quick paths of the number texts against the plain way of getting the same
// answer: RoundedText against NumberToText(RoundHalfEven(...)), and ReadNumber,
// RoundHalfEven and NumberToText against the code they replaced, kept below.

#include "calc/number_text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include <gtest/gtest.h>

namespace former {

// ReadNumber, RoundHalfEven and NumberToText as they were before the quick
// paths: every text built in full and every value through the library.

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string WithoutBlanks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (!IsBlank(c)) out.push_back(c);
    }
    return out;
}

int RadixDigit(char c, int radix) {
    int d = 99;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
    return d < radix ? d : -1;
}

std::optional<double> ReadRadixNumber(std::string_view digits, int radix) {
    std::uint64_t value = 0;
    for (char c : digits) {
        const int d = RadixDigit(c, radix);
        if (d < 0) break;
        value = value * static_cast<unsigned>(radix) + static_cast<unsigned>(d);
        if (value > 0xFFFFFFFFu) return std::nullopt;
    }
    if (value <= 0xFFFFu) return static_cast<double>(static_cast<std::int16_t>(value));
    return static_cast<double>(static_cast<std::int32_t>(value));
}

constexpr std::int64_t kExponentLimit = 1'000'000'000;

std::int64_t Saturate(std::int64_t v) {
    if (v > kExponentLimit) return kExponentLimit;
    if (v < -kExponentLimit) return -kExponentLimit;
    return v;
}

std::optional<double> ReadNumber(std::string_view text) {
    const std::string s = WithoutBlanks(text);
    std::size_t i = 0;

    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h') return ReadRadixNumber(std::string_view(s).substr(2), 16);
        if (s[1] == 'O' || s[1] == 'o') return ReadRadixNumber(std::string_view(s).substr(2), 8);
        return 0.0;
    }

    const bool negative = i < s.size() && s[i] == '-';
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;

    std::string digits;
    std::int64_t pointAt = 0;
    bool sawDigit = false;
    for (; i < s.size() && IsDigit(s[i]); ++i) {
        sawDigit = true;
        if (digits.empty() && s[i] == '0') continue;
        digits.push_back(s[i]);
        pointAt = Saturate(pointAt + 1);
    }
    if (i < s.size() && s[i] == '.') {
        for (++i; i < s.size() && IsDigit(s[i]); ++i) {
            sawDigit = true;
            if (digits.empty() && s[i] == '0') {
                pointAt = Saturate(pointAt - 1);
                continue;
            }
            digits.push_back(s[i]);
        }
    }
    if (!sawDigit) return 0.0;

    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        std::size_t j = i + 1;
        const bool expNegative = j < s.size() && s[j] == '-';
        if (j < s.size() && (s[j] == '-' || s[j] == '+')) ++j;
        std::int64_t exponent = 0;
        for (; j < s.size() && IsDigit(s[j]); ++j) exponent = Saturate(exponent * 10 + (s[j] - '0'));
        pointAt = Saturate(pointAt + (expNegative ? -exponent : exponent));
    }

    const double zero = negative ? -0.0 : 0.0;
    if (digits.empty()) return zero;
    if (pointAt > 400) return std::nullopt;
    if (pointAt < -400) return zero;

    std::string normal = negative ? "-0." : "0.";
    normal += digits;
    normal += 'e';
    char exponentText[24];
    const auto written = std::to_chars(exponentText, exponentText + sizeof exponentText, pointAt);
    normal.append(exponentText, written.ptr);

    double value = 0.0;
    const auto [end, error] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        if (pointAt > 0) return std::nullopt;
        return zero;
    }
    if (std::isinf(value)) return std::nullopt;
    return value;
}

double RoundHalfEven(double value, int places) {
    if (!std::isfinite(value)) return value;
    if (places < 0) places = 0;
    if (places >= 1074) return value;
    std::array<char, 1400> text;
    const auto written = std::to_chars(text.data(), text.data() + text.size(), value,
                                       std::chars_format::fixed, places);
    double rounded = value;
    std::from_chars(text.data(), written.ptr, rounded);
    return rounded;
}

std::string NumberToText(double value, std::string_view decimalSeparator) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    if (value == 0) return "0";

    char buf[40];
    const auto written = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    const std::string_view sci(buf, static_cast<std::size_t>(written.ptr - buf));

    const std::size_t ePos = sci.find('e');
    const bool negative = sci.front() == '-';
    std::string digits;
    for (char c : sci.substr(0, ePos)) {
        if (IsDigit(c)) digits.push_back(c);
    }
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    int exponent = 0;
    const std::string_view expText = sci.substr(ePos + 1);
    std::from_chars(expText.data() + (expText.front() == '+' ? 1 : 0), expText.data() + expText.size(), exponent);

    std::string out = negative ? "-" : "";
    if (exponent >= 15 || exponent < -4) {
        out += digits.front();
        if (digits.size() > 1) {
            out += decimalSeparator;
            out.append(digits, 1);
        }
        out += exponent < 0 ? "E-" : "E+";
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude < 10) out += '0';
        out += std::to_string(magnitude);
    } else if (exponent < 0) {
        out += '0';
        out += decimalSeparator;
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
    } else {
        const auto wholeDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= wholeDigits) {
            out += digits;
            out.append(wholeDigits - digits.size(), '0');
        } else {
            out.append(digits, 0, wholeDigits);
            out += decimalSeparator;
            out.append(digits, wholeDigits);
        }
    }
    return out;
}

}  // namespace former

namespace {

// The sanitizer build runs unoptimised: fewer random draws there, but every
// exact tie in both builds.
#ifdef NDEBUG
constexpr int kDrawDivisor = 1;
#else
constexpr int kDrawDivisor = 25;
#endif
constexpr int Draws(int count) { return count / kDrawDivisor; }

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const char* const kSeparators[] = {".", ","};

double FromBits(std::uint64_t bits) { return std::bit_cast<double>(bits); }

// Walks `steps` doubles up (positive) or down from v.
double Walk(double v, int steps) {
    for (; steps > 0; --steps) v = std::nextafter(v, kInf);
    for (; steps < 0; ++steps) v = std::nextafter(v, -kInf);
    return v;
}

// An odd multiple of 1/32 below 2^48, the only doubles that lie exactly
// half-way between two multiples of 0.0001; the odd factor's length is drawn
// evenly from 1 to 53 bits, so ties of every size up to 2.8E+14 come up.
double DrawTie(std::mt19937_64& rng) {
    const std::uint64_t odd = 2 * (rng() >> (12 + rng() % 52)) + 1;
    const double sign = rng() & 1 ? -1.0 : 1.0;
    return sign * static_cast<double>(odd) / 32.0;
}

// v * 10^4 lies exactly half-way between two whole numbers, decided on the
// integers: |v| = M * 2^(e-53), so v * 20000 = (M * 625) / 2^(48-e), M * 625 < 2^63,
// and a tie is exactly an odd whole number there.
bool IsExactTie(double v) {
    if (!std::isfinite(v) || v == 0) return false;
    int e = 0;
    const double f = std::frexp(std::fabs(v), &e);
    const std::uint64_t scaled = static_cast<std::uint64_t>(std::ldexp(f, 53)) * 625;
    const int shift = 48 - e;
    if (shift < 0 || shift >= 64) return false;  // an even whole number, or below 1/2
    if ((scaled & ((std::uint64_t{1} << shift) - 1)) != 0) return false;
    return ((scaled >> shift) & 1) == 1;
}

// Doubles of every kind, weighted towards the edges of the quick path.
double DrawValue(std::mt19937_64& rng) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double sign = rng() & 1 ? -1.0 : 1.0;
    const int steps = static_cast<int>(rng() % 9) - 4;
    switch (rng() % 11) {
    case 0: return FromBits(rng());  // any bit pattern, infinities and NaN too
    case 1: return sign * 1000.0 * unit(rng);  // everyday lengths
    case 2: return sign * std::pow(10.0, -10.0 + 35.0 * unit(rng));
    // Around 1E+15, where the fixed form ends; its doubles are 1/8 apart.
    case 3: return sign * (1e15 + 0.125 * static_cast<double>(static_cast<int>(rng() % 1024) - 512));
    // 11 to 15 whole digits with sixteenths: 15 significant digits or more.
    case 4: return sign * (std::floor(std::pow(10.0, 10.0 + 5.0 * unit(rng))) + static_cast<double>(rng() % 16) / 16.0);
    // Next to 0.00005, 0.00015, ...: just above or below a half-way point.
    case 5: return sign * Walk(static_cast<double>(2 * (rng() % 20) + 1) * 0.00005, steps);
    case 6: return FromBits(rng() & 0x800F'FFFF'FFFF'FFFF);  // subnormals and zeros
    case 7: return sign * std::ldexp(1.0 + unit(rng), 50 + static_cast<int>(rng() % 974));  // huge
    case 8: return Walk(DrawTie(rng), steps == 0 ? 1 : steps);  // next to a tie
    case 9: return sign * static_cast<double>(rng() % 10'000'000) / std::pow(10.0, static_cast<double>(rng() % 8));
    default: return sign * std::floor(std::ldexp(unit(rng), static_cast<int>(rng() % 60)));  // whole
    }
}

testing::AssertionResult SameRoundedText(double v, int places) {
    for (const char* sep : kSeparators) {
        const std::string quick = calc::RoundedText(v, places, sep);
        const std::string plain = calc::NumberToText(calc::RoundHalfEven(v, places), sep);
        if (quick != plain) {
            return testing::AssertionFailure() << std::hexfloat << v << " at " << places << " places, sep "
                                               << sep << ": \"" << quick << "\" instead of \"" << plain << "\"";
        }
    }
    return testing::AssertionSuccess();
}

TEST(RoundedTextDifferential, BoundaryValues) {
    const double values[] = {
        0.0, -0.0, kInf, -kInf, kNaN, DBL_MAX, -DBL_MAX, DBL_MIN, 0x1p-1074, -0x1p-1074,
        0.00005, -0.00005, 0.00004999999999999999, -0.00004, 0.0001, 0.99995, -0.99995, 9.99995,
        1e15, -1e15, Walk(1e15, -1), Walk(1e15, 1), 999999999999999.9, 999999999999999.94,
        99999999999.99995, 99999999999.9999, 999999999999.9999, 100000000000.0001, 1e11, 1e14,
        123456789012.3456, 12345678901.2345, 12345678901.23455, 123456789012345.0, 0.03125,
        0.09375, -0.03125, 1.00005, 7.66044443118978, 92.05525, 0x1p48 + 0.5, 0x1p52 + 1, 0x1p53,
    };
    for (double v : values) {
        for (int places = -1; places <= 6; ++places) ASSERT_TRUE(SameRoundedText(v, places));
    }
}

TEST(RoundedTextDifferential, ExactTiesAtTheFourthDecimal) {
    std::mt19937_64 rng(0x7135);
    int ties = 0;
    for (int i = 0; i < 20'000; ++i) {
        const double v = DrawTie(rng);
        ties += IsExactTie(v);
        ASSERT_TRUE(SameRoundedText(v, 4));
    }
    // The generator's values really are ties, and near-ties are not.
    EXPECT_EQ(ties, 20'000);
    EXPECT_FALSE(IsExactTie(0.00005));
    EXPECT_FALSE(IsExactTie(Walk(0.03125, 1)));
    EXPECT_TRUE(IsExactTie(-0.09375));
}

TEST(RoundedTextDifferential, RandomValuesAtFourPlaces) {
    std::mt19937_64 rng(0x3A11E);
    for (int i = 0; i < Draws(2'000'000); ++i) ASSERT_TRUE(SameRoundedText(DrawValue(rng), 4));
}

TEST(RoundedTextDifferential, RandomValuesAtOtherPlaces) {
    std::mt19937_64 rng(0x9A1ACE5);
    for (int i = 0; i < Draws(300'000); ++i) {
        const double v = DrawValue(rng);
        ASSERT_TRUE(SameRoundedText(v, static_cast<int>(rng() % 8) - 1));
    }
}

testing::AssertionResult SameAsFormer(double v) {
    const double rounded = calc::RoundHalfEven(v, 0), formerRounded = former::RoundHalfEven(v, 0);
    if (std::bit_cast<std::uint64_t>(rounded) != std::bit_cast<std::uint64_t>(formerRounded) &&
        !(std::isnan(rounded) && std::isnan(formerRounded))) {
        return testing::AssertionFailure() << std::hexfloat << v << " rounds to " << rounded << " instead of "
                                           << formerRounded;
    }
    for (const char* sep : kSeparators) {
        const std::string text = calc::NumberToText(v, sep), formerText = former::NumberToText(v, sep);
        if (text != formerText) {
            return testing::AssertionFailure() << std::hexfloat << v << " sep " << sep << ": \"" << text
                                               << "\" instead of \"" << formerText << "\"";
        }
    }
    return testing::AssertionSuccess();
}

// Whole numbers now skip the library on both counts: rounding to 0 places and
// writing them below 1E+15.
TEST(NumberTextDifferential, RoundingToWholeAndWritingMatchFormerCode) {
    const double edges[] = {0.5, -0.5, 1.5, 2.5, -2.5, 0.49999999999999994, -0.49999999999999994,
                            0x1p52 + 1, 0x1p52 - 0.5, 0x1p51 + 0.5, 1e15, Walk(1e15, -1), -Walk(1e15, -1),
                            999999999999999.0, -999999999999999.0, 0x1p63, -0x1p63, 1e19, 0x1p64};
    for (double v : edges) ASSERT_TRUE(SameAsFormer(v));
    std::mt19937_64 rng(0xF0);
    for (int i = 0; i < Draws(200'000); ++i) {
        const double v = DrawValue(rng);
        ASSERT_TRUE(SameAsFormer(v));
        ASSERT_TRUE(SameAsFormer(std::floor(v)));
        ASSERT_TRUE(SameAsFormer(std::floor(v) + 0.5));
    }
}

testing::AssertionResult SameReading(const std::string& text) {
    const std::optional<double> now = calc::ReadNumber(text), before = former::ReadNumber(text);
    if (now.has_value() != before.has_value() ||
        (now && std::bit_cast<std::uint64_t>(*now) != std::bit_cast<std::uint64_t>(*before))) {
        auto failure = testing::AssertionFailure() << std::hexfloat << "\"" << text << "\" reads as ";
        if (now) failure << *now; else failure << "a range fault";
        failure << " instead of ";
        if (before) failure << *before; else failure << "a range fault";
        return failure;
    }
    return testing::AssertionSuccess();
}

// Any text from the characters that matter to the reading, or none.
std::string DrawText(std::mt19937_64& rng) {
    static constexpr std::string_view kAlphabet = " \t\n+-.0123456789eEdD&HhOoAFx,";
    std::string text(rng() % 41, ' ');
    for (char& c : text) c = kAlphabet[rng() % kAlphabet.size()];
    return text;
}

std::string Digits(std::mt19937_64& rng, std::size_t count) {
    std::string digits(count, '0');
    for (char& c : digits) c = static_cast<char>('0' + rng() % 10);
    return digits;
}

// A well-formed number with 0 to 24 digits either side of the point, now and
// then a blank or leading zeros, and exponents near the edges: 15 digits and
// 10^22 (the quick conversion), 40 digits (the stack buffer), the double range.
std::string DrawNumberText(std::mt19937_64& rng) {
    std::string text;
    const auto maybeBlank = [&] {
        if (rng() % 12 == 0) text += " \t\n"[rng() % 3];
    };
    maybeBlank();
    if (rng() % 3 == 0) text += rng() % 2 ? '-' : '+';
    maybeBlank();
    if (rng() % 5 == 0) text.append(rng() % 4, '0');
    text += Digits(rng, rng() % 25);
    maybeBlank();
    if (rng() % 3 != 0) {
        text += '.';
        if (rng() % 5 == 0) text.append(rng() % 30, '0');
        text += Digits(rng, rng() % 25);
    }
    maybeBlank();
    if (rng() % 3 != 0) {
        text += "eEdD"[rng() % 4];
        if (rng() % 2) text += rng() % 2 ? '-' : '+';
        switch (rng() % 4) {
        case 0: text += std::to_string(rng() % 50); break;
        case 1: text += std::to_string(290 + rng() % 50); break;
        case 2: text += std::to_string(380 + rng() % 40); break;
        default: text += std::to_string(rng() % 2000); break;
        }
    }
    if (rng() % 4 == 0) text += "x,5"[rng() % 3];
    return text;
}

TEST(ReadNumberDifferential, RandomTextsMatchFormerCode) {
    std::mt19937_64 rng(0x2EAD);
    for (int i = 0; i < Draws(500'000); ++i) ASSERT_TRUE(SameReading(DrawText(rng)));
}

TEST(ReadNumberDifferential, RandomNumbersMatchFormerCode) {
    std::mt19937_64 rng(0xD161);
    for (int i = 0; i < Draws(600'000); ++i) ASSERT_TRUE(SameReading(DrawNumberText(rng)));
}

// The exact decimal digits of odd * 2^power: odd * 5^-power, times 10^power,
// when power is negative. Returns the digits; `exponent` gets the power of ten.
std::string ExactDecimal(std::uint64_t odd, int power, int& exponent) {
    constexpr std::uint64_t kLimb = 1'000'000'000;
    std::vector<std::uint64_t> limbs;  // base 10^9, least significant first
    for (std::uint64_t rest = odd; rest != 0; rest /= kLimb) limbs.push_back(rest % kLimb);
    exponent = power < 0 ? power : 0;
    for (int left = power < 0 ? -power : power; left > 0;) {
        const int step = power < 0 ? std::min(left, 13) : std::min(left, 29);
        const std::uint64_t factor = power < 0 ? static_cast<std::uint64_t>(std::pow(5.0, step)) : std::uint64_t{1} << step;
        std::uint64_t carry = 0;
        for (std::uint64_t& limb : limbs) {
            const std::uint64_t product = limb * factor + carry;
            limb = product % kLimb;
            carry = product / kLimb;
        }
        for (; carry != 0; carry /= kLimb) limbs.push_back(carry % kLimb);
        left -= step;
    }
    std::string digits = std::to_string(limbs.back());
    for (std::size_t i = limbs.size() - 1; i-- > 0;) {
        const std::string limb = std::to_string(limbs[i]);
        digits += std::string(9 - limb.size(), '0') + limb;
    }
    return digits;
}

// The point exactly half-way between the finite v > 0 and the next double up,
// "digits", and the power of ten that goes with them.
std::string HalfWayAbove(double v, int& exponent) {
    const auto bits = std::bit_cast<std::uint64_t>(v);
    const auto biased = static_cast<int>(bits >> 52);
    const std::uint64_t fraction = bits & 0xF'FFFF'FFFF'FFFF;
    if (biased == 0) return ExactDecimal(2 * fraction + 1, -1075, exponent);
    return ExactDecimal(2 * ((std::uint64_t{1} << 52) + fraction) + 1, biased - 1076, exponent);
}

// The decimal one unit below `digits` (which are not all zeros).
std::string OneBelow(std::string digits) {
    std::size_t i = digits.size();
    while (digits[--i] == '0') digits[i] = '9';
    --digits[i];
    return digits;
}

TEST(ReadNumberDifferential, LongDigitStringsMatchFormerCode) {
    std::mt19937_64 rng(0x1096);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const int rounds = Draws(3'000) + 1;
    for (int i = 0; i < rounds; ++i) {
        // Around the 40 digits kept on the stack, and far beyond.
        const std::size_t length = rng() % 4 ? 30 + rng() % 20 : 40 + rng() % 1200;
        const std::string exponent = std::to_string(static_cast<int>(rng() % 700) - 350);
        ASSERT_TRUE(SameReading(Digits(rng, length)));
        ASSERT_TRUE(SameReading("-0.000" + Digits(rng, length) + "e" + exponent));
        ASSERT_TRUE(SameReading(Digits(rng, length) + "e-" + std::to_string(length + rng() % 330)));

        // Exactly half-way between two doubles, and a hair either side: of any
        // size (also subnormal, and above DBL_MAX), of everyday size, and whole.
        double v = 0;
        switch (i % 4) {
        case 0: v = std::fabs(FromBits(rng())); break;
        case 1: v = 1000.0 * unit(rng); break;
        case 2: v = std::ldexp(1.0 + unit(rng), 52 + static_cast<int>(rng() % 20)); break;
        default: v = i % 8 == 3 ? DBL_MAX : FromBits(rng() % 0x10'0000'0000'0000); break;
        }
        if (!std::isfinite(v) || v == 0) v = DBL_MAX;
        int power = 0;
        const std::string half = HalfWayAbove(v, power);
        const std::string sign = rng() % 2 ? "-" : "";
        ASSERT_TRUE(SameReading(sign + half + "e" + std::to_string(power)));
        ASSERT_TRUE(SameReading(sign + half + "0001e" + std::to_string(power - 4)));
        ASSERT_TRUE(SameReading(sign + OneBelow(half) + "9999e" + std::to_string(power - 4)));
    }
    int power = 0;
    EXPECT_EQ(HalfWayAbove(0x1p53, power), "9007199254740993");  // the generator itself
    EXPECT_EQ(power, 0);
    EXPECT_EQ(HalfWayAbove(1.0, power), "100000000000000011102230246251565404236316680908203125");
    EXPECT_EQ(power, -53);
}

}  // namespace
