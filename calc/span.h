#pragma once

// The span measurement of an external involute spur gear with profile shift:
// the span tooth count k and the base tangent length Wk over k teeth.

#include <optional>
#include <string>
#include <string_view>

namespace calc {

// The input boxes' texts as the user left them (UTF-8), read by ReadNumber.
struct SpanInputs {
    std::string ModuleText, AngleText, TeethText, ShiftText, ManualCountText;  // UTF-8
    bool UseManualCount = false;
};

// k as written for the count box, Wk rounded to 4 decimals for the length box.
struct SpanResult {
    std::string CountText, LengthText;
};

// Computes k and Wk from module m, pressure angle alpha (degrees), teeth z and
// profile shift x; k is taken from ManualCountText, unrounded, when
// UseManualCount is set, else
//   k  = RoundHalfEven((alpha / 180) * z + 0.5 + (2x) * (tan a / pi), 0)
//   Wk = (m cos a) * ((pi (k - 0.5) + (tan a - a) z) + (2x) tan a),
// with a = (alpha * pi) / 180 and every bracket evaluated as written, in
// doubles. The reference gear: m 1, alpha 20, z 20, x 0 -> "3", "7.6604".
// std::nullopt is the range fault: no texts are produced.
std::optional<SpanResult> ComputeSpan(const SpanInputs& inputs, std::string_view decimalSeparator = ".");

}  // namespace calc
