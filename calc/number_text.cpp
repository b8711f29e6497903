#include "calc/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

namespace calc {
namespace {

// The characters that the reader skips wherever they stand.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A character outside ASCII that the reader takes as an ASCII one: the
// full-width forms U+FF01 to U+FF5E that a Chinese input method types in its
// full-width mode, and the minus sign U+2212 that pasted text often carries.
// The ideographic space U+3000 is a blank.
constexpr char kWideBlank = '\t';

// The ASCII twin of the UTF-8 sequence at `at` (its lead byte at least 0x80)
// and its length in bytes; any other sequence is its own lead byte, which
// continues no form.
char FoldWide(const char* at, const char* end, std::size_t& width) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(at[i]); };
    width = 1;
    // All three are three-byte sequences: 1110xxxx 10xxxxxx 10xxxxxx.
    if (end - at < 3 || (byte(0) & 0xF0) != 0xE0 || (byte(1) & 0xC0) != 0x80 || (byte(2) & 0xC0) != 0x80) return at[0];
    const unsigned code = (byte(0) & 0x0Fu) << 12 | (byte(1) & 0x3Fu) << 6 | (byte(2) & 0x3Fu);
    char twin;
    if (code >= 0xFF01 && code <= 0xFF5E)
        twin = static_cast<char>(code - 0xFEE0);
    else if (code == 0x3000)
        twin = kWideBlank;
    else if (code == 0x2212)
        twin = '-';
    else
        return at[0];
    width = 3;
    return twin;
}

// Walks a UTF-8 text as the reader sees it: blanks count nowhere, also
// between digits, and a full-width form is its ASCII twin. ASCII text takes
// one extra comparison per character.
class BlankFreeCursor {
public:
    explicit BlankFreeCursor(std::string_view text) : next_(text.data()), end_(text.data() + text.size()) {}

    // The next character that is not a blank, or '\0' at the end; '\0' in the
    // text continues no form either, so the two need no telling apart.
    char Peek() {
        for (; next_ != end_; next_ += width_) {
            char c = *next_;
            width_ = 1;
            if (static_cast<unsigned char>(c) >= 0x80) c = FoldWide(next_, end_, width_);
            if (!IsBlank(c)) return c;
        }
        width_ = 0;
        return '\0';
    }
    // Steps over the character Peek has just returned.
    void Skip() { next_ += width_; }
    bool AtEnd() const { return next_ == end_; }

private:
    const char* next_;
    const char* end_;
    std::size_t width_ = 0;
};

int RadixDigit(char c, int radix) {
    int d = 99;
    if (c >= '0' && c <= '9')
        d = c - '0';
    else if (c >= 'A' && c <= 'F')
        d = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f')
        d = c - 'a' + 10;
    return d < radix ? d : -1;
}

// "&H..." / "&O...": the digits' value as a 16-bit two's-complement number when
// it fits, else 32-bit; wider than 32 bits is a range fault.
std::optional<double> ReadRadixNumber(BlankFreeCursor digits, int radix) {
    std::uint64_t value = 0;
    for (int d = RadixDigit(digits.Peek(), radix); d >= 0; d = RadixDigit(digits.Peek(), radix)) {
        digits.Skip();
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

// [+|-] digits [. digits] [E|D [+|-] digits] taken apart: the significant
// digits without leading zeros, and the decimal exponent of the digit after
// the last one kept, value = 0.<digits> x 10^pointAt.
struct DecimalForm {
    bool sawDigit = false;
    bool negative = false;
    std::size_t digitCount = 0;  // all of them, also those beyond the room given
    std::int64_t pointAt = 0;
    std::uint64_t leadingDigits = 0;  // the first 19 digits as a whole number
};

// Reads the decimal form at `text`, keeping the first `room` significant
// digits in `digits`.
DecimalForm ScanDecimal(BlankFreeCursor text, char* digits, std::size_t room) {
    DecimalForm form;
    char c = text.Peek();
    form.negative = c == '-';
    if (c == '-' || c == '+') {
        text.Skip();
        c = text.Peek();
    }
    const auto keep = [&](char digit) {
        if (form.digitCount < room) digits[form.digitCount] = digit;
        if (form.digitCount < 19) form.leadingDigits = form.leadingDigits * 10 + static_cast<unsigned>(digit - '0');
        ++form.digitCount;
    };
    for (; IsDigit(c); text.Skip(), c = text.Peek()) {
        form.sawDigit = true;
        if (form.digitCount == 0 && c == '0') continue;
        keep(c);
        form.pointAt = Saturate(form.pointAt + 1);
    }
    if (c == '.') {
        for (text.Skip(), c = text.Peek(); IsDigit(c); text.Skip(), c = text.Peek()) {
            form.sawDigit = true;
            if (form.digitCount == 0 && c == '0') {
                form.pointAt = Saturate(form.pointAt - 1);
                continue;
            }
            keep(c);
        }
    }
    if (!form.sawDigit) return form;

    if (c == 'E' || c == 'e' || c == 'D' || c == 'd') {
        text.Skip();
        c = text.Peek();
        const bool expNegative = c == '-';
        if (c == '-' || c == '+') {
            text.Skip();
            c = text.Peek();
        }
        std::int64_t exponent = 0;
        for (; IsDigit(c); text.Skip(), c = text.Peek()) exponent = Saturate(exponent * 10 + (c - '0'));
        form.pointAt = Saturate(form.pointAt + (expNegative ? -exponent : exponent));
    }
    return form;
}

// Room in `text` for the sign before the digits and for "e-400" after them.
constexpr std::size_t kSignRoom = 1;
constexpr std::size_t kExponentRoom = 24;

// Converts the digits at text + kSignRoom, with the correctly rounded library
// conversion; pointAt is within 400 of zero, digitCount at least 1.
std::optional<double> ConvertDecimal(const DecimalForm& form, char* text) {
    const double zero = form.negative ? -0.0 : 0.0;
    char* const begin = form.negative ? text : text + kSignRoom;
    text[0] = '-';
    char* end = text + kSignRoom + form.digitCount;
    *end++ = 'e';
    end = std::to_chars(end, end + kExponentRoom - 1, form.pointAt - static_cast<std::int64_t>(form.digitCount)).ptr;

    double value = 0.0;
    const auto [stop, error] = std::from_chars(begin, end, value);
    (void)stop;
    if (error == std::errc::result_out_of_range) {
        if (form.pointAt > 0) return std::nullopt;
        return zero;
    }
    if (std::isinf(value)) return std::nullopt;
    return value;
}

// Up to 15 digits times or over 10^0 ... 10^22: both are exact doubles, so the
// one multiplication or division rounds correctly, just as the library
// conversion does. Covers nearly everything typed into the input boxes.
std::optional<double> ConvertShortDecimal(const DecimalForm& form) {
    static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                              1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (form.digitCount > 15) return std::nullopt;
    const std::int64_t scale = form.pointAt - static_cast<std::int64_t>(form.digitCount);
    if (scale < -22 || scale > 22) return std::nullopt;
    const auto whole = static_cast<double>(form.leadingDigits);
    const double value = scale < 0 ? whole / kPowersOfTen[-scale] : whole * kPowersOfTen[scale];
    return form.negative ? -value : value;
}

// Up to this many significant digits are gathered on the stack; longer texts
// are rare enough to take a heap buffer.
constexpr std::size_t kShortDigits = 40;

// Whole numbers below 1E+15 have at most 15 digits, all of them exact.
bool IsShortWhole(double value) {
    return std::fabs(value) < 1e15 && static_cast<double>(static_cast<std::int64_t>(value)) == value;
}

std::string ShortWholeText(double value) {
    char buf[24];
    const auto written = std::to_chars(buf, buf + sizeof buf, static_cast<std::int64_t>(value));
    return std::string(buf, written.ptr);
}

}  // namespace

std::string TextAsRead(std::string_view text) {
    std::string read;
    BlankFreeCursor cursor(text);
    for (char c = cursor.Peek(); !cursor.AtEnd(); cursor.Skip(), c = cursor.Peek()) read += c;
    return read;
}

std::optional<double> ReadNumber(std::string_view text) {
    BlankFreeCursor cursor(text);

    if (cursor.Peek() == '&') {
        BlankFreeCursor kind = cursor;
        kind.Skip();
        const char letter = kind.Peek();
        kind.Skip();
        if (letter == 'H' || letter == 'h') return ReadRadixNumber(kind, 16);
        if (letter == 'O' || letter == 'o') return ReadRadixNumber(kind, 8);
        return 0.0;
    }

    char shortText[kSignRoom + kShortDigits + kExponentRoom];
    const DecimalForm form = ScanDecimal(cursor, shortText + kSignRoom, kShortDigits);
    if (!form.sawDigit) return 0.0;
    if (form.digitCount == 0) return form.negative ? -0.0 : 0.0;
    // Far outside the double range either way: no conversion needed to know.
    if (form.pointAt > 400) return std::nullopt;
    if (form.pointAt < -400) return form.negative ? -0.0 : 0.0;

    if (const std::optional<double> value = ConvertShortDecimal(form)) return value;
    if (form.digitCount <= kShortDigits) return ConvertDecimal(form, shortText);
    std::string longText(kSignRoom + form.digitCount + kExponentRoom, '\0');
    ScanDecimal(cursor, longText.data() + kSignRoom, form.digitCount);
    return ConvertDecimal(form, longText.data());
}

double RoundHalfEven(double value, int places) {
    if (!std::isfinite(value)) return value;
    if (places <= 0) {
        // Whole counts need no text: the fraction of |value| is exact, and so
        // is the whole number on either side of it.
        const double magnitude = std::fabs(value);
        const double below = std::floor(magnitude);
        const double fraction = magnitude - below;
        const bool up = fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0);
        return std::copysign(up ? below + 1.0 : below, value);
    }
    // Every double is a whole multiple of 2^-1074, so it is already exact at
    // 1074 decimals.
    if (places >= 1074) return value;

    // The library writes the exact binary value rounded to `places` decimals,
    // exact ties to even; reading that back gives the double nearest to it.
    // Room for 309 whole digits, sign, point and up to 1073 decimals.
    std::array<char, 1400> text;
    const auto written = std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, places);
    double rounded = value;
    std::from_chars(text.data(), written.ptr, rounded);
    return rounded;
}

std::string NumberToText(double value, std::string_view decimalSeparator) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    if (value == 0) return "0";
    if (IsShortWhole(value)) return ShortWholeText(value);

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

std::string RoundedText(double value, int places, std::string_view decimalSeparator) {
    if (places < 0) places = 0;
    if (places > 4 || !(std::fabs(value) < 1e15)) return NumberToText(RoundHalfEven(value, places), decimalSeparator);

    // [-]whole.dddd, the exact value rounded to `places` decimals, ties to even:
    // the very digits RoundHalfEven reads back. At most 16 whole digits here.
    char buf[32];
    const char* const end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, places).ptr;

    const bool negative = buf[0] == '-';
    const char* const whole = buf + (negative ? 1 : 0);
    const char* const point = places > 0 ? end - places - 1 : end;
    const char* last = end;  // past the last fraction digit that is not a zero
    while (last > point + 1 && last[-1] == '0') --last;
    const auto wholeDigits = static_cast<std::size_t>(point - whole);
    const auto fractionDigits = static_cast<std::size_t>(last > point ? last - point - 1 : 0);
    const bool zeroWhole = wholeDigits == 1 && whole[0] == '0';

    if (zeroWhole && fractionDigits == 0) return "0";  // also for values just below zero
    // Up to 15 digits from the first that counts to the last kept: below
    // 1E+15 (which has 16 here), and the double read back from them writes
    // them again. Beyond that the text is what the read-back double writes.
    if ((zeroWhole ? 0 : wholeDigits) + fractionDigits > 15)
        return NumberToText(RoundHalfEven(value, places), decimalSeparator);

    std::string out(static_cast<const char*>(buf), point);
    if (fractionDigits > 0) {
        out += decimalSeparator;
        out.append(point + 1, last);
    }
    return out;
}

}  // namespace calc
