// Tests of the item pane.
#include "tests/app/AppFixture.h"
#include "tests/support/DocContent.h"
#include "tests/ui/PaneDriver.h"

#include "res/resource.h"
#include "settings/Preferences.h"
#include "ui/CItemPane.h"
#include "ui/CGroupPane.h"

#include <commctrl.h>

#include <algorithm>
#include <functional>

namespace {

class ItemPaneTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_TRUE(Start());
        items = Frame().ItemPane()->GetSafeHwnd();
    }

    int Image(int row)
    {
        LVITEMA item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        SendMessageA(items, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        return item.iImage;
    }

    HWND items = nullptr;
};

} // namespace

TEST_F(ItemPaneTest, RowsAreTheCurrentGroupsSortedWithIconsAndCutState)
{
    Command(ID_VIEW_DETAILS);
    Doc().Marks().cutURL = "http://cut";
    Doc().Marks().cutGroup = "Web";
    Doc().Marks().cutName = "alpha";
    Fill(Doc(), {"Web", "Other"},
         {Bookmark("zeta", "http://z", "Web", "last"), Bookmark("hidden", "http://h", "Other"),
          Bookmark("Mail", "MAILTO:someone@example.org", "web"), Bookmark("alpha", "http://cut", "WEB"),
          Bookmark("Alpha", "mailto:a@example.org", "Web")},
         "Web");
    EXPECT_EQ(RowTexts(items), (std::vector<std::string>{"alpha", "Alpha", "Mail", "zeta"}));
    EXPECT_EQ(RowTexts(items, 1),
              (std::vector<std::string>{"http://cut", "mailto:a@example.org", "MAILTO:someone@example.org", "http://z"}));
    EXPECT_EQ(RowTexts(items, 2), (std::vector<std::string>{"", "", "", "last"}));
    EXPECT_EQ(RowIndices(items), (std::vector<LPARAM>{3, 4, 2, 0}));
    EXPECT_EQ((std::vector<int>{Image(0), Image(1), Image(2), Image(3)}), (std::vector<int>{0, 1, 1, 0}));
    // Web and e-mail icons in both sizes; the control owns the lists.
    for (const WPARAM which : {LVSIL_SMALL, LVSIL_NORMAL}) {
        const LRESULT images = SendMessageA(items, LVM_GETIMAGELIST, which, 0);
        EXPECT_EQ(ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(images)), 2);
    }
    EXPECT_EQ(GetWindowLongA(items, GWL_STYLE) & LVS_SHAREIMAGELISTS, 0);
    EXPECT_EQ(SendMessageA(items, LVM_GETITEMSTATE, 0, LVIS_CUT), LVIS_CUT);
    EXPECT_EQ(SendMessageA(items, LVM_GETITEMSTATE, 3, LVIS_CUT), 0);
    EXPECT_EQ(SelectedRow(items), -1);
    for (int column = 0; column < 3; ++column)
        EXPECT_EQ(SendMessageA(items, LVM_GETCOLUMNWIDTH, column, 0), Frame().ItemPane()->AutoColumnWidth(column));

    // The cut mark compares the group with its case.
    Doc().SetCurrentGroup("web");
    Doc().UpdateAllViews(nullptr);
    EXPECT_EQ(SendMessageA(items, LVM_GETITEMSTATE, 0, LVIS_CUT), 0);
}

TEST_F(ItemPaneTest, ChoosingARowFillsTheSelectionFromTheStore)
{
    const std::string longName(300, 'n');
    const std::string longURL = "http://example.org/" + std::string(400, 'u');
    Fill(Doc(), {"G"}, {Bookmark("b", "http://b", "G", "bee"), Bookmark(longName, longURL, "G", "long")}, "G");
    ClickRow(items, 1);
    const CurrentSelection& selection = Doc().Selection();
    EXPECT_EQ(selection.itemName, longName);
    EXPECT_EQ(selection.itemURL, longURL);
    EXPECT_EQ(selection.itemDescription, "long");
    EXPECT_EQ(selection.itemIndex, 1);
    ClickRow(items, 0);
    EXPECT_EQ(selection.itemName, "b");
    EXPECT_EQ(selection.itemIndex, 0);
    EXPECT_FALSE(Doc().IsModified());

    // The selection pane: the description, or the URL when it is empty.
    App().PumpMessages();
    char text[600] = "";
    SendMessageA(Frame().StatusBar(), SB_GETTEXTA, 2, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "bee");
    BookmarkItem plain = Doc().Items()[0];
    plain.m_strDescription.clear();
    Doc().ChangeItem(0, plain);
    App().PumpMessages();
    SendMessageA(Frame().StatusBar(), SB_GETTEXTA, 2, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "http://b");
}

namespace {

// Asks the frame, as the item pane's parent is asked, for the URL of row 0.
template <typename DispInfo, typename Char, size_t N>
void AskShownText(HWND items, UINT code, Char (&buffer)[N])
{
    DispInfo ask = {};
    ask.hdr.hwndFrom = items;
    ask.hdr.code = code;
    ask.item.mask = LVIF_TEXT;
    ask.item.iSubItem = 1;
    ask.item.pszText = buffer;
    ask.item.cchTextMax = N;
    SendMessageA(GetParent(items), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&ask));
}

} // namespace

TEST_F(ItemPaneTest, ShownTextsLongerThanTheBufferAreCut)
{
    const std::string longURL = "http://example.org/" + std::string(40, 'u');
    Fill(Doc(), {"G"}, {Bookmark("name", longURL, "G")}, "G");
    // A Unicode parent asks in wide text; the answer must not come back empty.
    wchar_t wide[16] = L"";
    AskShownText<NMLVDISPINFOW>(items, LVN_GETDISPINFOW, wide);
    EXPECT_EQ(std::wstring(wide), std::wstring(longURL.begin(), longURL.begin() + 15));

    char narrow[16] = "";
    AskShownText<NMLVDISPINFOA>(items, LVN_GETDISPINFOA, narrow);
    EXPECT_EQ(std::string(narrow), longURL.substr(0, 15));
}

TEST_F(ItemPaneTest, HeaderClicksSortAndFlip)
{
    Fill(Doc(), {"G"},
         {Bookmark("b", "http://2", "G"), Bookmark("A", "http://3", "G"), Bookmark("c", "http://1", "G"),
          Bookmark("a", "http://3", "G")},
         "G");
    const struct {
        int column;
        std::vector<std::string> names;
    } clicks[] = {
        {1, {"c", "b", "A", "a"}},  // ascending by URL; equal URLs keep store order
        {1, {"A", "a", "b", "c"}},  // again: descending, ties still in store order
        {0, {"A", "a", "b", "c"}},  // another column: ascending
        {0, {"c", "b", "A", "a"}},
    };
    for (const auto& click : clicks) {
        ClickHeader(items, click.column);
        EXPECT_EQ(RowTexts(items), click.names) << click.column;
    }
    // The selected bookmark stays selected wherever the sort moves it.
    ClickRow(items, 0);
    ASSERT_EQ(Doc().Selection().itemName, "c");
    Command(ID_ARRANGE_BY_URL);
    EXPECT_EQ(RowTexts(items), (std::vector<std::string>{"c", "b", "A", "a"}));
    ClickHeader(items, 1);
    EXPECT_EQ(SelectedRow(items), 3);
    EXPECT_EQ(Doc().Selection().itemName, "c");
    // A refill goes back to name order whatever the last click was.
    Doc().UpdateAllViews(nullptr);
    EXPECT_EQ(RowTexts(items), (std::vector<std::string>{"A", "a", "b", "c"}));
}

TEST_F(ItemPaneTest, LabelEditsRenameTheCurrentBookmark)
{
    const struct {
        const char* typed;
        bool cancel;
        bool asWindows;
        const char* name;
        bool modified;
    } cases[] = {{"renamed", false, false, "renamed", true},
                 {"b", false, true, "b", false},  // unchanged: nothing changes
                 {"", false, true, "", true},
                 {"ignored", true, false, "b", false}};
    for (const auto& test : cases) {
        Fill(Doc(), {"G"}, {Bookmark("a", "http://a", "G"), Bookmark("b", "http://b", "G")}, "G");
        Doc().SetModifiedFlag(false);
        ClickRow(items, 1);
        if (test.asWindows)
            EditLabelAsWindows(items, 1, test.typed);
        else
            EditLabel(items, -1, test.typed, test.cancel);  // F2
        EXPECT_EQ(Doc().Items()[1].m_strName, test.name) << test.typed;
        EXPECT_EQ(Doc().Items()[0].m_strName, "a") << test.typed;
        EXPECT_EQ(Doc().IsModified(), test.modified) << test.typed;
        EXPECT_FALSE(Frame().ItemPane()->IsEditingLabel());
    }

    // After a refill moved the rows, F2 opens the current bookmark's row.
    Fill(Doc(), {"G"}, {Bookmark("m", "http://m", "G"), Bookmark("z", "http://z", "G")}, "G");
    ClickRow(items, 0);
    EditContent(Doc(), [&](StoreContent& content) { content.m_arrItems[0].m_strName = "zz"; });
    Doc().UpdateAllViews(nullptr);
    SetFocus(items);
    SendMessageA(items, WM_KEYDOWN, VK_F2, 0);
    ASSERT_TRUE(Frame().ItemPane()->IsEditingLabel());
    char text[64] = "";
    GetWindowTextA(reinterpret_cast<HWND>(SendMessageA(items, LVM_GETEDITCONTROL, 0, 0)), text, sizeof text);
    EXPECT_STREQ(text, "zz");
    CancelLabelEdit(items);

    // A current bookmark of another group is not shown: nothing opens.
    Doc().SetCurrentGroup("none");
    Doc().UpdateAllViews(nullptr);
    SendMessageA(items, WM_KEYDOWN, VK_F2, 0);
    EXPECT_FALSE(Frame().ItemPane()->IsEditingLabel());
}

TEST_F(ItemPaneTest, RightClickAndContextMenus)
{
    TrackedMenu menu;
    Frame().popupTracker = [&menu](HMENU popup, POINT at) { RecordMenu(popup, at, menu); };
    Fill(Doc(), {"G"}, {Bookmark("a", "http://a", "G", "described")}, "G");
    Command(ID_VIEW_LIST);

    SendMessageA(items, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(items), MAKELPARAM(-1, -1));
    ASSERT_TRUE(menu.shown);
    EXPECT_EQ(menu.ids.front(), static_cast<UINT>(ID_VIEW_LARGE_ICONS));
    EXPECT_EQ(menu.radioMarked, static_cast<UINT>(ID_VIEW_LIST));

    ClickRow(items, 0);
    NMITEMACTIVATE click = {};
    click.hdr.hwndFrom = items;
    click.hdr.code = NM_RCLICK;
    SendMessageA(GetParent(items), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
    char text[64] = "";
    SendMessageA(Frame().StatusBar(), SB_GETTEXTA, 2, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "http://a");

    for (const uint32_t newWindow : {1u, 0u}) {
        thePreferences.bCreateNewProcess = newWindow;
        SendMessageA(items, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(items), MAKELPARAM(10, 20));
        EXPECT_EQ(menu.at.x, 10);
        EXPECT_EQ(menu.ids.front(), static_cast<UINT>(ID_ITEM_OPEN));
        EXPECT_EQ(menu.defaultId, newWindow ? ID_ITEM_OPEN_NEW_WINDOW : ID_ITEM_OPEN) << newWindow;
    }
}

TEST_F(ItemPaneTest, OneChangedBookmarkMovesOnlyItsRow)
{
    // Each case starts from G's rows alpha(2) bravo(4) charlie(3) delta(0), in the pane's
    // order, with one row selected; then changes one bookmark.
    const auto rename = [this](const char* name) {
        return [this, name] { EditLabel(items, SelectedRow(items), name); };
    };
    const auto paste = [this](const char* text) {
        return [this, text] {
            clipboard.text = text;
            Command(ID_EDIT_PASTE);
        };
    };
    const auto remove = [this] {
        prompt.answers = {MessageAnswer::Ok};
        Command(ID_ITEM_DELETE);
    };
    const struct {
        UINT order;
        const char* selected;
        std::function<void()> change;
        std::vector<std::string> names;
        const char* selectedAfter;  // null: none
    } cases[] = {
        {ID_ARRANGE_BY_NAME, "bravo", rename("echo"), {"alpha", "charlie", "delta", "echo"}, "echo"},
        {ID_ARRANGE_BY_NAME, "delta", rename("a0"), {"a0", "alpha", "bravo", "charlie"}, "a0"},
        {ID_ARRANGE_BY_URL, "charlie", rename("a0"), {"alpha", "bravo", "a0", "delta"}, "a0"},
        {ID_ARRANGE_BY_NAME, "charlie", remove, {"alpha", "bravo", "delta"}, nullptr},
        {ID_ARRANGE_BY_NAME, "delta", paste("b2\nhttp://9\n"), {"alpha", "b2", "bravo", "charlie", "delta"}, "delta"},
        {ID_ARRANGE_BY_URL, "alpha", paste("x\nhttp://25\n"), {"alpha", "bravo", "x", "charlie", "delta"}, "alpha"},
    };
    Command(ID_VIEW_DETAILS);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.names.front() + " " + std::to_string(c.order));
        Doc().Marks() = ClipboardMarks();  // a delete's undo holds Paste back
        Fill(Doc(), {"G", "H"},
             {Bookmark("delta", "http://4", "G"), Bookmark("other", "http://0", "H"), Bookmark("alpha", "http://1", "G"),
              Bookmark("charlie", "http://3", "G"), Bookmark("bravo", "http://2", "G")},
             "G");
        Command(c.order);
        const std::vector<std::string> before = RowTexts(items);
        ClickRow(items, static_cast<int>(std::find(before.begin(), before.end(), c.selected) - before.begin()));
        c.change();
        EXPECT_EQ(RowTexts(items), c.names);
        // The same rows as sorting them all again would give, each naming its bookmark.
        const std::vector<LPARAM> patched = RowIndices(items);
        Command(c.order);
        EXPECT_EQ(RowIndices(items), patched);
        for (size_t row = 0; row < patched.size(); ++row)
            EXPECT_EQ(Doc().Items()[static_cast<size_t>(patched[row])].m_strName, c.names[row]);
        if (c.selectedAfter == nullptr) {
            EXPECT_EQ(SelectedRow(items), -1);
            continue;
        }
        ASSERT_GE(SelectedRow(items), 0);
        EXPECT_EQ(RowTexts(items)[static_cast<size_t>(SelectedRow(items))], c.selectedAfter);
        EXPECT_EQ(Doc().Selection().itemName, c.selectedAfter);
        EXPECT_EQ(Doc().Selection().itemIndex, RowIndices(items)[static_cast<size_t>(SelectedRow(items))]);
    }

    // A bookmark moved here from another group: the rows after the one it
    // left shift down, its own comes last in store order.
    Fill(Doc(), {"G", "H"},
         {Bookmark("delta", "http://4", "G"), Bookmark("other", "http://0", "H"), Bookmark("alpha", "http://1", "G")},
         "H");
    ClickRow(items, 0);
    Command(ID_EDIT_CUT);
    ClickRow(Frame().GroupPane()->GetSafeHwnd(), 0);  // G
    ClickRow(items, 0);
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(RowTexts(items), (std::vector<std::string>{"alpha", "delta", "other"}));
    EXPECT_EQ(RowIndices(items), (std::vector<LPARAM>{1, 0, 2}));
    // A removal leaves no current item, and so no row selected.
    EXPECT_EQ(Doc().Selection().itemIndex, -1);
    EXPECT_EQ(SelectedRow(items), -1);

    // A name wider than the column widens it.
    const std::string wide(80, 'W');
    ClickRow(items, 0);
    EditLabel(items, 0, wide);
    EXPECT_EQ(SendMessageA(items, LVM_GETCOLUMNWIDTH, 0, 0), Frame().ItemPane()->AutoColumnWidth(0));
}

TEST_F(ItemPaneTest, LongNamesSurviveARenameAndNoStaleBookmarkIsRenamed)
{
    // The edit starts with the whole name and takes more than 260 characters.
    const std::string longName(400, 'n');
    Fill(Doc(), {"G"}, {Bookmark(longName, "http://a", "G"), Bookmark("banana", "http://b", "G")}, "G");
    ClickRow(items, 1);
    const HWND edit = OpenLabelEditByKey(items);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(WholeWindowText(edit), longName);
    AppendAndConfirm(edit, 'x');
    EXPECT_EQ(Doc().Items()[0].m_strName, longName + "x");

    // After a Delete no bookmark is current: F2 with no row selected opens nothing.
    Fill(Doc(), {"G"}, {Bookmark("apple", "http://a", "G"), Bookmark("banana", "http://b", "G")}, "G");
    ClickRow(items, 0);
    prompt.answers = {MessageAnswer::Ok};
    Command(ID_ITEM_DELETE);
    ASSERT_EQ(Doc().Items().size(), 1u);
    EXPECT_EQ(Doc().Selection().itemIndex, -1);
    SetFocus(items);
    SendMessageA(items, WM_KEYDOWN, VK_F2, 0);
    EXPECT_FALSE(Frame().ItemPane()->IsEditingLabel());
    EXPECT_EQ(Doc().Items()[0].m_strName, "banana");
}

TEST_F(ItemPaneTest, TypingAPrefixFindsTheNextRowByName)
{
    Fill(Doc(), {"G"},
         {Bookmark("Banana", "http://b", "G"), Bookmark("apple", "http://a", "G"), Bookmark("bread", "http://r", "G"),
          Bookmark("cherry", "http://c", "G")},
         "G");  // rows: apple, Banana, bread, cherry
    const struct {
        UINT flags;
        const char* text;
        int start;
        int row;
    } cases[] = {
        {LVFI_PARTIAL | LVFI_STRING, "b", 0, 1},  {LVFI_PARTIAL | LVFI_STRING, "B", 2, 2},
        {LVFI_PARTIAL | LVFI_STRING, "b", 3, 1},  // wraps
        {LVFI_PARTIAL | LVFI_STRING, "ch", 0, 3}, {LVFI_PARTIAL | LVFI_STRING, "x", 0, -1},
        {LVFI_STRING, "BANANA", 0, 1},             {LVFI_STRING, "ban", 0, -1},
    };
    for (const auto& c : cases) {
        LVFINDINFOA find = {};
        find.flags = c.flags | LVFI_WRAP;
        find.psz = c.text;
        // The control hands the pane the start as it is given.
        EXPECT_EQ(SendMessageA(items, LVM_FINDITEMA, static_cast<WPARAM>(c.start), reinterpret_cast<LPARAM>(&find)),
                  c.row)
            << c.text << " from " << c.start;
    }
    // Sorted by another column, the rows are searched one by one.
    ClickHeader(items, 1);  // rows: apple, Banana, cherry, bread
    LVFINDINFOA find = {};
    find.flags = LVFI_PARTIAL | LVFI_STRING | LVFI_WRAP;
    find.psz = "br";
    EXPECT_EQ(SendMessageA(items, LVM_FINDITEMA, 0, reinterpret_cast<LPARAM>(&find)), 3);
    Doc().UpdateAllViews(nullptr);

    // The control's own type-ahead asks the pane the same.
    ClickRow(items, 0);
    SetFocus(items);
    SendMessageA(items, WM_CHAR, 'c', 1);  // a key message's repeat count of 1
    EXPECT_EQ(SelectedRow(items), 3);
}

// With redraw off around a resize or a view switch (at 100,000 bookmarks
// the difference between seconds and an instant: pane_bench), the icons must
// still be placed anew.
TEST_F(ItemPaneTest, AResizedGroupPlacesItsIconsAnew)
{
    const size_t count = 2000;
    std::vector<BookmarkItem> many;
    for (size_t i = 0; i < count; ++i)
        many.push_back(Bookmark("Bookmark " + std::to_string(i), "http://example.org/" + std::to_string(i), "Big"));
    Fill(Doc(), {"Big"}, many, "Big");
    Command(ID_VIEW_DETAILS);
    const HWND frame = FrameWindow();
    RECT start;
    GetWindowRect(frame, &start);
    const int width = start.right - start.left;
    const int height = start.bottom - start.top;
    const auto lastIcon = [this] {
        POINT at = {};
        SendMessageA(items, LVM_GETITEMPOSITION, count - 1, reinterpret_cast<LPARAM>(&at));
        return at;
    };
    for (const UINT view : {static_cast<UINT>(ID_VIEW_LARGE_ICONS), static_cast<UINT>(ID_VIEW_SMALL_ICONS)}) {
        Command(view);
        UpdateWindow(frame);
        const POINT wide = lastIcon();
        SetWindowPos(frame, nullptr, 0, 0, width - 200, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        App().PumpMessages();
        UpdateWindow(frame);
        // Fewer icons to a row: the last is lower down.
        EXPECT_GT(lastIcon().y, wide.y) << view;
        SetWindowPos(frame, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        App().PumpMessages();
        UpdateWindow(frame);
        EXPECT_EQ(lastIcon().y, wide.y) << view;
    }
}
