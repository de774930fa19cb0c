#pragma once
// Beside Google Benchmark's mean, median and standard deviation over the
// repetitions, the fastest and the slowest repetition ("_min", "_max"), so
// that tools/bench.sh can show each median with its spread:
//
//   BENCHMARK(BM_Something)->Unit(benchmark::kMicrosecond)->Apply(corvane::bench::addSpread);
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace corvane::bench {

inline double fastest(const std::vector<double>& values)
{
    return values.empty() ? 0.0 : *std::min_element(values.begin(), values.end());
}

inline double slowest(const std::vector<double>& values)
{
    return values.empty() ? 0.0 : *std::max_element(values.begin(), values.end());
}

inline void addSpread(benchmark::internal::Benchmark* benchmark)
{
    benchmark->ComputeStatistics("min", fastest)->ComputeStatistics("max", slowest);
}

} // namespace corvane::bench
