// Times choosing a group of N bookmarks until the item pane is filled and
// sorted, in the details and large-icon views, and one type-ahead answer
// that searches every row. Run under Wine:
//   scripts/wine-run.sh PREFIX pane_bench.exe [largest N]
#include "app/CLinkhiveApp.h"
#include "res/resource.h"
#include "ui/CGroupPane.h"
#include "ui/CItemPane.h"
#include "ui/CMainFrame.h"

#include "QuietPrompt.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Names in no particular order, so the sort has work to do.
std::string Name(size_t i)
{
    const size_t scrambled = (i * 2654435761u) % 1000003u;
    return "Bookmark " + std::to_string(scrambled) + (i % 3 == 0 ? " news" : " Reference");
}

double TimeChoosingTheGroup(CLinkhiveApp& app, size_t count)
{
    CBookmarkDoc& doc = app.Document();
    doc.m_arrGroups = {"Bench", "Other"};
    doc.m_arrItems.clear();
    doc.m_arrItems.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        BookmarkItem item;
        item.m_strName = Name(i);
        item.m_strURL = "http://example.org/" + std::to_string(i);
        item.m_strGroup = "Bench";
        item.m_strDescription = i % 2 ? "" : "description " + std::to_string(i);
        doc.m_arrItems.push_back(item);
    }
    doc.Selection().currentGroup = "Other";
    doc.UpdateAllViews(nullptr);

    auto& frame = *static_cast<CMainFrame*>(app.MainFrame());
    const HWND groups = frame.GroupPane()->GetSafeHwnd();
    LVITEMA state = {};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceCounter(&start);
    SendMessageA(groups, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));  // "Bench" sorts first
    app.PumpMessages();
    QueryPerformanceCounter(&end);
    const HWND items = frame.ItemPane()->GetSafeHwnd();
    if (static_cast<size_t>(SendMessageA(items, LVM_GETITEMCOUNT, 0, 0)) != count)
        std::printf("  (the item pane shows the wrong number of rows)\n");
    return Seconds(start, end);
}

// One type-ahead answer in the pane last filled: a name no row has, so the
// search goes round every row.
double TimeTypeAhead(CLinkhiveApp& app)
{
    const HWND items = static_cast<CMainFrame*>(app.MainFrame())->ItemPane()->GetSafeHwnd();
    LVFINDINFOA find = {};
    find.flags = LVFI_PARTIAL | LVFI_STRING | LVFI_WRAP;
    find.psz = "no such name";
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceCounter(&start);
    SendMessageA(items, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find));
    QueryPerformanceCounter(&end);
    return Seconds(start, end);
}

} // namespace

int main(int argc, char** argv)
{
    const size_t largest = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    DeclineEverything prompt;
    NoClipboard clipboard;
    CLinkhiveApp app(prompt, clipboard, {});
    if (!app.InitInstance())
        return 1;
    app.PumpMessages();
    auto& frame = *static_cast<CMainFrame*>(app.MainFrame());
    for (const UINT view : {static_cast<UINT>(ID_VIEW_LARGE_ICONS), static_cast<UINT>(ID_VIEW_DETAILS)}) {
        frame.ApplyViewMode(view);
        std::printf("%s view\n", view == ID_VIEW_DETAILS ? "details" : "large-icon");
        for (size_t count = 1000; count <= largest; count *= 10)
            std::printf("  %7zu bookmarks: %8.3f s, type-ahead %6.1f ms\n", count, TimeChoosingTheGroup(app, count),
                        1000 * TimeTypeAhead(app));
        std::fflush(stdout);
    }
    app.Document().SetModifiedFlag(false);
    SendMessageA(frame.GetSafeHwnd(), WM_CLOSE, 0, 0);
    app.ExitInstance();
    return 0;
}
