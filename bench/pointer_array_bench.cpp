#include <benchmark/benchmark.h>

#include <vector>

#include "image/pointer_array.h"

namespace {

// Appending grows in fixed steps of 16 rather than geometrically; this shows
// what that costs against std::vector for list sizes the program meets.
void appendPointerArray(benchmark::State& state)
{
    const auto n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        tessaly::PointerArray<int> array(16);
        for (int i = 0; i < n; ++i)
            array.add(i);
        benchmark::DoNotOptimize(array.begin());
    }
}
BENCHMARK(appendPointerArray)->Name("pointer_array/tessaly/append")->Arg(16)->Arg(256)->Arg(4096);

void appendVector(benchmark::State& state)
{
    const auto n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        std::vector<int> array;
        for (int i = 0; i < n; ++i)
            array.push_back(i);
        benchmark::DoNotOptimize(array.data());
    }
}
BENCHMARK(appendVector)->Name("pointer_array/std_vector/append")->Arg(16)->Arg(256)->Arg(4096);

} // namespace
