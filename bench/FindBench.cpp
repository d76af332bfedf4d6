// linkhive-cli find's scan over a loaded store of a million bookmarks: the
// time to look through every name, URL and description, per searched text,
// and for one slice of a window's scan. Then the duplicates of the same
// store with every tenth URL a copy, and the deletion of their extra copies.
// The store is written and read back through the data file first, so the
// scan walks memory laid out as a real load leaves it.
//   find_bench [--benchmark_filter=...]

#include "query/BookmarkDuplicates.h"
#include "query/BookmarkSearch.h"
#include "query/QuickOpen.h"
#include "store/CBookmarkDoc.h"
#include "store/DataFile.h"
#include "store/FileIO.h"

#include "QuietPrompt.h"
#include "RandomText.h"

#include <benchmark/benchmark.h>

#include <cctype>
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

// A tenth of a million: what a window scans in one idle slice.
void BM_FindSlice(benchmark::State& state)
{
    const StoreContent& store = LoadedStore();
    const TextSearch search("LinkHive");
    std::vector<size_t> hits;
    for (auto _ : state) {
        hits.clear();
        FindBookmarksIn(store, search, 450000, 550000, hits);
        benchmark::DoNotOptimize(hits.data());
    }
}

// Quick Open's keystroke when the text extends nothing: a scan of every
// name, URL and group, with the best 50 kept.
void QuickOpenScan(benchmark::State& state, const std::string& text)
{
    const StoreContent& store = LoadedStore();
    const QuickOpenQuery query(text);
    std::vector<size_t> found;
    for (auto _ : state) {
        found.clear();
        const std::vector<size_t> rows = QuickOpenBest(store, query, kQuickOpenRows, nullptr, &found);
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["found"] = static_cast<double>(found.size());
}
// The first letter typed: nearly every bookmark matches and is ranked.
void BM_QuickOpenFirstLetter(benchmark::State& state) { QuickOpenScan(state, "q"); }
// Two words pasted at once, in few bookmarks.
void BM_QuickOpenTwoWords(benchmark::State& state) { QuickOpenScan(state, "abc xyz"); }

// What a keystroke waits for when the text extends nothing: the first slice
// of the scan; the rest runs between keystrokes.
void BM_QuickOpenKeystrokeSlice(benchmark::State& state)
{
    const StoreContent& store = LoadedStore();
    for (auto _ : state) {
        QuickOpenSearch typing;
        typing.Start("abc xyz");
        benchmark::DoNotOptimize(typing.Scan(store, 50000));
    }
}

// "linkhive quick" typed a letter at a time, each keystroke narrowing the
// last one's matches; the time is that of the whole word, per keystroke.
void BM_QuickOpenTyping(benchmark::State& state)
{
    const StoreContent& store = LoadedStore();
    const std::string typed = "linkhive quick";
    for (auto _ : state) {
        QuickOpenSearch typing;
        for (size_t n = 1; n <= typed.size(); ++n) {
            const std::vector<size_t> rows = typing.Update(store, typed.substr(0, n));
            benchmark::DoNotOptimize(rows.data());
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * typed.size()));
}

// The loaded store with every tenth URL that of a random earlier bookmark,
// its letters in upper case every other time.
const StoreContent& StoreWithDuplicates()
{
    static const StoreContent copied = [] {
        StoreContent c = LoadedStore();
        std::mt19937 random(21);
        for (size_t i = 9; i < c.m_arrItems.size(); i += 10) {
            std::string url = c.m_arrItems[std::uniform_int_distribution<size_t>(0, i - 1)(random)].m_strURL;
            if (i % 20 == 9) {
                for (char& ch : url)
                    ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
            }
            c.m_arrItems[i].m_strURL = url;
        }
        return c;
    }();
    return copied;
}

void BM_Duplicates(benchmark::State& state)
{
    const StoreContent& store = StoreWithDuplicates();
    DuplicateSets sets;
    for (auto _ : state) {
        sets = FindDuplicates(store);
        benchmark::DoNotOptimize(sets.items.data());
    }
    state.counters["bookmarks"] = static_cast<double>(sets.items.size());
    state.counters["sets"] = static_cast<double>(sets.setStarts.size());
}

// Select Extra Copies, then Delete: a tenth of the million in one step.
void BM_DeleteExtraCopies(benchmark::State& state)
{
    const StoreContent& store = StoreWithDuplicates();
    const DuplicateSets sets = FindDuplicates(store);
    std::vector<size_t> doomed;
    for (const size_t row : ExtraCopies(sets))
        doomed.push_back(sets.items[row]);
    CurrentSelection selection;
    ClipboardMarks marks;
    DeclineEverything prompt;
    NoClipboard clipboard;
    CBookmarkDoc doc(selection, marks, prompt, clipboard);
    size_t removed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        StoreContent copy;
        copy.m_arrItems = store.m_arrItems;
        doc.LoadContent(std::move(copy));
        state.ResumeTiming();
        removed = doc.DeleteItems(doomed);
    }
    state.counters["removed"] = static_cast<double>(removed);
}

BENCHMARK(BM_FindRareWord)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FindWithSlash)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FindCommonPair)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FindInGroup)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FindSlice)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_QuickOpenFirstLetter)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_QuickOpenTwoWords)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_QuickOpenKeystrokeSlice)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_QuickOpenTyping)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Duplicates)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DeleteExtraCopies)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace

BENCHMARK_MAIN();
