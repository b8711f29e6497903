#include "calc/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <initializer_list>
#include <limits>
#include <optional>
#include <string>

namespace {

using calc::NumberToText;
using calc::ReadNumber;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kMinSub = 0x1p-1074;
const std::optional<double> kFault;

struct ReadCase {
    std::string text;
    std::optional<double> expected;  // compared exactly; nullopt = range fault
};

void CheckReads(std::initializer_list<ReadCase> cases) {
    for (const ReadCase& c : cases) EXPECT_EQ(ReadNumber(c.text), c.expected) << "text \"" << c.text << "\"";
}

TEST(ReadNumber, LenientForm) {
    CheckReads({
        {"", 0},
        {"-.E3", 0},
        {"+7", 7},
        {".5", 0.5},
        {"5.", 5},
        {"\t-\n3", -3},
        {"\r3", 0},  // only blank, tab and line feed are skipped
        {"2d-1", 0.2},
        {"2D+", 2},
        {"1e+-2", 1},
        {"1.2.3", 1.2},
        {"0,5", 0},
        {"--5", 0},
        {"1e2.5", 100},
        {"1\u2009 2", 1},  // a thin space is no blank
        // Full width, as a Chinese input method types it; digits, signs, U+3000 in the drawn doubles.
        {"１Ｅ－２", 0.01},
        {"２ｄ２", 200},
        {"＆Ｏ１７", 15},
        {"＆ｈＦＦＦＦ", -1},
        {"１，５", 1},
        {"1\uFF002", 1},   // U+FF00 is no full-width form
        {"–5", 0},         // an en dash is no minus
        {"1\xEF\xBC", 1},  // sequences cut short
        {"1\xEF\x3C\x91", 1},
        {"1\xEF\xBC\x11", 1},
    });
    EXPECT_EQ(calc::TextAsRead("\u3000１．２５ 中\t文\u2212"), "1.25中文-");
}

TEST(ReadNumber, HexAndOctal) {
    CheckReads({{"&HFFFF", -1},
                {"&hff", 255},
                {"&O17", 15},
                {"&o777", 511},
                {"&H F F", 255},
                {"&H7FFF", 32767},
                {"&H8000", -32768},
                {"&H10000", 65536},
                {"&H7FFFFFFF", 2147483647.0},
                {"&H80000000", -2147483648.0},
                {"&HFFFFFFFF", -1},
                {"&H00000000000000000001", 1},  // leading zeros do not widen the value
                {"&H100000000", kFault},
                {"&H1000000000000FFFF", kFault},
                {"&H", 0},
                {"&X1", 0},
                {"&H1G", 1},
                {"&O8", 0},
                {"&O78", 7}});
}

TEST(ReadNumber, RangeEndsAndLongDigitStrings) {
    const std::string zeros400(400, '0');
    CheckReads({{"1E400", kFault},
                {"1E99999999999999999999", kFault},
                {"10e308", kFault},
                {"1" + zeros400, kFault},
                {"-0.000E99999999999999999999", 0},  // zero stays zero, whatever the exponent
                {"1E-99999999999999999999", 0},
                {"0." + zeros400.substr(1) + "1E400", 1},
                {"1" + zeros400 + "E-400", 1},
                {zeros400 + "1.5", 1.5},
                // DBL_MAX and the half-way point between it and 2^1024, which rounds to overflow.
                {"1.7976931348623157e308", DBL_MAX},
                {"1.797693134862315807937289714053e308", DBL_MAX},
                {"1.7976931348623158079372897140531e308", kFault},
                {"4.9e-324", kMinSub},
                // Half the smallest subnormal, 2^-1075, ties to the even neighbour 0.
                {"2.4703282292062327208828439643411068618252990130716238e-324", 0},
                {"2.4703282292062327208828439643411068618252990130716239e-324", kMinSub},
                // 2^53 + 1 lies half-way between doubles; the digits after it decide, up to
                // the 40th on the stack and from the 41st on the heap.
                {"9007199254740993", 0x1p53},
                {"9007199254740993." + std::string(23, '0') + "1", 0x1p53 + 2},
                {"9007199254740993." + std::string(24, '0'), 0x1p53},
                {"9007199254740993." + std::string(24, '0') + "1", 0x1p53 + 2},
                {"-9007199254740992." + std::string(1000, '9'), -0x1p53},
                {"9007199254740993" + std::string(1000, '0') + "e-1000", 0x1p53}});
}

TEST(NumberToText, Table) {
    const char* const kArabic = "\331\253";  // U+066B, two bytes in octal, which ends each escape at 3 digits
    // The written form itself; the drawn doubles check its digits and where the exponent form begins.
    const struct {
        double value;
        const char *sep, *expected;
    } cases[] = {{7.6604, ".", "7.6604"},
                 {0.0, ".", "0"},
                 {-0.0, ".", "0"},
                 {123456789012344.5, ".", "123456789012344"},
                 {123456789012345.5, ".", "123456789012346"},
                 {1e15, ".", "1E+15"},
                 {1e100, ".", "1E+100"},
                 {1e-9, ".", "1E-09"},
                 {kInf, ".", "inf"},
                 {-kInf, ".", "-inf"},
                 {kNaN, ".", "nan"},
                 {7.6604, ",", "7,6604"},
                 {2.5e-7, ",", "2,5E-07"},
                 {7.6604, kArabic, "7\331\2536604"},
                 {2.5e-7, kArabic, "2\331\2535E-07"}};
    for (const auto& c : cases) {
        EXPECT_EQ(NumberToText(c.value, c.sep), c.expected) << std::hexfloat << c.value << " sep " << c.sep;
    }
}

}  // namespace
