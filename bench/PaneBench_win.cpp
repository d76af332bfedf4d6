// Times the item pane in a group of N bookmarks: choosing the group (a
// refill, in the details and large-icon views) and one type-ahead answer
// that searches every row; resizing the window and switching the view;
// renaming, deleting and pasting one bookmark; then Find and Find
// Duplicates over the collection. Run under Wine:
//   scripts/wine-run.sh PREFIX pane_bench.exe [largest N]
#include "app/CLinkhiveApp.h"
#include "res/resource.h"
#include "ui/CDuplicatesDlg.h"
#include "ui/CFindDlg.h"
#include "ui/CGroupPane.h"
#include "ui/CItemPane.h"
#include "ui/CMainFrame.h"

#include "QuietPrompt.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

double Now()
{
    LARGE_INTEGER frequency;
    LARGE_INTEGER counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Names in no particular order, so the sort has work to do.
std::string Name(size_t i)
{
    const size_t scrambled = (i * 2654435761u) % 1000003u;
    return "Bookmark " + std::to_string(scrambled) + (i % 3 == 0 ? " news" : " Reference");
}

// `count` bookmarks in group "Bench"; every tenth shares its URL with the one before.
void FillBench(CBookmarkDoc& doc, size_t count)
{
    StoreContent content;
    content.m_arrGroups = {"Bench", "Other"};
    content.m_arrItems.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        BookmarkItem item;
        item.m_strName = Name(i);
        item.m_strURL = "http://example.org/" + std::to_string(i % 10 == 9 ? i - 1 : i);
        item.m_strGroup = "Bench";
        item.m_strDescription = i % 2 ? "" : "description " + std::to_string(i);
        content.m_arrItems.push_back(item);
    }
    doc.LoadContent(std::move(content));
}

CMainFrame& FrameOf(CLinkhiveApp& app)
{
    return *static_cast<CMainFrame*>(app.MainFrame());
}

double TimeChoosingTheGroup(CLinkhiveApp& app, size_t count)
{
    CBookmarkDoc& doc = app.Document();
    FillBench(doc, count);
    doc.SetCurrentGroup("Other");
    doc.UpdateAllViews(nullptr);

    const HWND groups = FrameOf(app).GroupPane()->GetSafeHwnd();
    LVITEMA state = {};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    const double start = Now();
    SendMessageA(groups, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));  // "Bench" sorts first
    app.PumpMessages();
    const double seconds = Now() - start;
    const HWND items = FrameOf(app).ItemPane()->GetSafeHwnd();
    if (static_cast<size_t>(SendMessageA(items, LVM_GETITEMCOUNT, 0, 0)) != count)
        std::printf("  (the item pane shows the wrong number of rows)\n");
    return seconds;
}

void SelectMiddleRow(CLinkhiveApp& app)
{
    const HWND items = FrameOf(app).ItemPane()->GetSafeHwnd();
    LVITEMA state = {};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(items, LVM_SETITEMSTATE, SendMessageA(items, LVM_GETITEMCOUNT, 0, 0) / 2,
                 reinterpret_cast<LPARAM>(&state));
    app.PumpMessages();
}

double TimeCommand(CLinkhiveApp& app, UINT id)
{
    const double start = Now();
    SendMessageA(FrameOf(app).GetSafeHwnd(), WM_COMMAND, id, 0);
    app.PumpMessages();
    return Now() - start;
}

// Renaming, deleting and pasting one bookmark, each from the command until
// the pane shows it; and the full refill each of them took before.
void TimeOneBookmark(CLinkhiveApp& app, HeldClipboard& clipboard, size_t count)
{
    CBookmarkDoc& doc = app.Document();
    FillBench(doc, count);
    doc.SetCurrentGroup("Bench");
    const double refillStart = Now();
    doc.UpdateAllViews(nullptr);
    app.PumpMessages();
    const double refill = Now() - refillStart;

    SelectMiddleRow(app);
    const HWND items = FrameOf(app).ItemPane()->GetSafeHwnd();
    const double edit = TimeCommand(app, ID_ITEM_RENAME);
    const double renameStart = Now();
    if (const HWND label = reinterpret_cast<HWND>(SendMessageA(items, LVM_GETEDITCONTROL, 0, 0))) {
        SetWindowTextA(label, "Aaa renamed");
        SendMessageA(label, WM_KEYDOWN, VK_RETURN, 0);
    }
    app.PumpMessages();
    const double rename = Now() - renameStart;
    if (doc.Items()[static_cast<size_t>(doc.Selection().itemIndex)].m_strName != "Aaa renamed")
        std::printf("  (the rename did not happen)\n");

    SelectMiddleRow(app);
    const double remove = TimeCommand(app, ID_ITEM_DELETE);
    if (doc.Items().size() != count - 1)
        std::printf("  (the delete did not happen)\n");

    SelectMiddleRow(app);
    // The delete left an undo, which holds Paste back.
    doc.Marks().undoURL.clear();
    doc.Marks().undoGroup.clear();
    clipboard.text = "Pasted\nhttp://pasted.example/\n";
    const double paste = TimeCommand(app, ID_EDIT_PASTE);
    if (static_cast<size_t>(SendMessageA(items, LVM_GETITEMCOUNT, 0, 0)) != count)
        std::printf("  (the paste did not happen)\n");

    std::printf("one bookmark in a group of %zu (details view), until the pane shows it:\n", count);
    std::printf("  rename (Enter in the label) %.4f s, delete %.4f s, paste %.4f s; a full refill %.3f s\n", rename,
                remove, paste, refill);
    std::printf("  opening the label edit (Rename) %.4f s\n", edit);
}

// Find: from Enter until the list shows every result, and the longest
// slice the program is busy with at a time; Find Duplicates: until the
// list shows, selecting the extra copies, and deleting them.
void TimeFindAndDuplicates(CLinkhiveApp& app, size_t count)
{
    CBookmarkDoc& doc = app.Document();
    FillBench(doc, count);
    doc.SetCurrentGroup("Other");
    doc.UpdateAllViews(nullptr);
    CMainFrame& frame = FrameOf(app);
    TimeCommand(app, ID_EDIT_FIND);
    CFindDlg& find = *frame.FindDialog();
    std::printf("find and duplicates over %zu bookmarks:\n", count);
    for (const char* text : {"news", "description 12345", "nothing like it"}) {
        SetDlgItemTextA(find.GetSafeHwnd(), IDC_FIND_TEXT, text);
        SetFocus(GetDlgItem(find.GetSafeHwnd(), IDC_FIND_TEXT));
        const double start = Now();
        SendMessageA(find.GetSafeHwnd(), WM_COMMAND, IDOK, 0);
        const double entered = Now() - start;
        double slowest = 0;
        for (bool more = true; more;) {
            const double slice = Now();
            more = find.OnIdleSlice();
            slowest = std::max(slowest, Now() - slice);
        }
        app.PumpMessages();
        std::printf("  find \"%s\": %zu found in %.3f s (Enter %.4f s, longest slice %.4f s)\n", text,
                    find.Rows().size(), Now() - start, entered, slowest);
    }
    SendMessageA(find.GetSafeHwnd(), WM_COMMAND, IDCANCEL, 0);

    const double duplicates = TimeCommand(app, ID_TOOLS_DUPLICATES);
    const HWND dialog = frame.DuplicatesDialog()->GetSafeHwnd();
    std::printf("  duplicates listed (%zu rows): %.3f s\n", frame.DuplicatesDialog()->Rows().size(), duplicates);
    double start = Now();
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SELECT_EXTRA, BN_CLICKED), 0);
    app.PumpMessages();
    std::printf("  extra copies selected: %.3f s\n", Now() - start);
    start = Now();
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_DELETE_SELECTED, BN_CLICKED), 0);
    app.PumpMessages();
    std::printf("  deleted, list refreshed (%zu bookmarks left): %.3f s\n", doc.Items().size(), Now() - start);
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

// One type-ahead answer in the pane last filled: a name no row has, so the
// search goes round every row.
double TimeTypeAhead(CLinkhiveApp& app)
{
    const HWND items = FrameOf(app).ItemPane()->GetSafeHwnd();
    LVFINDINFOA find = {};
    find.flags = LVFI_PARTIAL | LVFI_STRING | LVFI_WRAP;
    find.psz = "no such name";
    const double start = Now();
    SendMessageA(items, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find));
    return Now() - start;
}

// Resizing the main window and switching the item pane's view, each until
// the pane has painted, in a group of `count`.
void TimeResizeAndViews(CLinkhiveApp& app, size_t count)
{
    CBookmarkDoc& doc = app.Document();
    FillBench(doc, count);
    doc.SetCurrentGroup("Bench");
    doc.UpdateAllViews(nullptr);
    app.PumpMessages();
    CMainFrame& frame = FrameOf(app);
    const HWND window = frame.GetSafeHwnd();
    std::printf("resizing and switching the view in a group of %zu:\n", count);
    for (const UINT view : {static_cast<UINT>(ID_VIEW_LARGE_ICONS), static_cast<UINT>(ID_VIEW_SMALL_ICONS),
                            static_cast<UINT>(ID_VIEW_LIST), static_cast<UINT>(ID_VIEW_DETAILS)}) {
        double start = Now();
        SendMessageA(window, WM_COMMAND, view, 0);
        app.PumpMessages();
        UpdateWindow(window);
        const double switched = Now() - start;
        start = Now();
        for (const int width : {700, 900}) {
            SetWindowPos(window, nullptr, 0, 0, width, 600, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            app.PumpMessages();
            UpdateWindow(window);
        }
        std::printf("  %-12s view: switching to it %.3f s, one resize %.3f s\n",
                    view == ID_VIEW_LARGE_ICONS   ? "large-icon"
                    : view == ID_VIEW_SMALL_ICONS ? "small-icon"
                    : view == ID_VIEW_LIST        ? "list"
                                                  : "details",
                    switched, (Now() - start) / 2);
        std::fflush(stdout);
    }
}

} // namespace

int main(int argc, char** argv)
{
    const size_t largest = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    AcceptDeletions prompt;
    HeldClipboard clipboard;
    CLinkhiveApp app(prompt, clipboard, {});
    if (!app.InitInstance())
        return 1;
    app.PumpMessages();
    auto& frame = FrameOf(app);
    for (const UINT view : {static_cast<UINT>(ID_VIEW_LARGE_ICONS), static_cast<UINT>(ID_VIEW_DETAILS)}) {
        frame.ApplyViewMode(view);
        std::printf("%s view\n", view == ID_VIEW_DETAILS ? "details" : "large-icon");
        for (size_t count = 1000; count <= largest; count *= 10)
            std::printf("  %7zu bookmarks: %8.3f s, type-ahead %6.1f ms\n", count, TimeChoosingTheGroup(app, count),
                        1000 * TimeTypeAhead(app));
        std::fflush(stdout);
    }
    TimeResizeAndViews(app, largest);
    TimeOneBookmark(app, clipboard, largest);
    std::fflush(stdout);
    TimeFindAndDuplicates(app, largest);
    app.Document().SetModifiedFlag(false);
    SendMessageA(frame.GetSafeHwnd(), WM_CLOSE, 0, 0);
    app.ExitInstance();
    return 0;
}
