#pragma once
// main() for the benchmarks that need the program's application object: the
// windows are built offscreen, as in the tests.
#include <benchmark/benchmark.h>

#include "ui/CorvaneApplication.h"

#define CORVANE_BENCHMARK_MAIN()                             \
    int main(int argc, char** argv)                          \
    {                                                        \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))  \
            qputenv("QT_QPA_PLATFORM", "offscreen");         \
        corvane::CorvaneApplication application(argc, argv); \
        benchmark::Initialize(&argc, argv);                  \
        benchmark::RunSpecifiedBenchmarks();                 \
        benchmark::Shutdown();                               \
        return 0;                                            \
    }
