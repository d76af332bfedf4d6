// The imports against a large collection: a browser export of 40,000 links
// into a store of a million bookmarks through the HTML import; a browser
// export of 100,000 bookmarks (about 20 MB) into the same store through the
// bookmark-file import, and through the HTML import for comparison; and the
// HTML link scan alone over a 100 MB page, in MB/s. And a file of 100,000
// bookmarks in each of the browsers' own formats into the same store, to set
// against the load of that store from its own file.
//   import_bench [--benchmark_filter=...]

#include "exchange/BrowserFiles.h"
#include "exchange/BrowserImport.h"
#include "exchange/HtmlImport.h"
#include "exchange/NetscapeImport.h"
#include "store/CBookmarkDoc.h"
#include "store/DataFile.h"
#include "store/FileIO.h"
#include "store/IClipboard.h"
#include "store/Prompt.h"

#include "LoadLoop.h"
#include "RandomText.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <sys/resource.h>
#include <string>
#include <unistd.h>

namespace {

const size_t kStoreItems = 1000000;
const size_t kStoreGroups = 1000;
const size_t kPageLinks = 40000;
const size_t kDuplicateEvery = 100;  // one page link in a hundred is stored already
const size_t kBigPageBytes = size_t{100} << 20;
const size_t kExportBookmarks = 100000;

class QuietPrompt : public IPrompt {
public:
    MessageAnswer ShowMessage(const std::string&, MessageStyle) override
    {
        ++shown;
        return MessageAnswer::Ok;
    }
    size_t shown = 0;
};

class NoClipboard : public IClipboard {
public:
    void PutText(const std::string&) override {}
    std::string GetText() override { return std::string(); }
    void Empty() override {}
};

// A document for one benchmark, with what it answers through.
struct BenchDocument {
    CurrentSelection selection;
    ClipboardMarks marks;
    QuietPrompt prompt;
    NoClipboard clipboard;
    CBookmarkDoc doc{selection, marks, prompt, clipboard};
};

std::string StoredUrl(size_t i)
{
    return "http://www.site" + std::to_string(i) + ".example/page/" + std::to_string(i * 7919 % 100003) + ".html";
}

// `room`: bookmarks the store has room for beyond its own.
void FillStore(CBookmarkDoc& doc, size_t room = 0)
{
    std::mt19937 random(42);
    StoreContent content;
    for (size_t g = 0; g < kStoreGroups; ++g)
        content.m_arrGroups.push_back("Group " + std::to_string(g));
    content.m_arrItems.reserve(kStoreItems + room);
    for (size_t i = 0; i < kStoreItems; ++i) {
        BookmarkItem item;
        item.m_strName = RandomText(random, 10, 60);
        item.m_strURL = StoredUrl(i);
        item.m_strGroup = content.m_arrGroups[i % kStoreGroups];
        content.m_arrItems.push_back(std::move(item));
    }
    doc.LoadContent(std::move(content));
}

// A page laid out as browsers export them: one anchor per line with dates,
// an icon and tags, now and then a folder heading and a description.
std::string BrowserPage(size_t links, size_t minBytes)
{
    std::mt19937 random(7);
    std::string page = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
                       "charset=UTF-8\">\n<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks</H1>\n<DL><p>\n";
    for (size_t i = 0; i < links || page.size() < minBytes; ++i) {
        if (i % 50 == 0)
            page += "    <DT><H3 ADD_DATE=\"1463688081\">" + RandomText(random, 5, 20) + "</H3>\n    <DL><p>\n";
        const std::string url = i % kDuplicateEvery == 0 ? "http://WWW.SITE" + StoredUrl(i * 13).substr(15)
                                                          : "http://page" + std::to_string(i) + ".example/" +
                                                                RandomText(random, 5, 60);
        page += "        <DT><A HREF=\"" + url +
                "\" ADD_DATE=\"1463686918\" LAST_MODIFIED=\"1463686918\" ICON_URI=\"http://icons.example/favicon.ico\" "
                "TAGS=\"" + RandomText(random, 3, 30) + "\">" + RandomText(random, 10, 70) + "</A>\n";
        if (i % 3 == 0)
            page += "        <DD>" + RandomText(random, 20, 120) + "\n";
        if (i % 50 == 49)
            page += "    </DL><p>\n";
    }
    return page + "</DL><p>\n";
}

// A browser's export as today's browsers write it: folders three deep,
// mostly https links with dates and icons, a name now and then in UTF-8 with
// a reference, descriptions on every third.
std::string BrowserExport(size_t bookmarks)
{
    std::mt19937 random(11);
    std::string page = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
                       "charset=UTF-8\">\n<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks</H1>\n<DL><p>\n";
    for (size_t i = 0; i < bookmarks; ++i) {
        if (i % 400 == 0)
            page += std::string(i ? "        </DL><p>\n    </DL><p>\n" : "") + "    <DT><H3 ADD_DATE=\"1463688081\">" +
                    RandomText(random, 5, 20) + "</H3>\n    <DL><p>\n";
        if (i % 40 == 0)
            page += std::string(i % 400 ? "        </DL><p>\n" : "") + "        <DT><H3 ADD_DATE=\"1463688081\">" +
                    RandomText(random, 5, 20) + "</H3>\n        <DL><p>\n";
        const std::string url = i % kDuplicateEvery == 0 ? "http://WWW.SITE" + StoredUrl(i * 13).substr(15)
                                : i % 5 == 0            ? "http://page" + std::to_string(i) + ".example/" + RandomText(random, 5, 40)
                                                        : "https://www.page" + std::to_string(i) + ".example/" +
                                                              RandomText(random, 5, 40);
        std::string name = RandomText(random, 10, 50);
        if (i % 10 == 0)
            name += " &amp; Caf\xC3\xA9 \xE2\x80\x94 na\xC3\xAFve";
        page += "            <DT><A HREF=\"" + url +
                "\" ADD_DATE=\"1463686918\" LAST_MODIFIED=\"1463686918\" ICON_URI=\"https://icons.example/favicon.ico\">" +
                name + "</A>\n";
        if (i % 3 == 0)
            page += "            <DD>" + RandomText(random, 20, 80) + "\n";
    }
    return page + "        </DL><p>\n    </DL><p>\n</DL><p>\n";
}

size_t PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<size_t>(usage.ru_maxrss) / 1024;
}

std::string PagePath()
{
    return "/tmp/linkhive-import-bench-" + std::to_string(getpid()) + ".htm";
}

void BM_ImportIntoMillion(benchmark::State& state)
{
    BenchDocument bench;
    CBookmarkDoc& doc = bench.doc;
    FillStore(doc);
    const std::string path = PagePath();
    WriteWholeFile(path, BrowserPage(kPageLinks, 0));

    for (auto _ : state) {
        ImportHtml(path, doc, bench.prompt);
        state.PauseTiming();
        state.counters["added"] = static_cast<double>(doc.Items().size() - kStoreItems);
        state.counters["notices"] = static_cast<double>(bench.prompt.shown);
        bench.prompt.shown = 0;
        // The import taken back, and forgotten: the store as it was, its room
        // kept, and nothing of the import held through the next one.
        doc.UndoLast();
        doc.ClearJournal();
        state.ResumeTiming();
    }
    std::remove(path.c_str());
}

void BM_ScanBigPage(benchmark::State& state)
{
    const std::string page = BrowserPage(0, kBigPageBytes);
    std::vector<LinkSpan> links;
    for (auto _ : state) {
        links.clear();
        ScanHtmlLinks(page.data(), page.size(), links);
        benchmark::DoNotOptimize(links.data());
    }
    state.counters["links"] = static_cast<double>(links.size());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}

void BM_ImportBigPage(benchmark::State& state)
{
    BenchDocument bench;
    CBookmarkDoc& doc = bench.doc;
    const std::string path = PagePath();
    const std::string page = BrowserPage(0, kBigPageBytes);
    WriteWholeFile(path, page);
    for (auto _ : state) {
        ImportHtml(path, doc, bench.prompt);
        state.PauseTiming();
        state.counters["added"] = static_cast<double>(doc.Items().size());
        doc.Clear();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
    std::remove(path.c_str());
}

// Argument 0: the bookmark-file import; 1: the HTML import of the same file.
void BM_BrowserExportIntoMillion(benchmark::State& state)
{
    BenchDocument bench;
    CBookmarkDoc& doc = bench.doc;
    // The store's room made beforehand: the peak then shows the import's own
    // memory, not the store's growth.
    FillStore(doc, kExportBookmarks);
    const std::string path = PagePath();
    const std::string page = BrowserExport(kExportBookmarks);
    WriteWholeFile(path, page);
    const size_t peakBefore = PeakMegabytes();

    for (auto _ : state) {
        if (state.range(0) == 0)
            ImportNetscapeFile(path, doc, bench.prompt);
        else
            ImportHtml(path, doc, bench.prompt);
        state.PauseTiming();
        state.counters["added"] = static_cast<double>(doc.Items().size() - kStoreItems);
        state.counters["groups"] = static_cast<double>(doc.Groups().size() - kStoreGroups);
        state.counters["notices"] = static_cast<double>(bench.prompt.shown);
        bench.prompt.shown = 0;
        // The import taken back, and forgotten: the store as it was, its room
        // kept, and nothing of the import held through the next one.
        doc.UndoLast();
        doc.ClearJournal();
        state.ResumeTiming();
    }
    state.counters["fileMB"] = static_cast<double>(page.size()) / (1 << 20);
    if (state.range(0) == 0)  // the process's peak: the first run's only
        state.counters["peakGrowthMB"] = static_cast<double>(PeakMegabytes() - peakBefore);
    state.SetLabel(state.range(0) == 0 ? "bookmark file" : "HTML links");
    std::remove(path.c_str());
}

void BM_ParseBrowserExport(benchmark::State& state)
{
    const std::string page = BrowserExport(kExportBookmarks);
    size_t links = 0;
    for (auto _ : state) {
        const NetscapeFile file = ParseNetscapeFile(page.data(), page.size(), "top.htm");
        links = file.links.size();
    }
    state.counters["links"] = static_cast<double>(links);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}

// 100,000 bookmarks in folders two deep, names now and then in UTF-8, one
// in a hundred an address the store has; a description on every third.
StoreContent BrowserCollection()
{
    std::mt19937 random(13);
    StoreContent content;
    for (size_t i = 0; i < kExportBookmarks; ++i) {
        if (i % 40 == 0)
            content.m_arrGroups.push_back("Folder " + std::to_string(i / 400) + " / " + RandomText(random, 5, 20));
        BookmarkItem item;
        item.m_strName = RandomText(random, 10, 50);
        if (i % 10 == 0)
            item.m_strName += " & Caf\xC3\xA9 \xE2\x80\x94 na\xC3\xAFve";
        item.m_strURL = i % kDuplicateEvery == 0 ? "http://WWW.SITE" + StoredUrl(i * 13).substr(15)
                                                 : "https://www.page" + std::to_string(i) + ".example/" +
                                                       RandomText(random, 5, 40);
        if (i % 3 == 0)
            item.m_strDescription = RandomText(random, 20, 80);
        item.m_strGroup = content.m_arrGroups.back();
        content.m_arrItems.push_back(std::move(item));
    }
    return content;
}

// A backup as the browser writes it: every node with its guid, dates and
// index, the folders nested in place.
std::string FirefoxBackup(const StoreContent& content)
{
    const auto quoted = [](const std::string& text) { return "\"" + text + "\""; };
    std::string out = "{\"guid\":\"root________\",\"title\":\"\",\"type\":\"text/x-moz-place-container\","
                      "\"root\":\"placesRoot\",\"children\":[{\"guid\":\"menu________\",\"title\":\"menu\","
                      "\"type\":\"text/x-moz-place-container\",\"root\":\"bookmarksMenuFolder\",\"children\":[";
    std::string outer;
    size_t node = 0;
    for (size_t i = 0; i < content.m_arrItems.size(); ++i) {
        const BookmarkItem& item = content.m_arrItems[i];
        const std::string& group = item.m_strGroup;
        const std::string first = group.substr(0, group.find(" / "));
        if (i == 0 || group != content.m_arrItems[i - 1].m_strGroup) {
            if (i != 0)
                out += "]}";
            if (first != outer) {
                out += std::string(i != 0 ? "]}," : "") + "{\"guid\":\"f" + std::to_string(++node) +
                       "\",\"title\":" + quoted(first) +
                       ",\"type\":\"text/x-moz-place-container\",\"dateAdded\":1463686918000000,\"children\":[";
                outer = first;
            } else {
                out += ",";
            }
            out += "{\"guid\":\"f" + std::to_string(++node) + "\",\"title\":" + quoted(group.substr(first.size() + 3)) +
                   ",\"type\":\"text/x-moz-place-container\",\"dateAdded\":1463686918000000,\"children\":[";
        } else {
            out += ",";
        }
        const std::string id = std::to_string(++node);
        out += "{\"guid\":\"b" + id + "\",\"title\":" + quoted(item.m_strName) + ",\"index\":" + std::to_string(i) +
               ",\"dateAdded\":1463686918000000,\"lastModified\":1463686918000000,\"id\":" + id +
               ",\"typeCode\":1,\"type\":\"text/x-moz-place\",\"uri\":" +
               quoted(item.m_strURL) + "}";
    }
    return out + "]}]}]}]}";
}

// Argument 0: a Chromium Bookmarks file; 1: a Firefox backup; 2: XBEL.
void BM_BrowserFormatIntoMillion(benchmark::State& state)
{
    BenchDocument bench;
    CBookmarkDoc& doc = bench.doc;
    FillStore(doc, kExportBookmarks);
    const StoreContent collection = BrowserCollection();
    const std::string file = state.range(0) == 0   ? ChromiumBookmarkFile(collection)
                             : state.range(0) == 1 ? FirefoxBackup(collection)
                                                   : XbelBookmarkFile(collection);
    const std::string path = PagePath();
    WriteWholeFile(path, file);
    bool (*const import)(const std::string&, CBookmarkDoc&, IPrompt&) =
        state.range(0) == 0 ? ImportChromiumFile : state.range(0) == 1 ? ImportFirefoxBackup : ImportXbelFile;
    for (auto _ : state) {
        import(path, doc, bench.prompt);
        state.PauseTiming();
        state.counters["added"] = static_cast<double>(doc.Items().size() - kStoreItems);
        state.counters["groups"] = static_cast<double>(doc.Groups().size() - kStoreGroups);
        doc.UndoLast();
        doc.ClearJournal();
        state.ResumeTiming();
    }
    state.counters["fileMB"] = static_cast<double>(file.size()) / (1 << 20);
    state.SetLabel(state.range(0) == 0 ? "Chromium" : state.range(0) == 1 ? "Firefox" : "XBEL");
    std::remove(path.c_str());
}

// What the imports above are measured against: the store they go into,
// loaded from its own file.
void BM_LoadMillionStore(benchmark::State& state)
{
    BenchDocument bench;
    CBookmarkDoc& doc = bench.doc;
    FillStore(doc);
    const std::string path = "/tmp/linkhive-import-bench-" + std::to_string(getpid()) + ".lkh";
    WriteDataFile(path, doc.Content());
    LoadEachIteration(state, path);
    std::remove(path.c_str());
}

BENCHMARK(BM_BrowserFormatIntoMillion)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_LoadMillionStore)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_BrowserExportIntoMillion)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_ParseBrowserExport)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ImportIntoMillion)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_ScanBigPage)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ImportBigPage)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace

BENCHMARK_MAIN();
