// linkhive-cli find's scan over a loaded store of a million bookmarks: the
// time to look through every name, URL and description, per searched text.
// The store is written and read back through the data file first, so the
// scan walks memory laid out as a real load leaves it.
//   find_bench [--benchmark_filter=...]

#include "exchange/BookmarkSearch.h"
#include "store/DataFile.h"
#include "store/FileIO.h"

#include "RandomText.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <unistd.h>

namespace {

const size_t kItems = 1000000;
const size_t kGroups = 1000;

std::string BenchFile()
{
    return "/tmp/linkhive-find-bench-" + std::to_string(getpid()) + ".lkh";
}

// A million bookmarks in a thousand groups; every other one has a description.
StoreContent Generated()
{
    std::mt19937 random(15);
    return RandomCollection(random, kGroups, kItems, false,
                            [&random](size_t i) { return i % 2 == 0 ? RandomText(random, 0, 80) : std::string(); });
}

const StoreContent& LoadedStore()
{
    static const StoreContent loaded = [] {
        const std::string path = BenchFile();
        WriteDataFile(path, Generated());
        StoreContent c;
        const auto start = std::chrono::steady_clock::now();
        {
            InputFile file(path);
            ReadDataFile(file, c);
        }
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        uint64_t bytes = 0;
        for (const BookmarkItem& item : c.m_arrItems)
            bytes += item.m_strName.size() + item.m_strURL.size() + item.m_strDescription.size();
        std::printf("store: %zu bookmarks, %.1f MB of searched text, loaded in %.3f s\n", c.m_arrItems.size(),
                    bytes / 1048576.0, seconds);
        std::fflush(stdout);
        std::remove(path.c_str());
        return c;
    }();
    return loaded;
}

void Find(benchmark::State& state, const std::string& text, const std::string* group)
{
    const StoreContent& store = LoadedStore();
    size_t found = 0;
    for (auto _ : state) {
        const std::vector<size_t> hits = FindBookmarks(store, text, group);
        found = hits.size();
        benchmark::DoNotOptimize(hits.data());
    }
    state.counters["found"] = static_cast<double>(found);
}

// A text in almost no bookmark: every text is looked through to its end.
void BM_FindRareWord(benchmark::State& state) { Find(state, "LinkHive", nullptr); }
// Its anchor a byte that is not a letter, found with one memchr.
void BM_FindWithSlash(benchmark::State& state) { Find(state, "qz/", nullptr); }
// A text in most bookmarks: the search stops at the first field with it.
void BM_FindCommonPair(benchmark::State& state) { Find(state, "ab", nullptr); }
// One group of a thousand: the group comparison decides for most.
void BM_FindInGroup(benchmark::State& state)
{
    static const std::string group = "GROUP 7";
    Find(state, "LinkHive", &group);
}

BENCHMARK(BM_FindRareWord)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FindWithSlash)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FindCommonPair)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FindInGroup)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
