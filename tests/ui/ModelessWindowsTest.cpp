// Tests shared by Find, Duplicate Bookmarks and Check Links.
#include "tests/app/AppFixture.h"

#include "res/resource.h"
#include "ui/CCheckLinksDlg.h"
#include "ui/CDuplicatesDlg.h"
#include "ui/CFindDlg.h"

#include <commctrl.h>

#include <string>

namespace {

const char kSettingsKey[] = "Software\\Quillmere\\Linkhive\\Settings";

// Find, Duplicate Bookmarks and Check Links, with the control of each that
// follows the bottom or right edge.
struct ModelessWindow {
    UINT command;
    const char* setting;
    int list;
    int follower;
    bool followsRight;  // moves right as the window widens (else only grows)
    bool followsDown;
};
const ModelessWindow kWindows[] = {
    {ID_EDIT_FIND, "Find Window", IDC_RESULTS, IDC_RESULT_COUNT, false, true},
    {ID_TOOLS_DUPLICATES, "Duplicates Window", IDC_RESULTS, IDCANCEL, true, true},
    {ID_TOOLS_CHECK_LINKS, "Check Links Window", IDC_CHECK_RESULTS, IDCANCEL, true, false},
};

std::string Text(const RECT& rect)
{
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) + "," +
           std::to_string(rect.bottom);
}

RECT WindowRectOf(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

class ModelessWindowsTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_TRUE(Start());
    }

    HWND Open(const ModelessWindow& window)
    {
        Command(window.command);
        const CWnd* dialog = window.command == ID_EDIT_FIND           ? static_cast<CWnd*>(Frame().FindDialog())
                             : window.command == ID_TOOLS_DUPLICATES ? static_cast<CWnd*>(Frame().DuplicatesDialog())
                                                                     : static_cast<CWnd*>(Frame().CheckLinksDialog());
        return dialog != nullptr ? dialog->GetSafeHwnd() : nullptr;
    }

    void CloseDialog(HWND dialog)
    {
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        App().PumpMessages();
        EXPECT_FALSE(IsWindow(dialog));
    }
};

} // namespace

TEST_F(ModelessWindowsTest, OpenOverThePanesResizeAndComeBackAsTheyWereLeft)
{
    std::string left[3];
    for (size_t w = 0; w < 3; ++w) {
        const ModelessWindow& window = kWindows[w];
        SCOPED_TRACE(window.setting);
        HWND dialog = Open(window);
        ASSERT_NE(dialog, nullptr);
        const RECT first = WindowRectOf(dialog);
        // The menu and the toolbar stay in view.
        const RECT panes = Frame().ContentScreenRect();
        EXPECT_GE(first.top, panes.top);
        EXPECT_GE(first.left, panes.left);

        const HWND list = GetDlgItem(dialog, window.list);
        RECT listClient;
        GetClientRect(list, &listClient);
        int columnsWidth = 0;
        for (int column = 0; column < 3; ++column)
            columnsWidth += static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0));
        // Neither sideways scrolling nor room to spare, but a scroll bar's.
        if (window.list == IDC_RESULTS) {
            EXPECT_EQ(columnsWidth, listClient.right - GetSystemMetrics(SM_CXVSCROLL));
        }

        // No smaller than it opened; the list takes the room, the follower keeps to its edge.
        EXPECT_NE(GetWindowLongA(dialog, GWL_STYLE) & WS_THICKFRAME, 0);
        MINMAXINFO limits = {};
        SendMessageA(dialog, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        EXPECT_EQ(limits.ptMinTrackSize.x, first.right - first.left);
        EXPECT_EQ(limits.ptMinTrackSize.y, first.bottom - first.top);
        const RECT listBefore = WindowRectOf(list);
        const RECT followerBefore = WindowRectOf(GetDlgItem(dialog, window.follower));
        SetWindowPos(dialog, nullptr, first.left + 10, first.top + 20, first.right - first.left + 120,
                     first.bottom - first.top + 90, SWP_NOZORDER | SWP_NOACTIVATE);
        const RECT resized = WindowRectOf(dialog);
        const RECT listAfter = WindowRectOf(list);
        EXPECT_EQ(listAfter.right - listAfter.left, listBefore.right - listBefore.left + 120);
        EXPECT_EQ(listAfter.bottom - listAfter.top, listBefore.bottom - listBefore.top + 90);
        const RECT followerAfter = WindowRectOf(GetDlgItem(dialog, window.follower));
        EXPECT_EQ(followerAfter.bottom - followerBefore.bottom, 20 + (window.followsDown ? 90 : 0));
        EXPECT_EQ(followerAfter.right - followerBefore.right, 10 + 120);
        EXPECT_EQ(followerAfter.left - followerBefore.left, 10 + (window.followsRight ? 120 : 0));

        // Closed and opened again: as it was left, and so it is kept.
        CloseDialog(dialog);
        std::string kept;
        EXPECT_TRUE(ReadSettingText(kSettingsKey, window.setting, kept));
        EXPECT_EQ(kept, Text(resized));
        dialog = Open(window);
        EXPECT_EQ(Text(WindowRectOf(dialog)), Text(resized));
        EXPECT_EQ(Text(WindowRectOf(GetDlgItem(dialog, window.list))), Text(listAfter));
        left[w] = Text(resized);
    }

    // The next run opens them where this one left them; a place on no
    // monitor is forgotten.
    Close();
    RegSetKeyValueA(HKEY_CURRENT_USER, kSettingsKey, "Find Window", REG_SZ, "-90000,-90000,-89000,-89000", 28);
    ASSERT_TRUE(Start());
    for (size_t w = 0; w < 3; ++w) {
        SCOPED_TRACE(kWindows[w].setting);
        const RECT shown = WindowRectOf(Open(kWindows[w]));
        if (w == 0) {
            const RECT panes = Frame().ContentScreenRect();
            EXPECT_GE(shown.top, panes.top);
            EXPECT_GE(shown.left, panes.left);
        } else {
            EXPECT_EQ(Text(shown), left[w]);
        }
    }
}
