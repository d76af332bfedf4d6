// A monkey at the keyboard: 20,000 random commands of the main frame's
// table (and the file commands), random rows selected in both panes, text
// typed into label edits and dialogs, the clipboard filled as another
// program would, every question and dialog answered at random. After every
// 1,000 commands it prints the GDI and USER object counts, the collection's
// size and whether the collection written to a file reads back the same.
// Run under Wine (some ten minutes), in a prefix of its own, whose registry
// keeps the preferences the monkey chose:
//   scripts/wine-run.sh PREFIX monkey_bench.exe [COMMANDS [SEED]]
// Left out or neutralised: Exit and closing the window (the process would
// end); opening bookmarks and search engines, which go to a launcher that
// only answers. Every URL of the run points at 127.0.0.1 port 9, where
// nothing listens, so Check Links contacts no other machine.
#include "app/CLinkhiveApp.h"
#include "framework/Win32Clipboard.h"
#include "launch/SystemLauncher.h"
#include "res/resource.h"
#include "store/DataFile.h"
#include "ui/CCheckLinksDlg.h"
#include "ui/CDuplicatesDlg.h"
#include "ui/CGroupPane.h"
#include "ui/CItemPane.h"
#include "ui/CMainFrame.h"

#include "QuietPrompt.h"

#include <commctrl.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

std::mt19937 theRandom;

size_t Below(size_t count)
{
    return count == 0 ? 0 : std::uniform_int_distribution<size_t>(0, count - 1)(theRandom);
}

bool Chance(int percent)
{
    return static_cast<int>(Below(100)) < percent;
}

std::string RandomUrl()
{
    const char* schemes[] = {"http://127.0.0.1:9/", "http://127.0.0.1:9/", "ftp://127.0.0.1:9/",
                             "mailto:someone@127.0.0.1", "http://127.0.0.1:9/a?b=c&d#e"};
    return schemes[Below(5)] + std::to_string(Below(500));
}

// Names with the characters that have tripped programs before: blanks,
// ampersands, quotes, bytes above 127, now and then a very long one.
std::string RandomText()
{
    const char* words[] = {"news", "Hive", "a&b", "\"quoted\"", "caf\xe9", " ", "<tag>", "C:\\path", "*", "x"};
    std::string text;
    for (size_t count = Below(4) + 1; count > 0; --count)
        text += words[Below(10)];
    if (Chance(3))
        text += std::string(300, 'L');
    return Chance(5) ? std::string() : text;
}

void FillCollection(CBookmarkDoc& doc)
{
    StoreContent content;
    content.m_arrGroups = {"Alpha", "Beta", "Gamma & co", "Delta", "caf\xe9"};
    for (size_t index = 0; index < 200; ++index) {
        BookmarkItem item;
        item.m_strName = RandomText() + std::to_string(index);
        item.m_strURL = RandomUrl();
        item.m_strGroup = content.m_arrGroups[index % content.m_arrGroups.size()];
        item.m_strDescription = Chance(50) ? RandomText() : std::string();
        content.m_arrItems.push_back(item);
    }
    doc.LoadContent(std::move(content));
    doc.SetCurrentGroup(doc.Groups()[0]);
    doc.ClearSelectedItem();
    doc.UpdateAllViews(nullptr);
}

// Every answer a user could give, and files from a few names in one folder.
class RandomPrompt : public IPrompt {
public:
    explicit RandomPrompt(std::string folder) : m_folder(std::move(folder)) {}

    MessageAnswer ShowMessage(const std::string&, MessageStyle style) override
    {
        ++messages;
        switch (style) {
        case MessageStyle::QuestionOkCancel:
            return Chance(50) ? MessageAnswer::Ok : MessageAnswer::Cancel;
        case MessageStyle::ExclamationYesNoCancel:
            return Chance(40) ? MessageAnswer::Yes : Chance(50) ? MessageAnswer::No : MessageAnswer::Cancel;
        case MessageStyle::QuestionYesNo:
            return Chance(50) ? MessageAnswer::Yes : MessageAnswer::No;
        default:
            return MessageAnswer::Ok;
        }
    }
    bool ChooseFile(const FileDialogRequest&, std::string& path) override
    {
        const char* names[] = {"a.lkh", "b.lkh", "page.html", "in\\one.url", "in\\two.url", "missing.lkh", "in"};
        path = m_folder + "\\" + names[Below(7)];
        return Chance(80);
    }
    bool ChooseFolder(const std::string&, std::string& path) override
    {
        path = m_folder + "\\in";
        return Chance(60);
    }
    bool ChooseColour(uint32_t& colour, uint32_t*) override
    {
        colour = static_cast<uint32_t>(Below(0x1000000));
        return Chance(60);
    }

    size_t messages = 0;

private:
    std::string m_folder;
};

// Opening a bookmark or a search engine starts nothing; it succeeds or fails at random.
class AnsweringLauncher : public SystemLauncher {
public:
    intptr_t ShellOpen(const std::string&) override { return Chance(80) ? 42 : 2; }
    bool StartProcess(const std::string&) override { return Chance(80); }
};

CMainFrame* theFrame = nullptr;
size_t theDialogsAnswered = 0;

bool IsModeless(HWND hwnd)
{
    return (theFrame->FindDialog() != nullptr && hwnd == theFrame->FindDialog()->GetSafeHwnd()) ||
           (theFrame->DuplicatesDialog() != nullptr && hwnd == theFrame->DuplicatesDialog()->GetSafeHwnd()) ||
           (theFrame->CheckLinksDialog() != nullptr && hwnd == theFrame->CheckLinksDialog()->GetSafeHwnd());
}

struct DialogSearch {
    bool modeless;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND hwnd, LPARAM param)
{
    auto& search = *reinterpret_cast<DialogSearch*>(param);
    char className[16] = "";
    GetClassNameA(hwnd, className, sizeof className);
    if (IsWindowVisible(hwnd) && lstrcmpA(className, "#32770") == 0 && IsModeless(hwnd) == search.modeless)
        search.found.push_back(hwnd);
    return TRUE;
}

std::vector<HWND> Dialogs(bool modeless)
{
    DialogSearch search = {modeless, {}};
    EnumThreadWindows(GetCurrentThreadId(), &CollectDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM param)
{
    if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd))
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
    return TRUE;
}

// The visible, enabled controls of `dialog` of class `className`.
std::vector<HWND> Controls(HWND dialog, const char* className)
{
    std::vector<HWND> all;
    EnumChildWindows(dialog, &CollectChild, reinterpret_cast<LPARAM>(&all));
    std::vector<HWND> controls;
    for (const HWND control : all) {
        char name[32] = "";
        GetClassNameA(control, name, sizeof name);
        if (lstrcmpiA(name, className) == 0)
            controls.push_back(control);
    }
    return controls;
}

void SelectRow(HWND list, int row)
{
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = row < 0 ? 0 : LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
}

void SelectRandomRow(HWND list)
{
    const size_t rows = static_cast<size_t>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    SelectRow(list, rows == 0 || Chance(5) ? -1 : static_cast<int>(Below(rows)));
}

// One thing a user does to an open dialog: types, picks a row or a page,
// presses a button, or leaves with OK or Cancel.
void PlayWith(HWND dialog)
{
    const bool sheet = PropSheet_GetTabControl(dialog) != nullptr;
    const HWND page = sheet ? PropSheet_GetCurrentPageHwnd(dialog) : dialog;
    const size_t action = Below(10);
    if (action < 3) {
        const std::vector<HWND> edits = Controls(page, "Edit");
        if (!edits.empty())
            SetWindowTextA(edits[Below(edits.size())], Chance(50) ? RandomUrl().c_str() : RandomText().c_str());
    } else if (action < 4) {
        const std::vector<HWND> lists = Controls(page, "SysListView32");
        if (!lists.empty())
            SelectRandomRow(lists[Below(lists.size())]);
    } else if (action < 5 && sheet) {
        PropSheet_SetCurSel(dialog, nullptr, Below(2));
    } else if (action < 7) {
        const std::vector<HWND> buttons = Controls(dialog, "Button");
        if (!buttons.empty()) {
            const HWND button = buttons[Below(buttons.size())];
            PostMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                         reinterpret_cast<LPARAM>(button));
        }
    } else if (sheet) {
        PropSheet_PressButton(dialog, Chance(50) ? PSBTN_OK : PSBTN_CANCEL);
    } else {
        PostMessageA(dialog, WM_COMMAND, Chance(50) ? IDOK : IDCANCEL, 0);
    }
}

// Runs inside every modal loop: plays with the modal dialog shown, and
// cancels one that is still open after a hundred moves.
HWND theLastModal = nullptr;
int theMovesOnIt = 0;
void CALLBACK OnDialogTimer(HWND, UINT, UINT_PTR, DWORD)
{
    const std::vector<HWND> modal = Dialogs(false);
    if (modal.empty())
        return;
    const HWND dialog = modal.back();
    if (dialog != theLastModal) {
        theLastModal = dialog;
        theMovesOnIt = 0;
        ++theDialogsAnswered;
    }
    if (++theMovesOnIt < 100)
        PlayWith(dialog);
    else if (PropSheet_GetTabControl(dialog) != nullptr)
        PropSheet_PressButton(dialog, PSBTN_CANCEL);
    else
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

// The commands pressed: every row of the frame's table, the file commands
// and the pane switches. A range is one choice, with its first ids likelier.
std::vector<std::pair<UINT, UINT>> Commands()
{
    std::vector<std::pair<UINT, UINT>> commands = CMainFrame::CommandRanges();
    commands.insert(commands.end(), {{ID_FILE_NEW, ID_FILE_NEW},
                                     {ID_FILE_OPEN, ID_FILE_OPEN},
                                     {ID_FILE_SAVE, ID_FILE_SAVE},
                                     {ID_FILE_SAVE_AS, ID_FILE_SAVE_AS},
                                     {ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE4},
                                     {ID_APP_ABOUT, ID_APP_ABOUT},
                                     {ID_NEXT_PANE, ID_PREV_PANE}});
    return commands;
}

UINT RandomCommand(const std::vector<std::pair<UINT, UINT>>& commands)
{
    const auto& range = commands[Below(commands.size())];
    const UINT span = range.second - range.first + 1;
    return range.first + static_cast<UINT>(Below(span > 8 && Chance(90) ? 8 : span));
}

// The process's GDI objects and windows. Wine answers GetGuiResources with 0,
// so there the GDI handle table the process shares with the system is
// counted (live entries point outside it; free ones are 0 or chain within),
// and the thread's windows stand for its USER objects.
struct GdiEntry {
    ULONGLONG object;
    ULONG owner;
    USHORT unique;
    UCHAR flags;
    UCHAR extra;
    ULONGLONG user;
};

size_t GdiTableCount()
{
    using CurrentPeb = const char*(WINAPI*)();
    const FARPROC function = GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlGetCurrentPeb");
    if (function == nullptr)
        return 0;
    const char* peb = reinterpret_cast<CurrentPeb>(reinterpret_cast<void*>(function))();
    const size_t tableField = sizeof(void*) == 8 ? 0xF8 : 0x94;
    const auto* table = *reinterpret_cast<const GdiEntry* const*>(peb + tableField);
    MEMORY_BASIC_INFORMATION region = {};
    if (table == nullptr || VirtualQuery(table, &region, sizeof region) == 0)
        return 0;
    const auto* end = reinterpret_cast<const GdiEntry*>(static_cast<const char*>(region.BaseAddress) + region.RegionSize);
    const ULONGLONG low = reinterpret_cast<uintptr_t>(table);
    const ULONGLONG high = reinterpret_cast<uintptr_t>(end);
    size_t count = 0;
    for (const GdiEntry* entry = table; entry < end; ++entry)
        count += entry->object != 0 && (entry->object < low || entry->object >= high);
    return count;
}

BOOL CALLBACK CountChild(HWND, LPARAM param)
{
    ++*reinterpret_cast<size_t*>(param);
    return TRUE;
}

BOOL CALLBACK CountWindow(HWND hwnd, LPARAM param)
{
    ++*reinterpret_cast<size_t*>(param);
    EnumChildWindows(hwnd, &CountChild, param);
    return TRUE;
}

void GuiCounts(size_t& gdi, size_t& user, bool& fromWine)
{
    gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    fromWine = gdi == 0 && user == 0;
    if (!fromWine)
        return;
    gdi = GdiTableCount();
    EnumThreadWindows(GetCurrentThreadId(), &CountWindow, reinterpret_cast<LPARAM>(&user));
}

std::string ItemLine(const BookmarkItem& item)
{
    return item.m_strName + '\n' + item.m_strURL + '\n' + item.m_strGroup + '\n' + item.m_strDescription;
}

// The collection written as a save writes it, read into a second document.
bool ReloadsTheSame(const CBookmarkDoc& doc, const std::string& path)
{
    try {
        WriteDataFile(path, doc.Content());
    } catch (...) {
        std::printf("  the collection could not be written to %s\n", path.c_str());
        return false;
    }
    CurrentSelection selection;
    ClipboardMarks marks;
    DeclineEverything prompt;
    NoClipboard clipboard;
    CBookmarkDoc copy(selection, marks, prompt, clipboard);
    if (!copy.OnOpenDocument(path))
        return false;
    bool same = copy.Groups() == doc.Groups() && copy.Items().size() == doc.Items().size();
    for (size_t index = 0; same && index < doc.Items().size(); ++index)
        same = ItemLine(copy.Items()[index]) == ItemLine(doc.Items()[index]);
    return same;
}

void RemoveFolder(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
        const std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        const std::string path = folder + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            RemoveFolder(path);
        else
            DeleteFileA(path.c_str());
    }
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    RemoveDirectoryA(folder.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    const size_t total = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 20000;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 1;
    theRandom.seed(seed);
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "linkhive-monkey-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA((folder + "\\in").c_str(), nullptr);

    RandomPrompt prompt(folder);
    Win32Clipboard clipboard;
    CLinkhiveApp app(prompt, clipboard, {});
    if (!app.InitInstance())
        return 1;
    theFrame = static_cast<CMainFrame*>(app.MainFrame());
    CMainFrame& frame = *theFrame;
    const HWND frameWindow = frame.GetSafeHwnd();
    clipboard.SetOwner(frameWindow);
    AnsweringLauncher launcher;
    frame.SetLauncher(launcher);
    frame.SetLinkCheckLimits({16, 2, 2});
    CBookmarkDoc& doc = app.Document();
    FillCollection(doc);
    app.PumpMessages();

    const UINT_PTR timer = SetTimer(nullptr, 0, 20, &OnDialogTimer);
    const std::vector<std::pair<UINT, UINT>> commands = Commands();
    const HWND panes[] = {frame.GroupPane()->GetSafeHwnd(), frame.ItemPane()->GetSafeHwnd()};
    size_t resets = 0;
    bool allReloaded = true;
    std::printf("seed %u, %zu commands to choose from\n", seed, commands.size());
    std::printf("%9s %6s %6s %10s %7s %7s %9s %9s %7s %7s\n", "commands", "GDI", "USER", "bookmarks", "groups",
                "reload", "dialogs", "messages", "resets", "seconds");
    const DWORD start = GetTickCount();
    for (size_t done = 1; done <= total; ++done) {
        // A few moves of the user between two commands.
        for (size_t move = Below(3); move > 0; --move) {
            const HWND pane = panes[Below(2)];
            const size_t kind = Below(10);
            if (kind < 5) {
                SelectRandomRow(pane);
            } else if (kind < 6) {
                SetFocus(pane);
            } else if (kind < 7) {
                const HWND edit = reinterpret_cast<HWND>(SendMessageA(pane, LVM_GETEDITCONTROL, 0, 0));
                if (edit != nullptr) {
                    SetWindowTextA(edit, RandomText().c_str());
                    SendMessageA(edit, WM_KEYDOWN, Chance(70) ? VK_RETURN : VK_ESCAPE, 0);
                }
            } else if (kind < 8) {
                const std::vector<HWND> modeless = Dialogs(true);
                if (!modeless.empty())
                    PlayWith(modeless[Below(modeless.size())]);
            } else if (kind < 9) {
                const std::string text = Chance(70) ? RandomText() + "\n" + RandomUrl() + "\n" + RandomText() : RandomText();
                clipboard.PutText(text);
            }
            app.PumpMessages();
        }
        SendMessageA(frameWindow, WM_COMMAND, RandomCommand(commands), 0);
        app.PumpMessages();
        if (!IsWindow(frameWindow)) {
            std::printf("the main window went after %zu commands\n", done);
            return 1;
        }
        // Imports of exports double the collection, New empties it: start again
        // before it gets slow, or when most commands would have nothing to act on.
        if (doc.Items().size() > 5000 || doc.Items().empty()) {
            FillCollection(doc);
            app.PumpMessages();
            ++resets;
        }
        if (done % 1000 == 0) {
            size_t gdi = 0;
            size_t user = 0;
            bool fromWine = false;
            GuiCounts(gdi, user, fromWine);
            const bool reloaded = ReloadsTheSame(doc, folder + "\\check.lkh");
            allReloaded = allReloaded && reloaded;
            std::printf("%9zu %6zu %6zu %10zu %7zu %7s %9zu %9zu %7zu %7lu%s\n", done, gdi, user, doc.Items().size(),
                        doc.Groups().size(), reloaded ? "ok" : "FAILED", theDialogsAnswered, prompt.messages,
                        resets, (GetTickCount() - start) / 1000, fromWine ? " (Wine: handle table, windows)" : "");
            std::fflush(stdout);
        }
    }
    KillTimer(nullptr, timer);
    doc.SetModifiedFlag(false);
    SendMessageA(frameWindow, WM_CLOSE, 0, 0);
    app.ExitInstance();
    // Import Folder leaves its folder the current one, which would stay behind.
    SetCurrentDirectoryA(temp);
    RemoveFolder(folder);
    return allReloaded ? 0 : 1;
}
