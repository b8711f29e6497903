#include "calc/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

namespace calc {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The input with its blanks taken out: blanks count nowhere, also between digits.
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

// "&H..." / "&O...": the digits' value as a 16-bit two's-complement number when
// it fits, else 32-bit; wider than 32 bits is a range fault.
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

// Adds one more decimal digit to a saturating exponent; anything beyond this
// bound is out of every double's reach anyway.
constexpr std::int64_t kExponentLimit = 1'000'000'000;

std::int64_t Saturate(std::int64_t v) {
    if (v > kExponentLimit) return kExponentLimit;
    if (v < -kExponentLimit) return -kExponentLimit;
    return v;
}

}  // namespace

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

    // The significant digits without leading zeros, and the decimal exponent
    // of the digit after the last one kept: value = 0.<digits> x 10^pointAt.
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
    // Far outside the double range either way: no conversion needed to know.
    if (pointAt > 400) return std::nullopt;
    if (pointAt < -400) return zero;

    // Hand the normalised digits to the correctly rounded library conversion.
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
    // Every double is a whole multiple of 2^-1074, so it is already exact at
    // 1074 decimals.
    if (places >= 1074) return value;

    // The library writes the exact binary value rounded to `places` decimals,
    // exact ties to even; reading that back gives the double nearest to it.
    // Room for 309 whole digits, sign, point and up to 1073 decimals.
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

    // d.dddddddddddddde[+-]x: the exact value rounded to 15 significant digits.
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

}  // namespace calc
