#pragma once

// The calculator's numeric text conventions: how a number is read from the
// text of an input box, rounded for display and written back as text.
//
// Reading is lenient and locale-independent (the decimal separator is always
// "."); writing uses the separator that the caller passes, normally the
// user's locale's. Conversions are correctly rounded: the text written for a
// double is its exact binary value rounded to 15 significant digits, and a
// decimal text reads as the double nearest to it.

#include <optional>
#include <string>
#include <string_view>

namespace calc {

// The text as ReadNumber sees it: blanks dropped, full-width forms as their
// ASCII twins (see below); every other character kept. Two texts that read
// alike character by character give the same text here.
std::string TextAsRead(std::string_view text);

// Reads the number at the start of the UTF-8 `text`, leniently:
//   - what a Chinese input method types in its full-width mode, and what
//     pasted text carries, reads as its ASCII twin: U+FF01..U+FF5E as
//     U+0021..U+007E ("０．５" -> 0.5, "＆ＨＦＦ" -> 255, "１，５" -> 1), the
//     minus sign U+2212 as "-", the ideographic space U+3000 as a blank
//   - space, tab and line feed are skipped wherever they stand:
//       "2 0" -> 20, " 1 " -> 1
//   - then [+|-] digits [. digits] [E|D [+|-] digits], letters in either case:
//       "1.5e3" -> 1500, "2D2" -> 200, ".5" -> 0.5, "5." -> 5
//       "1E" -> 1, "2D+" -> 2 (an exponent without digits adds nothing)
//   - or &H hexadecimal / &O octal digits, a whole number read as 16-bit
//     two's complement when it fits in 16 bits, else as 32-bit:
//       "&HFFFF" -> -1, "&O17" -> 15, "&H10000" -> 65536, "&HFFFFFFFF" -> -1
//   - reading stops at the first character that does not continue the form:
//       "20abc" -> 20, "1.2.3" -> 1.2, "0,5" -> 0, "1,234" -> 1
//   - no digit at all reads as 0: "", "abc", "-", "." -> 0
//   - any number of digits reads as the nearest double (ties to even); a
//     magnitude too small for a double reads as 0 or a subnormal.
// std::nullopt is the range fault: a magnitude beyond the double range
// ("1E400"), or a &H/&O value wider than 32 bits.
std::optional<double> ReadNumber(std::string_view text);

// Rounds `value` to `places` decimals (negative counts as 0). The decision is
// made on the exact binary value of the double, and only an exact half-way
// value goes to the even neighbour:
//   (2.5, 0) -> 2, (-2.5, 0) -> -2, (3.5, 0) -> 4,
//   (0.03125, 4) -> 0.0312, (0.09375, 4) -> 0.0938,
//   (0.00005, 4) -> 0.0001 (the double 0.00005 lies just above the tie).
// The result is the double nearest to the rounded decimal. Infinities and NaN
// come back unchanged. No integer type is involved, so any magnitude works.
double RoundHalfEven(double value, int places);

// Writes `value` rounded to 15 significant digits (ties to even), without
// trailing fraction zeros, plus sign or digit grouping:
//   7.6604 -> "7.6604", 16.867 -> "16.867", 3 -> "3", 0.5 -> "0.5",
//   -1.4761 -> "-1.4761", -0.0 -> "0", 123456789012344.5 -> "123456789012344"
// Magnitudes from 1E+15 up, and non-zero ones below 0.0001, take the exponent
// form: 2^50 -> "1.12589990684262E+15", 1e-5 -> "1E-05", 2.5e-7 -> "2.5E-07".
// `decimalSeparator` replaces the full stop: (7.6604, ",") -> "7,6604".
// Infinities and NaN are never passed by the calculator; they are written
// "inf", "-inf" and "nan".
std::string NumberToText(double value, std::string_view decimalSeparator = ".");

// Writes `value` rounded to `places` decimals: always the same text as
// NumberToText(RoundHalfEven(value, places), decimalSeparator), but made,
// where that cannot change it, from the rounded decimal's own digits instead
// of a double read back from them: for 0 to 4 places, magnitudes below 1E+15
// and at most 15 significant digits, which name their nearest double's
// 15-digit text exactly. (-0.00004, 4) -> "0", (1.00005, 4) -> "1.0001".
std::string RoundedText(double value, int places, std::string_view decimalSeparator = ".");

}  // namespace calc
