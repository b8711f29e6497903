// Input: first byte's low bit is the manual-count switch; the remaining bytes are the
// module, angle, teeth, shift and manual-count texts, separated by '\0' (missing = empty).

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calc/number_text.h"
#include "calc/span.h"

namespace {

void Require(bool ok) {
    if (!ok) __builtin_trap();
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t DigitRun(std::string_view s, std::size_t i) {
    std::size_t j = i;
    while (j < s.size() && IsDigit(s[j])) ++j;
    return j - i;
}

// The parts of a written number: [-]whole[sep fraction][E(+|-)exponent].
struct Shape {
    bool exponentForm = false;
    std::size_t fractionDigits = 0;
    bool negativeExponent = false;
};

// Checks the written form and returns its shape: no plus sign or blank, no leading zero
// but a lone "0" before the separator, no trailing fraction zero, at most 15 significant
// digits, exponent form exactly outside [0.0001, 1E+15) with one leading digit and at
// least two exponent digits, and never "-0".
Shape CheckForm(std::string_view text, std::string_view sep) {
    Shape shape;
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) ++i;
    const std::size_t whole = DigitRun(text, i);
    Require(whole >= 1 && (whole == 1 || text[i] != '0'));
    const bool zeroWhole = text[i] == '0';
    std::string significant(text.substr(zeroWhole ? i + 1 : i, zeroWhole ? 0 : whole));
    i += whole;
    std::size_t leadingFractionZeros = 0;
    if (text.substr(i, sep.size()) == sep && !sep.empty()) {
        i += sep.size();
        shape.fractionDigits = DigitRun(text, i);
        Require(shape.fractionDigits >= 1 && text[i + shape.fractionDigits - 1] != '0');
        std::string_view fraction = text.substr(i, shape.fractionDigits);
        if (significant.empty()) {
            leadingFractionZeros = fraction.find_first_not_of('0');
            fraction.remove_prefix(leadingFractionZeros);
        }
        significant += fraction;
        i += shape.fractionDigits;
    }
    Require(significant.size() <= 15);
    if (i < text.size() && text[i] == 'E') {
        shape.exponentForm = true;
        Require(whole == 1 && !zeroWhole && i + 1 < text.size());
        shape.negativeExponent = text[i + 1] == '-';
        Require(text[i + 1] == '+' || shape.negativeExponent);
        i += 2;
        const std::size_t digits = DigitRun(text, i);
        Require(digits >= 2 && (digits == 2 || text[i] != '0'));
        int exponent = 0;
        for (std::size_t j = i; j < i + digits && exponent < 1000; ++j) exponent = exponent * 10 + (text[j] - '0');
        Require(shape.negativeExponent ? exponent >= 5 : exponent >= 15);
        i += digits;
    } else {
        // Fixed form: below 1E+15, and either zero or at least 0.0001.
        Require(whole <= 15 && !(zeroWhole && leadingFractionZeros >= 4));
    }
    Require(i == text.size());
    Require(!(negative && significant.empty()));  // "-0"
    return shape;
}

std::string WithSeparator(std::string text, std::string_view sep) {
    const std::size_t dot = text.find('.');
    if (dot != std::string::npos) text.replace(dot, 1, sep);
    return text;
}

// A written text reads back to a value, and (outside the subnormals, where 15 digits
// may not name the double) writes back to itself.
void CheckReadsBack(const std::string& text) {
    if (text == "1.79769313486232E+308" || text == "-1.79769313486232E+308") return;  // rounds past DBL_MAX
    const std::optional<double> back = calc::ReadNumber(text);
    Require(back.has_value());
    if (*back == 0 || (*back > 0 ? *back : -*back) >= 0x1p-1022) Require(calc::NumberToText(*back) == text);
}

// The text as typed in full width: every printable ASCII character as its full-width
// form, a minus as the minus sign U+2212, a space as the ideographic space.
std::string Widened(std::string_view text) {
    std::string wide;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte > 0x7E) {
            wide += c;
            continue;
        }
        const char32_t code = c == ' ' ? U'\u3000' : c == '-' ? U'\u2212' : byte + char32_t{0xFEE0};
        for (const unsigned part : {0xE0 | code >> 12, 0x80 | (code >> 6 & 0x3F), 0x80 | (code & 0x3F)})
            wide += static_cast<char>(part);
    }
    return wide;
}

void CheckResult(const calc::SpanInputs& in) {
    const std::optional<calc::SpanResult> dot = calc::ComputeSpan(in, ".");
    const std::optional<calc::SpanResult> comma = calc::ComputeSpan(in, ",");
    Require(dot.has_value() == comma.has_value());

    const std::optional<double> k = calc::ReadNumber(in.ManualCountText);
    const bool inputFault = !calc::ReadNumber(in.ModuleText) || !calc::ReadNumber(in.AngleText) ||
                            !calc::ReadNumber(in.TeethText) || !calc::ReadNumber(in.ShiftText) ||
                            (in.UseManualCount && !k);
    if (inputFault) Require(!dot);
    if (!dot) return;

    Require(comma->CountText == WithSeparator(dot->CountText, ","));
    Require(comma->LengthText == WithSeparator(dot->LengthText, ","));
    const Shape count = CheckForm(dot->CountText, ".");
    const Shape length = CheckForm(dot->LengthText, ".");
    CheckForm(comma->CountText, ",");
    CheckForm(comma->LengthText, ",");
    if (!length.exponentForm) Require(length.fractionDigits <= 4);
    Require(!(length.exponentForm && length.negativeExponent));  // Wk is rounded to 0.0001
    if (in.UseManualCount) {
        Require(dot->CountText == calc::NumberToText(*k));
    } else {
        Require(count.fractionDigits == 0 || count.exponentForm);
        Require(!count.negativeExponent);
    }
    CheckReadsBack(dot->CountText);
    CheckReadsBack(dot->LengthText);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    calc::SpanInputs in;
    in.UseManualCount = (data[0] & 1) != 0;
    std::string* fields[] = {&in.ModuleText, &in.AngleText, &in.TeethText, &in.ShiftText, &in.ManualCountText};
    std::size_t field = 0;
    for (std::size_t i = 1; i < size && field < 5; ++i) {
        if (data[i] == 0)
            ++field;
        else
            fields[field]->push_back(static_cast<char>(data[i]));
    }

    for (const std::string* text : fields) {
        // Typed in full width, any text reads exactly as its ASCII twin.
        const std::optional<double> read = calc::ReadNumber(*text), wide = calc::ReadNumber(Widened(*text));
        Require(read.has_value() == wide.has_value());
        if (read) Require(std::bit_cast<std::uint64_t>(*read) == std::bit_cast<std::uint64_t>(*wide));
        if (const std::optional<double> v = read) {
            Require(std::isfinite(*v));
            const std::string written = calc::NumberToText(*v);
            CheckForm(written, ".");
            CheckReadsBack(written);
        }
    }

    CheckResult(in);
    // The manual-count text plays no part while the switch is off.
    if (!in.UseManualCount) {
        calc::SpanInputs cleared = in;
        cleared.ManualCountText.clear();
        const auto a = calc::ComputeSpan(in), b = calc::ComputeSpan(cleared);
        Require(a.has_value() == b.has_value());
        if (a) Require(a->CountText == b->CountText && a->LengthText == b->LengthText);
    }
    return 0;
}
