// Every answer over a dense grid of workshop gears, folded into one digest:
// the same digits on every platform whose maths library gives the same tan
// and cos doubles, which for pressure angles up to 45 degrees holds on Linux
// and on Windows alike. One changed digit anywhere changes the digest.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "calc/span.h"

namespace {

std::uint64_t Fnv1a(std::uint64_t hash, const std::string& text) {
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 0x100000001B3u;
    }
    return hash;
}

TEST(GearGrid, SameDigitsEverywhere) {
    const char* modules[] = {"1 ",  "1.25", "1.5", "1.75", "2 ", "2.25", "2.5", "2.75", "3 ",
                             "3.5", "4 ",   "5 ",  "6 ",   "7 ", "8 ",   "9 ",  "0.8",  "2.87"};
    std::uint64_t digest = 0xCBF29CE484222325u;
    for (const char* module : modules) {
        for (int tenths = 100; tenths <= 450; tenths += 5) {  // 10 to 45 degrees
            const std::string angle = std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
            for (int z = 6; z <= 300; z += 7) {
                for (int x = -60; x <= 120; x += 15) {                    // shift -0.6 to 1.2
                    const std::string shift = std::to_string(x / 100.0);  // "-0.600000" reads as -0.60
                    const auto result = calc::ComputeSpan({module, angle, std::to_string(z), shift, "", false});
                    ASSERT_TRUE(result.has_value()) << module << " " << angle << " " << z << " " << shift;
                    digest = Fnv1a(digest, result->CountText + "|" + result->LengthText + "\n");
                }
            }
        }
    }
    // Written down from a Linux build; Windows (the C runtime's tan and cos)
    // must reach the very same digits.
    EXPECT_EQ(digest, 0x9E0E9D8A301AB7E5u) << std::hex << digest;
}

}  // namespace
