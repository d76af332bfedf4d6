// The window with large collections, as a user meets it. Run under Wine:
//   scripts/wine-run.sh PREFIX startup_bench.exe linkhive.exe [folder]
// First the real program is started on generated files and timed until its
// item pane holds every row of the first group (and until it is idle); then,
// in this process, choosing another group, a group pane of 10,000 groups,
// adding and renaming a group, one idle pass, and memory per bookmark.
#include "app/CLinkhiveApp.h"
#include "res/resource.h"
#include "store/DataFile.h"
#include "ui/CGroupPane.h"
#include "ui/CItemPane.h"
#include "ui/CMainFrame.h"

#include "QuietPrompt.h"
#include "RandomText.h"

#include <commctrl.h>
#include <psapi.h>

#include <cstdio>
#include <random>
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

// `groups` groups of `perGroup` bookmarks each, names in no particular order.
StoreContent Collection(size_t groups, size_t perGroup)
{
    std::mt19937 random(42);
    return RandomCollection(random, groups, groups * perGroup, true,
                            [&random](size_t i) { return i % 4 == 0 ? RandomText(random, 5, 40) : std::string(); });
}

struct FindFrame {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindFrameOf(HWND hwnd, LPARAM data)
{
    auto* find = reinterpret_cast<FindFrame*>(data);
    DWORD processId = 0;
    GetWindowThreadProcessId(hwnd, &processId);
    char className[32] = "";
    GetClassNameA(hwnd, className, sizeof className);
    if (processId != find->processId || lstrcmpA(className, "LinkhiveFrame") != 0)
        return TRUE;
    find->found = hwnd;
    return FALSE;
}

HWND ItemPaneOf(DWORD processId)
{
    FindFrame find = {processId, nullptr};
    EnumWindows(&FindFrameOf, reinterpret_cast<LPARAM>(&find));
    if (find.found == nullptr)
        return nullptr;
    const HWND splitter = GetDlgItem(find.found, IDW_SPLITTER);
    return splitter != nullptr ? GetDlgItem(splitter, IDW_FIRST_PANE + 1) : nullptr;
}

struct StartTimes {
    double rows = -1;  // until the item pane holds every row
    double idle = -1;  // until the program waits for input
};

StartTimes TimeStart(const std::string& exe, const std::string& file, size_t rows)
{
    StartTimes times;
    std::string commandLine = "\"" + exe + "\" \"" + file + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const double start = Now();
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return times;
    HWND items = nullptr;
    while (Now() - start < 120) {
        if (items == nullptr)
            items = ItemPaneOf(process.dwProcessId);
        DWORD_PTR count = 0;
        if (items != nullptr &&
            SendMessageTimeoutA(items, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, 60000, &count) != 0 && count == rows) {
            times.rows = Now() - start;
            break;
        }
        Sleep(2);
    }
    WaitForInputIdle(process.hProcess, 60000);
    times.idle = Now() - start;
    if (items != nullptr)
        PostMessageA(GetAncestor(items, GA_ROOT), WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return times;
}

size_t PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    // Wine leaves the private bytes at zero; its working set is the resident size.
    return counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.WorkingSetSize;
}

// Makes row `row` of a pane selected and focused, as a click does, and
// returns how long until every message it caused was handled.
double TimeSelectRow(CLinkhiveApp& app, HWND list, int row)
{
    LVITEMA state = {};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    const double start = Now();
    SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    app.PumpMessages();
    return Now() - start;
}

double TimeCommand(CLinkhiveApp& app, UINT id)
{
    const double start = Now();
    SendMessageA(app.MainFrame()->GetSafeHwnd(), WM_COMMAND, id, 0);
    app.PumpMessages();
    return Now() - start;
}

void InProcess(const std::string& folder)
{
    DeclineEverything prompt;
    NoClipboard clipboard;
    const size_t before = PrivateBytes();
    CLinkhiveApp app(prompt, clipboard, {folder + "\\million.lkh"});
    if (!app.InitInstance())
        return;
    app.PumpMessages();
    const size_t loaded = PrivateBytes();
    auto& frame = *static_cast<CMainFrame*>(app.MainFrame());
    CBookmarkDoc& doc = app.Document();
    std::printf("in this process, %zu bookmarks in %zu groups:\n", doc.Items().size(), doc.Groups().size());
    std::printf("  memory after loading: %.0f bytes per bookmark (window and all)\n",
                static_cast<double>(loaded - before) / static_cast<double>(doc.Items().size()));

    const HWND groups = frame.GroupPane()->GetSafeHwnd();
    double slowest = 0;
    for (const int row : {1, 500, 999})
        slowest = std::max(slowest, TimeSelectRow(app, groups, row));
    std::printf("  choosing another group: %.4f s (slowest of three)\n", slowest);

    const double idleStart = Now();
    const int idlePasses = 100;
    for (int pass = 0; pass < idlePasses; ++pass) {
        frame.OnIdleUpdate();
        const HMENU bar = GetMenu(frame.GetSafeHwnd());
        for (int index = 0; index < GetMenuItemCount(bar); ++index)
            frame.UpdateMenu(GetSubMenu(bar, index));
    }
    std::printf("  one idle pass (toolbar, status panes and every menu): %.3f ms\n",
                (Now() - idleStart) * 1000 / idlePasses);

    doc.SetModifiedFlag(false);
    const double openStart = Now();
    app.OpenDocumentFile(folder + "\\groups.lkh");
    app.PumpMessages();
    std::printf("10,000 groups: opened with the group pane filled: %.3f s\n", Now() - openStart);
    std::printf("  adding a group (with its label edit): %.3f s\n", TimeCommand(app, ID_GROUP_ADD));
    const double renameStart = Now();
    if (const HWND edit = reinterpret_cast<HWND>(SendMessageA(groups, LVM_GETEDITCONTROL, 0, 0))) {
        SetWindowTextA(edit, "Renamed group");
        SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    }
    app.PumpMessages();
    std::printf("  renaming it: %.3f s\n", Now() - renameStart);

    doc.SetModifiedFlag(false);
    SendMessageA(frame.GetSafeHwnd(), WM_CLOSE, 0, 0);
    app.ExitInstance();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup_bench LINKHIVE.EXE [FOLDER]\n");
        return 2;
    }
    const std::string exe = argv[1];
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    const std::string folder = argc > 2 ? argv[2] : std::string(temp);

    const struct {
        const char* name;
        size_t groups;
        size_t perGroup;
    } files[] = {
        {"one group of 1,000", 1, 1000},
        {"one group of 10,000", 1, 10000},
        {"one group of 100,000", 1, 100000},
        {"one group of 1,000,000", 1, 1000000},
        {"1,000 groups of 1,000", 1000, 1000},
    };
    std::printf("starting linkhive.exe until the item pane holds the first group:\n");
    double base = 0;
    for (const auto& file : files) {
        const std::string path = folder + "\\start-" + std::to_string(file.groups) + "x" +
                                 std::to_string(file.perGroup) + ".lkh";
        WriteDataFile(path, Collection(file.groups, file.perGroup));
        const StartTimes times = TimeStart(exe, path, file.perGroup);
        if (base == 0)
            base = times.rows;
        std::printf("  %-24s rows %7.3f s (%5.1f x the first)   idle %7.3f s\n", file.name, times.rows,
                    times.rows / base, times.idle);
        std::fflush(stdout);
        DeleteFileA(path.c_str());
    }

    WriteDataFile(folder + "\\million.lkh", Collection(1000, 1000));
    WriteDataFile(folder + "\\groups.lkh", Collection(10000, 1));
    InProcess(folder);
    DeleteFileA((folder + "\\million.lkh").c_str());
    DeleteFileA((folder + "\\groups.lkh").c_str());
    return 0;
}
