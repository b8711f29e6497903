// Time per ComputeSpan call, against the floor of its two maths library calls
// and against the floor of every conversion an exact answer needs.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "calc/span.h"

namespace {

// A thousand inputs as a workshop types them: list modules and angles,
// tooth counts and shifts in the usual ranges, now and then a chosen k.
const std::vector<calc::SpanInputs>& WorkshopInputs() {
    static const std::vector<calc::SpanInputs> inputs = [] {
        const char* modules[] = {"1 ", "1.25", "1.5", "1.75", "2 ", "2.25", "2.5", "2.75",
                                 "3 ", "3.5",  "4 ",  "5 ",   "6 ", "7 ",   "8 ",  "9 "};
        const char* angles[] = {"14.5", "15", "17.5", "20", "22.5", "25", "30"};
        std::mt19937 rng(20261206);
        std::uniform_int_distribution<int> pick(0, 1 << 20);
        std::vector<calc::SpanInputs> out;
        for (int i = 0; i < 1000; ++i) {
            calc::SpanInputs in;
            in.ModuleText = modules[pick(rng) % 16];
            in.AngleText = angles[pick(rng) % 7];
            in.TeethText = std::to_string(8 + pick(rng) % 193);
            in.ShiftText = std::to_string(pick(rng) % 16 * 0.1 - 0.5).substr(0, 4);
            in.UseManualCount = pick(rng) % 10 == 0;
            in.ManualCountText = std::to_string(2 + pick(rng) % 20);
            out.push_back(in);
        }
        return out;
    }();
    return inputs;
}

void BM_ComputeSpanReference(benchmark::State& state) {
    const calc::SpanInputs in{"1", "20", "20", "0", "", false};
    for (auto _ : state) benchmark::DoNotOptimize(calc::ComputeSpan(in));
}
BENCHMARK(BM_ComputeSpanReference);

void BM_ComputeSpanWorkshop(benchmark::State& state) {
    const auto& inputs = WorkshopInputs();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc::ComputeSpan(inputs[i]));
        i = (i + 1) % inputs.size();
    }
}
BENCHMARK(BM_ComputeSpanWorkshop);

// The floor: only tan and cos of the same angles, nothing read or written.
void BM_TanCosFloor(benchmark::State& state) {
    std::vector<double> radians;
    for (const auto& in : WorkshopInputs()) radians.push_back(std::stod(in.AngleText) * 3.14159265358979 / 180.0);
    std::size_t i = 0;
    for (auto _ : state) {
        double r = radians[i];
        benchmark::DoNotOptimize(r);
        benchmark::DoNotOptimize(std::tan(r) + std::cos(r));
        i = (i + 1) % radians.size();
    }
}
BENCHMARK(BM_TanCosFloor);

// The least work any exact answer needs: the four input texts read with
// from_chars, one tan and one cos, and k and Wk (to 4 decimals) written with
// to_chars. The texts are the workshop's own, read where they stand; k and Wk
// are computed from what was read, so the numbers written are the real ones.
void BM_ConversionFloor(benchmark::State& state) {
    const auto& inputs = WorkshopInputs();
    constexpr double pi = 3.14159265358979;
    const auto read = [](const std::string& text) {
        double v = 0.0;
        std::from_chars(text.data(), text.data() + text.size(), v);
        return v;
    };
    std::size_t i = 0;
    for (auto _ : state) {
        const calc::SpanInputs& in = inputs[i];
        const double m = read(in.ModuleText), alpha = read(in.AngleText);
        const double z = read(in.TeethText), x = read(in.ShiftText);
        const double r = alpha * pi / 180.0;
        const double t = std::tan(r), c = std::cos(r);
        const double k = std::nearbyint(alpha / 180.0 * z + 0.5 + 2.0 * x * t / pi);
        const double wk = m * c * (pi * (k - 0.5) + (t - r) * z + 2.0 * x * t);
        char countText[32], lengthText[48];
        // Not const: Benchmark 1.9 deprecates DoNotOptimize of a const value.
        auto count = std::to_chars(countText, countText + sizeof countText, k);
        auto length = std::to_chars(lengthText, lengthText + sizeof lengthText, wk, std::chars_format::fixed, 4);
        benchmark::DoNotOptimize(countText);
        benchmark::DoNotOptimize(lengthText);
        benchmark::DoNotOptimize(count.ptr);
        benchmark::DoNotOptimize(length.ptr);
        i = (i + 1) % inputs.size();
    }
}
BENCHMARK(BM_ConversionFloor);

// Keeps each run's time per iteration so that main can print the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& run : runs) nanoseconds[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> nanoseconds;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto& ns = reporter.nanoseconds;
    const auto floor = ns.find("BM_TanCosFloor");
    if (floor != ns.end() && floor->second > 0) {
        for (const char* name : {"BM_ComputeSpanReference", "BM_ComputeSpanWorkshop"}) {
            const auto it = ns.find(name);
            if (it != ns.end()) std::printf("%s / floor: %.1f\n", name, it->second / floor->second);
        }
    }
    const auto conversions = ns.find("BM_ConversionFloor");
    const auto workshop = ns.find("BM_ComputeSpanWorkshop");
    if (conversions != ns.end() && workshop != ns.end() && conversions->second > 0)
        std::printf("BM_ComputeSpanWorkshop / conversion floor: %.2f\n", workshop->second / conversions->second);
    benchmark::Shutdown();
}
