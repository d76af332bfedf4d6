// Finds and drives the windows of a running program from outside, for the
// screenshot script:
//   window_driver rect TITLE SECONDS       prints "WIDTHxHEIGHT+X+Y" of the first
//                                          shown window whose title holds TITLE
//                                          ("class:NAME" matches a class instead)
//   window_driver post TITLE ID MESSAGE WPARAM LPARAM
//                                          posts to that window (shown or not), or
//                                          to its descendant of control id ID if not 0
//   window_driver settext TITLE ID TEXT    sets the descendant's text
// Numbers may be decimal or 0x hexadecimal. Exit status 1: no such window.
#include <windows.h>

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
    HWND found;
};

BOOL CALLBACK MatchChild(HWND hwnd, LPARAM data)
{
    auto* search = reinterpret_cast<ChildSearch*>(data);
    if (GetDlgCtrlID(hwnd) != search->id)
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

HWND Target(const char* title, const char* id)
{
    const HWND window = FindTopLevel(title, true);
    const int childId = static_cast<int>(std::strtol(id, nullptr, 0));
    if (window == nullptr || childId == 0)
        return window;
    ChildSearch search = {childId, nullptr};
    EnumChildWindows(window, MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

uintptr_t Number(const char* text)
{
    return static_cast<uintptr_t>(std::strtoull(text, nullptr, 0));
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
    std::fprintf(stderr, "usage: window_driver rect TITLE SECONDS | post TITLE ID MESSAGE WPARAM LPARAM | "
                         "settext TITLE ID TEXT\n");
    return 2;
}
