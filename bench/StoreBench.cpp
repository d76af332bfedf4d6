// Saving and loading a collection of a million bookmarks, in MB/s, and the
// peak memory of a load against the file's size. Argument 1: names in the
// world's scripts (most of them behind the wide-text mark) instead of ASCII.
// And the history's Undo of a deletion of 100,000 of them.
//   store_bench [--benchmark_filter=...]

#include "store/ChangeJournal.h"
#include "store/DataFile.h"
#include "store/FileIO.h"

#include "RandomText.h"
#include "tests/support/ScriptSamples.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
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
    for (auto _ : state) {
        StoreContent loaded;
        InputFile file(path);
        ReadDataFile(file, loaded);
        benchmark::DoNotOptimize(loaded.m_arrItems.data());
        // Freeing the collection is not part of loading it.
        state.PauseTiming();
        loaded = StoreContent();
        state.ResumeTiming();
    }
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

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    ReportLoadMemory();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::remove(BenchFile().c_str());
    return 0;
}
