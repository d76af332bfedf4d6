// Timing the load of a collection file, shared by the benchmarks.
#pragma once

#include "store/DataFile.h"
#include "store/FileIO.h"

#include <benchmark/benchmark.h>

#include <string>

// Each iteration reads the file at `path` into a new collection; freeing it
// is not part of loading it.
inline void LoadEachIteration(benchmark::State& state, const std::string& path)
{
    for (auto _ : state) {
        StoreContent loaded;
        InputFile file(path);
        ReadDataFile(file, loaded);
        benchmark::DoNotOptimize(loaded.m_arrItems.data());
        state.PauseTiming();
        loaded = StoreContent();
        state.ResumeTiming();
    }
}
