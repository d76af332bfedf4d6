// Tests of the tray icon on a virtual display.
#include "tests/app/AppFixture.h"
#include "tests/ui/PaneDriver.h"

#include "res/resource.h"
#include "settings/Preferences.h"
#include "ui/CGroupPane.h"
#include "ui/CItemPane.h"

#include <shellapi.h>

// TrayIconTest runs on a display (a virtual one), whose notification area
// takes icons; TrayIconRefusedTest with the null graphics driver, which
// refuses them.

namespace {

const std::string kMenuTail =
    "Default &Action for URLs{Open in &Existing Window=32808,Open in &New Window=32809},-,"
    "&Show Linkhive=32818!,-,E&xit=57665";

// The shell's answer about the frame's icon: a change (NIM_MODIFY) is taken
// only for an icon it holds.
bool ShellIcon(DWORD action, HWND owner)
{
    NOTIFYICONDATAA data = {};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = owner;
    data.uID = IDR_TRAY_MENU;
    return Shell_NotifyIconA(action, &data) != FALSE;
}

bool IconInTray(HWND owner)
{
    return ShellIcon(NIM_MODIFY, owner);
}

class TrayFixture : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_TRUE(Start());
        frame = FrameWindow();
        items = Frame().ItemPane()->GetSafeHwnd();
        Frame().popupTracker = [this](HMENU popup, POINT) { shownMenu = MenuText(popup); };
        Frame().SetLauncher(launcher);
    }

    void Minimise()
    {
        ShowWindow(frame, SW_MINIMIZE);
        App().PumpMessages();
    }
    void MinimiseToTray()
    {
        Command(ID_PREF_MINIMISE_TO_TRAY);
        Minimise();
    }
    bool MinimisedOnTheTaskbar() { return IsIconic(frame) && IsWindowVisible(frame); }
    // The icon's callback message, as the shell sends it to the frame.
    LRESULT TrayMessage(LPARAM mouseMessage, WPARAM id = IDR_TRAY_MENU)
    {
        const LRESULT result = SendMessageA(frame, WM_TRAY_NOTIFY, id, mouseMessage);
        App().PumpMessages();
        return result;
    }
    std::string RightClickMenu()
    {
        shownMenu.clear();
        SendMessageA(frame, WM_TRAY_NOTIFY, IDR_TRAY_MENU, WM_RBUTTONUP);
        // The frame hears from the menu's end, so that the next click opens it.
        bool nullPosted = false;
        MSG msg;
        while (PeekMessageA(&msg, frame, 0, 0, PM_REMOVE)) {
            nullPosted = nullPosted || msg.message == WM_NULL;
            DispatchMessageA(&msg);
        }
        EXPECT_TRUE(nullPosted);
        return shownMenu;
    }

    HWND frame = nullptr;
    HWND items = nullptr;
    std::string shownMenu;
    RecordingLauncher launcher;
};

}  // namespace

using TrayIconTest = TrayFixture;
using TrayIconRefusedTest = TrayFixture;

TEST_F(TrayIconTest, MinimisingHidesBehindTheIconWhichOutlivesARestartedShellButNotTheProgram)
{
    // Off: an ordinary minimise.
    Minimise();
    EXPECT_TRUE(MinimisedOnTheTaskbar());
    EXPECT_FALSE(IconInTray(frame));
    ShowWindow(frame, SW_RESTORE);

    MinimiseToTray();
    EXPECT_FALSE(IsWindowVisible(frame));
    EXPECT_TRUE(IconInTray(frame));
    EXPECT_STREQ(Frame().TrayIcon().IconData().szTip, "Linkhive");

    // Other mouse messages, and messages of another icon, change nothing.
    EXPECT_EQ(TrayMessage(WM_MOUSEMOVE), 1);
    EXPECT_EQ(TrayMessage(WM_LBUTTONDBLCLK, IDR_TRAY_MENU + 1), 0);
    EXPECT_FALSE(IsWindowVisible(frame));

    EXPECT_EQ(TrayMessage(WM_LBUTTONDBLCLK), 1);
    EXPECT_TRUE(IsWindowVisible(frame));
    EXPECT_FALSE(IsIconic(frame));
    EXPECT_FALSE(IconInTray(frame));

    // Each later minimise puts the icon back; "&Show Linkhive" restores too,
    // a maximised window to its maximised size.
    ShowWindow(frame, SW_MAXIMIZE);
    Minimise();
    EXPECT_FALSE(IsWindowVisible(frame));
    EXPECT_TRUE(IconInTray(frame));
    Command(ID_TRAY_SHOW);
    EXPECT_TRUE(IsWindowVisible(frame));
    EXPECT_TRUE(IsZoomed(frame));
    EXPECT_FALSE(IconInTray(frame));
    EXPECT_TRUE(prompt.shown.empty());

    // A restarted shell has lost every icon and says so to every window;
    // while the window shows, the icon stays out.
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    const HWND trayWindow = Frame().TrayIcon().GetSafeHwnd();
    SendMessageA(trayWindow, taskbarCreated, 0, 0);
    EXPECT_FALSE(IconInTray(frame));
    Minimise();
    ShellIcon(NIM_DELETE, frame);
    ASSERT_FALSE(IconInTray(frame));
    SendMessageA(trayWindow, taskbarCreated, 0, 0);
    EXPECT_TRUE(IconInTray(frame));
    Close();
    EXPECT_FALSE(IconInTray(frame));
}

TEST_F(TrayIconTest, MenuListsTheBookmarksTheGroupsAndTheDefaultAndItsEntriesAct)
{
    MinimiseToTray();
    // Past 1,000: 999 entries each and the count in place of the 1,000th; the
    // range's last command is never reached, so no entry borrows another's.
    const auto name = [](char letter, int k) { return letter + std::to_string(10000 + k).substr(1); };
    std::vector<std::string> manyGroups;
    std::vector<BookmarkItem> manyItems;
    for (int k = 0; k < 1002; ++k) {
        manyGroups.push_back(name('g', k));
        manyItems.push_back(Bookmark(name('b', k), "http://" + name('b', k) + ".example/", "g0000"));
    }
    manyGroups.pop_back();
    std::string manyMenu;
    for (int k = 0; k < 999; ++k)
        manyMenu += name('b', k) + "=" + std::to_string(ID_TRAY_ITEM_FIRST + k) + ",";
    manyMenu += "3 more...=0~,-,&Group{";
    for (int k = 0; k < 999; ++k)
        manyMenu += name('g', k) + "=" + std::to_string(ID_TRAY_GROUP_FIRST + k) + (k == 0 ? "*," : ",");
    manyMenu += "2 more...=0~},-," + kMenuTail;

    const struct {
        const char* what;
        std::vector<std::string> groups;
        std::vector<BookmarkItem> items;
        std::string current;
        std::string menu;
    } cases[] = {
        {"three bookmarks",
         {"Work", "Home"},
         {Bookmark("beta", "http://b.example/", "Work"), Bookmark("Q&A", "http://q.example/", "work"),
          Bookmark("Alpha", "http://a.example/", "Work"), Bookmark("other", "http://o.example/", "Home")},
         "Work",
         "Alpha=35000,beta=35001,Q&&A=35002,-,&Group{Home=36000,Work=36001*},-," + kMenuTail},
        {"no bookmarks",
         {"Full", "Empty"},
         {Bookmark("x", "http://x.example/", "Full")},
         "Empty",
         "&Group{Empty=36000*,Full=36001},-," + kMenuTail},
        {"no groups", {}, {}, "", "&Show Linkhive=32818!,-,E&xit=57665"},
        {"letter case", {"work", "Work"}, {}, "Work", "&Group{work=36000,Work=36001*},-," + kMenuTail},
        {"more than 1,000", manyGroups, manyItems, "g0000", manyMenu},
        {"groups sorted",
         {"B", "a"},
         {Bookmark("b1", "http://b1.example/", "B"), Bookmark("a2", "http://a2.example/", "a"),
          Bookmark("a1", "http://a1.example/", "a")},
         "B",
         "b1=35000,-,&Group{a=36000,B=36001*},-," + kMenuTail},
    };
    for (const auto& test : cases) {
        Fill(Doc(), test.groups, test.items, test.current);
        EXPECT_EQ(RightClickMenu(), test.menu) << test.what;
    }

    // A group entry shows that group without marking the collection changed;
    // an entry for a row gone since changes nothing.
    Command(ID_TRAY_GROUP_FIRST);
    EXPECT_EQ(Doc().Selection().currentGroup, "a");
    EXPECT_EQ(RowTexts(items), (std::vector<std::string>{"a1", "a2"}));
    EXPECT_EQ(SelectedRow(Frame().GroupPane()->GetSafeHwnd()), 0);
    EXPECT_FALSE(Doc().IsModified());
    Command(ID_TRAY_GROUP_FIRST + 2);
    EXPECT_EQ(Doc().Selection().currentGroup, "a");

    ASSERT_EQ(RightClickMenu(), "a1=35000,a2=35001,-,&Group{a=36000*,B=36001},-," + kMenuTail);
    BrowserRegistration registration;
    registration.Set(R"("C:\browser.exe" "%1")");
    thePreferences.bCreateNewProcess = 0;
    Command(ID_TRAY_ITEM_FIRST + 1);
    EXPECT_EQ(launcher.opened, (std::vector<std::string>{"http://a2.example/"}));
}

TEST_F(TrayIconRefusedTest, WithoutAnIconTheWindowStaysOnTheTaskbar)
{
    MinimiseToTray();
    EXPECT_EQ(prompt.shown, (std::vector<std::string>{"Cannot initialise system tray icon."}));
    EXPECT_EQ(prompt.styles, (std::vector<MessageStyle>{MessageStyle::StopOk}));
    uint32_t saved = 0;
    ASSERT_TRUE(ReadSetting("Settings", "TrayIcon", saved));
    EXPECT_EQ(saved, 1u);
    EXPECT_TRUE(MinimisedOnTheTaskbar());

    // Later minimises neither ask again nor hide the window.
    ShowWindow(frame, SW_RESTORE);
    Minimise();
    EXPECT_EQ(prompt.shown.size(), 1u);
    EXPECT_TRUE(MinimisedOnTheTaskbar());
}

// The first version's record holds 64 characters of tip: a longer one ends
// within them, where the shell stops reading.
TEST_F(TrayIconRefusedTest, ALongTipIsCutToTheFirstRecordsSize)
{
    CTrayIcon icon;
    icon.TrayCreate(frame, WM_TRAY_NOTIFY, std::string(100, 'x').c_str(), nullptr, IDR_TRAY_MENU + 1);
    EXPECT_EQ(std::string(icon.IconData().szTip), std::string(63, 'x'));
}
