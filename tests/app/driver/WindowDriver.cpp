// Finds and drives the windows of a running program from outside, for the
// screenshot script:
//   window_driver rect TITLE SECONDS       prints "WIDTHxHEIGHT+X+Y" of the first
//                                          shown window whose title holds TITLE
//                                          ("class:NAME" matches a class instead)
//   window_driver post TITLE ID MESSAGE WPARAM LPARAM
//                                          posts to that window (shown or not), or
//                                          to its descendant of control id ID if not 0
//   window_driver settext TITLE ID TEXT    sets the descendant's text
//   window_driver items TITLE ID           prints the first-column text of each row
//                                          of that descendant list view, one a line
// Numbers may be decimal or 0x hexadecimal. Exit status 1: no such window.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct Search {
    std::string text;
    bool byClass = false;
    bool shownOnly = true;
    HWND found = nullptr;
};

BOOL CALLBACK MatchTopLevel(HWND hwnd, LPARAM data)
{
    auto* search = reinterpret_cast<Search*>(data);
    if (search->shownOnly && !IsWindowVisible(hwnd))
        return TRUE;
    char text[256] = "";
    if (search->byClass)
        GetClassNameA(hwnd, text, sizeof text);
    else
        GetWindowTextA(hwnd, text, sizeof text);
    if ((search->byClass && search->text == text) || (!search->byClass && std::strstr(text, search->text.c_str()))) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// A shown window first; else, when `hiddenToo`, a hidden one (a window
// minimised to the tray still takes messages).
HWND FindTopLevel(const std::string& what, bool hiddenToo = false)
{
    Search search;
    search.byClass = what.compare(0, 6, "class:") == 0;
    search.text = search.byClass ? what.substr(6) : what;
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr && hiddenToo) {
        search.shownOnly = false;
        EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    }
    return search.found;
}

struct ChildSearch {
    int id;
    const char* className;  // any class when null
    HWND found;
};

BOOL CALLBACK MatchChild(HWND hwnd, LPARAM data)
{
    auto* search = reinterpret_cast<ChildSearch*>(data);
    char className[64] = "";
    if (search->className != nullptr)
        GetClassNameA(hwnd, className, sizeof className);
    if (GetDlgCtrlID(hwnd) != search->id || (search->className != nullptr && _stricmp(className, search->className) != 0))
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

// Ids need not be unique (the splitter shares its first pane's): `className`
// tells them apart.
HWND Target(const char* title, const char* id, const char* className = nullptr)
{
    const HWND window = FindTopLevel(title, true);
    const int childId = static_cast<int>(std::strtol(id, nullptr, 0));
    if (window == nullptr || childId == 0)
        return window;
    ChildSearch search = {childId, className, nullptr};
    EnumChildWindows(window, MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

uintptr_t Number(const char* text)
{
    return static_cast<uintptr_t>(std::strtoull(text, nullptr, 0));
}

// A list view answers only with pointers into its own process: the request
// and the text travel through memory allocated there.
int PrintListItems(HWND list)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(list, &processId);
    const HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process == nullptr)
        return 1;
    constexpr SIZE_T textSize = 1024;
    auto* remote = static_cast<char*>(
        VirtualAllocEx(process, nullptr, sizeof(LVITEMA) + textSize, MEM_COMMIT, PAGE_READWRITE));
    int status = remote != nullptr ? 0 : 1;
    const LRESULT count = remote != nullptr ? SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) : 0;
    for (LRESULT row = 0; row < count && status == 0; ++row) {
        LVITEMA item = {};
        item.iSubItem = 0;
        item.pszText = remote + sizeof item;
        item.cchTextMax = textSize;
        char text[textSize] = "";
        SIZE_T moved = 0;
        if (!WriteProcessMemory(process, remote, &item, sizeof item, &moved) ||
            SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote)) < 0 ||
            !ReadProcessMemory(process, remote + sizeof item, text, textSize - 1, &moved)) {
            status = 1;
            break;
        }
        std::printf("%s\n", text);
    }
    if (remote != nullptr)
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    // Pixels as the screen has them, whatever DPI the program was drawn at.
    SetProcessDPIAware();
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "rect" && argc == 4) {
        const DWORD deadline = GetTickCount() + static_cast<DWORD>(std::atoi(argv[3])) * 1000;
        for (;;) {
            if (const HWND window = FindTopLevel(argv[2])) {
                RECT rect;
                GetWindowRect(window, &rect);
                std::printf("%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left, rect.top);
                return 0;
            }
            if (static_cast<LONG>(GetTickCount() - deadline) >= 0)
                return 1;
            Sleep(200);
        }
    }
    if (command == "post" && argc == 7) {
        const HWND target = Target(argv[2], argv[3]);
        return target != nullptr && PostMessageA(target, static_cast<UINT>(Number(argv[4])), Number(argv[5]),
                                                 static_cast<LPARAM>(Number(argv[6])))
                   ? 0
                   : 1;
    }
    if (command == "settext" && argc == 5) {
        const HWND target = Target(argv[2], argv[3]);
        return target != nullptr && SendMessageA(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4])) ? 0 : 1;
    }
    if (command == "items" && argc == 4) {
        const HWND target = Target(argv[2], argv[3], WC_LISTVIEWA);
        return target != nullptr ? PrintListItems(target) : 1;
    }
    std::fprintf(stderr, "usage: window_driver rect TITLE SECONDS | post TITLE ID MESSAGE WPARAM LPARAM | "
                         "settext TITLE ID TEXT | items TITLE ID\n");
    return 2;
}
