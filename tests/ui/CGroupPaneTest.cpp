// Tests of the group pane.
#include "tests/app/AppFixture.h"
#include "tests/ui/PaneDriver.h"

#include "res/resource.h"
#include "store/TextCompare.h"
#include "ui/CItemPane.h"
#include "ui/CGroupPane.h"

#include <commctrl.h>

namespace {

class GroupPaneTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_TRUE(Start());
        groups = Frame().GroupPane()->GetSafeHwnd();
        items = Frame().ItemPane()->GetSafeHwnd();
    }

    HWND groups = nullptr;
    HWND items = nullptr;
};

} // namespace

TEST_F(GroupPaneTest, RowsAreSortedWithTheCurrentGroupSelected)
{
    Fill(Doc(), {"beta", "Alpha", "gamma", "alpha", "_x"}, {}, "GAMMA");
    EXPECT_EQ(RowTexts(groups), (std::vector<std::string>{"_x", "Alpha", "alpha", "beta", "gamma"}));
    EXPECT_EQ(RowTexts(groups, 1), RowTexts(groups));
    EXPECT_EQ(RowIndices(groups), (std::vector<LPARAM>{4, 1, 3, 0, 2}));
    EXPECT_EQ(SelectedRow(groups), 4);
    EXPECT_EQ(SendMessageA(groups, LVM_GETCOLUMNWIDTH, 0, 0), Frame().GroupPane()->AutoColumnWidth(0));
    EXPECT_GT(Frame().GroupPane()->AutoColumnWidth(0), 32);
    const LRESULT images = SendMessageA(groups, LVM_GETIMAGELIST, LVSIL_SMALL, 0);
    EXPECT_EQ(ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(images)), 1);
    EXPECT_EQ(GetWindowLongA(groups, GWL_STYLE) & LVS_SHAREIMAGELISTS, 0);

    // A current group that no longer exists marks no row.
    Fill(Doc(), {"b", "a"}, {}, "gone");
    EXPECT_EQ(RowTexts(groups), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(SelectedRow(groups), -1);
}

TEST_F(GroupPaneTest, ChoosingARowShowsItsBookmarksWithoutModifying)
{
    const std::string longName(300, 'L');
    Fill(Doc(), {"Short", longName},
         {Bookmark("one", "http://1", "short"), Bookmark("two", "http://2", longName),
          Bookmark("three", "http://3", longName)},
         "Short");
    EXPECT_EQ(RowTexts(items), std::vector<std::string>{"one"});

    ClickRow(groups, 0);
    // The whole name from the store, not the row's text cut at 260.
    EXPECT_EQ(Doc().Selection().currentGroup, longName);
    EXPECT_EQ(RowTexts(items), (std::vector<std::string>{"three", "two"}));
    EXPECT_FALSE(Doc().IsModified());

    // Enter chooses the selected row again.
    Doc().SetCurrentGroup("elsewhere", Doc().GroupPane());  // behind the group pane's back
    SendMessageA(groups, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(Doc().Selection().currentGroup, longName);
}

TEST_F(GroupPaneTest, LabelEditsEndInRenames)
{
    const struct {
        const char* typed;
        bool cancel;
        bool asWindows;
        std::vector<std::string> groups;
        const char* current;
    } cases[] = {
        {"Renamed", false, false, {"Other", "Renamed"}, "Renamed"},
        {"Daily", false, true, {"Other", "Daily *"}, "Daily *"},  // equal to itself
        {"other", false, false, {"Other", "other *"}, "other *"},
        {"", false, true, {"Other", ""}, ""},
        {"Ignored", true, false, {"Other", "Daily"}, "Daily"},
    };
    for (const auto& test : cases) {
        Fill(Doc(), {"Other", "Daily"}, {Bookmark("b", "http://b", "DAILY")}, "Daily");
        Doc().SetModifiedFlag(false);
        if (test.asWindows)
            EditLabelAsWindows(groups, 0, test.typed);
        else
            EditLabel(groups, 0, test.typed, test.cancel);
        EXPECT_EQ(Doc().Groups(), test.groups) << test.typed;
        EXPECT_EQ(Doc().Selection().currentGroup, test.current) << test.typed;
        EXPECT_EQ(Doc().Items()[0].m_strGroup, test.cancel ? "DAILY" : test.current) << test.typed;
        EXPECT_EQ(Doc().IsModified(), !test.cancel) << test.typed;
        EXPECT_FALSE(Frame().GroupPane()->IsEditingLabel());
        // The refilled rows show the result, sorted, the renamed one selected.
        std::vector<std::string> sorted = test.groups;
        if (CompareNoCase(sorted[0], sorted[1]) > 0)
            std::swap(sorted[0], sorted[1]);
        EXPECT_EQ(RowTexts(groups), sorted) << test.typed;
        ASSERT_GE(SelectedRow(groups), 0) << test.typed;
        EXPECT_EQ(RowTexts(groups)[SelectedRow(groups)], test.current) << test.typed;
    }

    // A long name is edited whole, the group and its bookmarks renamed whole.
    const std::string longName(300, 'g');
    Fill(Doc(), {longName}, {Bookmark("b", "http://b", longName)}, longName);
    const HWND edit = OpenLabelEditByKey(groups);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(WholeWindowText(edit), longName);
    AppendAndConfirm(edit, 'h');
    EXPECT_EQ(Doc().Groups(), std::vector<std::string>{longName + "h"});
    EXPECT_EQ(Doc().Items()[0].m_strGroup, longName + "h");
}

TEST_F(GroupPaneTest, F2AndTheContextMenuFollowTheCurrentGroup)
{
    TrackedMenu menu;
    Frame().popupTracker = [&menu](HMENU popup, POINT at) { RecordMenu(popup, at, menu); };

    // No group, no row selected: no menu.
    SendMessageA(groups, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(groups), MAKELPARAM(40, 50));
    EXPECT_FALSE(menu.shown);

    Fill(Doc(), {"a", "b", "c"}, {}, "b");
    SendMessageA(groups, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(groups), MAKELPARAM(40, 50));
    ASSERT_TRUE(menu.shown);
    EXPECT_EQ(menu.at.x, 40);
    EXPECT_EQ(menu.at.y, 50);
    EXPECT_EQ(menu.ids, (std::vector<UINT>{ID_GROUP_ADD, ID_GROUP_DELETE, ID_GROUP_RENAME, ID_GROUP_SAVE_AS_HTML}));

    // From the keyboard: the client corner moved by 5,5.
    SendMessageA(groups, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(groups), MAKELPARAM(-1, -1));
    POINT corner = {0, 0};
    ClientToScreen(groups, &corner);
    EXPECT_EQ(menu.at.x, corner.x + 5);
    EXPECT_EQ(menu.at.y, corner.y + 5);

    EditLabel(groups, -1, "B2");
    EXPECT_EQ(Doc().Groups(), (std::vector<std::string>{"a", "B2", "c"}));
}
