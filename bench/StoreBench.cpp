// Saving and loading a collection of a million bookmarks, in MB/s, and the
// peak memory of a load against the file's size. Argument 1: names in the
// world's scripts (most of them behind the wide-text mark) instead of ASCII.
// And the history's Undo of a deletion of 100,000 of them, and the merge of
// three copies of them (two edited apart), printed against a load.
//   store_bench [--benchmark_filter=...]

#include "store/ChangeJournal.h"
#include "store/CollectionMerge.h"
#include "store/DataFile.h"
#include "store/FileIO.h"

#include "LoadLoop.h"
#include "RandomText.h"
#include "tests/support/ScriptSamples.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const size_t kItems = 1000000;
const size_t kGroups = 1000;

const StoreContent& MillionBookmarks(bool scripts = false)
{
    static const StoreContent ascii = [] {
        std::mt19937 random(42);
        return RandomCollection(random, kGroups, kItems, false);
    }();
    static const StoreContent world = [] {
        StoreContent content = ascii;
        const std::vector<ScriptSample>& samples = ScriptSamples();
        for (size_t i = 0; i < content.m_arrItems.size(); ++i)
            content.m_arrItems[i].m_strName = samples[i % samples.size()].name + " " + content.m_arrItems[i].m_strName;
        return content;
    }();
    return scripts ? world : ascii;
}

std::string BenchFile()
{
    return "/tmp/linkhive-bench-" + std::to_string(getpid()) + ".lkh";
}

uint64_t FileSize(const std::string& path)
{
    return InputFile(path).Size();
}

long PeakKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, 6, "VmHWM:") == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

long CurrentKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, 6, "VmRSS:") == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

void BM_Save(benchmark::State& state)
{
    const StoreContent& content = MillionBookmarks(state.range(0) != 0);
    const std::string path = BenchFile();
    for (auto _ : state)
        WriteDataFile(path, content);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * FileSize(path)));
}

void BM_Load(benchmark::State& state)
{
    const std::string path = BenchFile();
    WriteDataFile(path, MillionBookmarks(state.range(0) != 0));
    LoadEachIteration(state, path);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * FileSize(path)));
}

// Taking back (and doing again) the deletion of every tenth bookmark, 100,000
// of the million, as the history's Undo does.
void BM_UndoLargeDelete(benchmark::State& state)
{
    StoreContent content = MillionBookmarks();
    ChangeJournal journal;
    ChangeRecord record;
    record.kind = ChangeRecord::RemoveItems;
    for (size_t i = 0; i < content.m_arrItems.size(); i += 10)
        Remove(record.items, i);
    ApplyForward(record, content.m_arrGroups, content.m_arrItems);
    journal.Push(std::move(record));
    for (auto _ : state) {
        journal.UndoLast(content.m_arrGroups, content.m_arrItems);
        state.PauseTiming();
        journal.RedoLast(content.m_arrGroups, content.m_arrItems);
        state.ResumeTiming();
    }
}

// One side of a merge: the million with a few thousand bookmarks changed,
// removed and added (`salt` makes each side's its own), and with `rename`
// one group renamed.
StoreContent EditedCopy(size_t salt, bool rename)
{
    StoreContent content = MillionBookmarks();
    std::vector<BookmarkItem>& items = content.m_arrItems;
    for (size_t i = salt; i < items.size(); i += 997)
        items[i].m_strName += " (edited " + std::to_string(salt) + ")";
    for (size_t i = salt; i < items.size(); i += 1999)
        items[i].m_strURL += "/moved";
    for (size_t i = 0; i < 2000; ++i) {
        BookmarkItem item = items[i * 400 + salt];
        item.m_strURL += "/new" + std::to_string(salt);
        items.push_back(item);
    }
    size_t kept = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i % 1003 != salt)
            items[kept++] = std::move(items[i]);
    }
    items.resize(kept);
    if (rename) {
        const std::string old = content.m_arrGroups[salt];
        content.m_arrGroups[salt] = "Renamed " + old;
        for (BookmarkItem& item : items) {
            if (item.m_strGroup == old)
                item.m_strGroup = content.m_arrGroups[salt];
        }
    }
    return content;
}

const StoreContent& Ours()
{
    static const StoreContent ours = EditedCopy(1, false);
    return ours;
}

const StoreContent& Theirs(bool rename)
{
    static const StoreContent plain = EditedCopy(2, false);
    static const StoreContent renamed = EditedCopy(2, true);
    return rename ? renamed : plain;
}

// The merge of a window's million with the file's, both edited since the
// million was read; argument 1: the file's side renamed a group too.
void BM_MergeThreeWay(benchmark::State& state)
{
    const StoreContent& theirs = Theirs(state.range(0) != 0);
    for (auto _ : state) {
        MergeOutcome outcome = MergeThreeWay(MillionBookmarks(), Ours(), theirs);
        benchmark::DoNotOptimize(outcome.merged.m_arrItems.data());
        state.PauseTiming();
        outcome = MergeOutcome();
        state.ResumeTiming();
    }
}

BENCHMARK(BM_MergeThreeWay)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_UndoLargeDelete)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Save)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Load)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Loads the file in a fresh child process, so nothing else counts toward
// its peak, and reports the peak growth against the file's size.
void ReportLoadMemory()
{
    const std::string path = BenchFile();
    WriteDataFile(path, MillionBookmarks());
    const uint64_t size = FileSize(path);
    const pid_t child = fork();
    if (child == 0) {
        // The parent's generated store is shared copy-on-write; the child's
        // own baseline is what it already has resident.
        const long before = CurrentKilobytes();
        StoreContent loaded;
        InputFile file(path);
        ReadDataFile(file, loaded);
        const long peak = PeakKilobytes();
        std::printf("load peak memory: %.1f MB over a %.1f MB file (%.2fx)\n", (peak - before) / 1024.0,
                    size / 1048576.0, (peak - before) * 1024.0 / static_cast<double>(size));
        std::fflush(stdout);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
}

// The median of three runs, without freeing what each made.
double Seconds(const std::function<StoreContent()>& run)
{
    std::vector<double> times;
    for (int n = 0; n < 3; ++n) {
        const auto start = std::chrono::steady_clock::now();
        const StoreContent made = run();
        times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[1];
}

// The merge's time against a load of one of the three; merging ought to
// take at most three loads.
void ReportMergeAgainstLoad()
{
    const std::string path = BenchFile();
    WriteDataFile(path, MillionBookmarks());
    const double load = Seconds([&path] {
        StoreContent loaded;
        InputFile file(path);
        ReadDataFile(file, loaded);
        return loaded;
    });
    for (const bool rename : {false, true}) {
        const double merge =
            Seconds([rename] { return MergeThreeWay(MillionBookmarks(), Ours(), Theirs(rename)).merged; });
        std::printf("merge of three copies%s: %.3f s, load of one: %.3f s (%.2fx)\n",
                    rename ? ", a group renamed" : "", merge, load, merge / load);
    }
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    ReportLoadMemory();
    ReportMergeAgainstLoad();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::remove(BenchFile().c_str());
    return 0;
}
