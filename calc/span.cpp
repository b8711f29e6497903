#include "calc/span.h"

#include <bit>
#include <cmath>
#include <cstdint>

#include "calc/number_text.h"

namespace calc {
namespace {

// 3.14159265358979 as the calculator has always used it: seven units in the
// last place below the double nearest to pi. Every printed Wk depends on it.
constexpr double kPi = std::bit_cast<double>(std::uint64_t{0x400921FB54442D11});

// Watches every intermediate: one that leaves the double range makes the
// whole request a range fault. Later steps may go on with inf or NaN
// harmlessly, since their results are then never written.
class RangeWatch {
public:
    double operator()(double value) {
        fault_ = fault_ || !std::isfinite(value);
        return value;
    }
    double operator()(const std::optional<double>& value) {
        fault_ = fault_ || !value;
        return value ? (*this)(*value) : 0.0;
    }
    bool Fault() const { return fault_; }

private:
    bool fault_ = false;
};

}  // namespace

std::optional<SpanResult> ComputeSpan(const SpanInputs& inputs, std::string_view decimalSeparator) {
    RangeWatch step;
    const double m = step(ReadNumber(inputs.ModuleText));
    const double alpha = step(ReadNumber(inputs.AngleText));
    const double z = step(ReadNumber(inputs.TeethText));
    const double x = step(ReadNumber(inputs.ShiftText));

    // Each step is one double operation, grouped exactly as written: the ties
    // of k and the fourth decimal of Wk depend on the grouping.
    const double r = step(step(alpha * kPi) / 180.0);
    const double t = step(std::tan(r));

    double k = 0.0;
    if (inputs.UseManualCount) {
        // A hand-chosen count is used as read: not rounded, not checked.
        k = step(ReadNumber(inputs.ManualCountText));
    } else {
        // (alpha / 180) * z, not z * alpha / 180: 14.5 degrees with 720 teeth
        // lies just above the tie 58.5 only in this order.
        const double p = step(step(alpha / 180.0) * z);
        const double q = step(p + 0.5);
        const double s = step(step(2.0 * x) * step(t / kPi));
        k = RoundHalfEven(step(q + s), 0);
    }

    const double c = step(std::cos(r));
    const double a = step(m * c);
    const double b = step(kPi * step(k - 0.5));
    const double involute = step(step(t - r) * z);
    const double sum = step(b + involute);
    const double shift = step(step(2.0 * x) * t);
    const double wk = step(a * step(sum + shift));
    if (step.Fault()) return std::nullopt;

    return SpanResult{NumberToText(k, decimalSeparator), RoundedText(wk, 4, decimalSeparator)};
}

}  // namespace calc
