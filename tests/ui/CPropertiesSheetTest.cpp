#include "tests/app/AppFixture.h"
#include "tests/framework/DialogDriver.h"
#include "tests/ui/PaneDriver.h"

#include "res/resource.h"
#include "settings/Preferences.h"
#include "ui/CItemPane.h"

#include <commctrl.h>

namespace {

class PropertiesSheetTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_TRUE(Start());
        items = Frame().ItemPane()->GetSafeHwnd();
    }
    CBookmarkDoc& Doc() { return App().Document(); }

    // Runs the command, driving the sheet it opens through `steps`; false
    // when no sheet opened or the steps did not close it.
    bool CommandWithSheet(UINT id, std::vector<SheetStep> steps)
    {
        DialogDriver driver(std::move(steps));
        Command(id);
        return driver.Finished() && driver.Caption() == "URL Properties";
    }

    HWND items = nullptr;
};

bool SameItem(const BookmarkItem& a, const BookmarkItem& b)
{
    return a.m_strName == b.m_strName && a.m_strURL == b.m_strURL && a.m_strGroup == b.m_strGroup &&
           a.m_strDescription == b.m_strDescription;
}

std::string StatusText(HWND statusBar, int pane)
{
    char text[512] = "";
    SendMessageA(statusBar, SB_GETTEXTA, pane, reinterpret_cast<LPARAM>(text));
    return text;
}

} // namespace

TEST_F(PropertiesSheetTest, NewItemsOpenTheSheetAndAnUntouchedCancelTakesThemBack)
{
    const struct {
        UINT command;
        std::vector<BookmarkItem> existing;
        const char* name;
        const char* url;
        bool keptOnCancel;
    } cases[] = {
        {ID_ITEM_NEW_URL, {}, "New URL", "http://", false},
        {ID_ITEM_NEW_EMAIL, {Bookmark("New URL", "http://", "Other")}, "New E-Mail", "mailto:", false},
        // Unique over every group, letter case ignored; a made-unique name
        // is not the placeholder, so Cancel keeps the item.
        {ID_ITEM_NEW_URL, {Bookmark("new url", "http://a", "Other")}, "New URL *", "http://", true},
    };
    for (const auto& test : cases) {
        Fill(Doc(), {"G", "Other"}, test.existing, "G");
        Doc().SetModifiedFlag(false);
        const size_t before = test.existing.size();
        EXPECT_TRUE(CommandWithSheet(test.command, {
            [&](HWND sheet) {
                EXPECT_EQ(PageText(sheet, IDC_ITEM_NAME), test.name);
                EXPECT_EQ(PageText(sheet, IDC_ITEM_URL), test.url);
                ASSERT_EQ(Doc().m_arrItems.size(), before + 1);
                EXPECT_TRUE(SameItem(Doc().m_arrItems.back(), Bookmark(test.name, test.url, "G")));
                EXPECT_EQ(Doc().Selection().itemIndex, static_cast<int32_t>(before));
                EXPECT_EQ(RowTexts(items), std::vector<std::string>{test.name});
            },
            Press(PSBTN_CANCEL),
        })) << test.name;
        EXPECT_EQ(Doc().m_arrItems.size(), before + (test.keptOnCancel ? 1 : 0)) << test.name;
        EXPECT_EQ(RowTexts(items).size(), test.keptOnCancel ? 1u : 0u) << test.name;
        EXPECT_EQ(Doc().Selection().itemName, test.name);
        EXPECT_TRUE(Doc().IsModified());
    }
}

TEST_F(PropertiesSheetTest, ApplyThenCancelKeepsTheItemOnlyWhenItsURLChanged)
{
    const struct {
        std::vector<SheetStep> edits;
        bool kept;
    } cases[] = {
        {{Type(IDC_ITEM_NAME, "Mine")}, false},
        {{Type(IDC_ITEM_NAME, "Mine"), Type(IDC_ITEM_URL, "http://mine.example/")}, true},
    };
    for (const auto& test : cases) {
        Fill(Doc(), {"G"}, {Bookmark("a", "http://a", "G")}, "G");
        std::vector<SheetStep> steps = test.edits;
        steps.push_back(Press(PSBTN_APPLYNOW));
        steps.push_back([this](HWND) { EXPECT_EQ(Doc().m_arrItems.back().m_strName, "Mine"); });
        steps.push_back(Press(PSBTN_CANCEL));
        EXPECT_TRUE(CommandWithSheet(ID_ITEM_NEW_URL, steps));
        ASSERT_EQ(Doc().m_arrItems.size(), test.kept ? 2u : 1u);
        if (test.kept) {
            EXPECT_TRUE(SameItem(Doc().m_arrItems[1], Bookmark("Mine", "http://mine.example/", "G")));
        }
        EXPECT_EQ(Doc().m_arrItems[0].m_strName, "a");
    }
}

TEST_F(PropertiesSheetTest, PropertiesWriteWhatTheUserEditedAndNothingElse)
{
    const std::string longURL = "http://example.org/" + std::string(381, 'u');
    const BookmarkItem existing = Bookmark("Site", longURL, "G", "old words");
    const struct {
        const char* what;
        BookmarkItem item;
        std::vector<SheetStep> steps;
        BookmarkItem expected;
    } cases[] = {
        {"description only", existing,
         {ShowPage(1), Type(IDC_ITEM_DESCRIPTION, "new words"), Press(PSBTN_OK)},
         Bookmark("Site", longURL, "G", "new words")},
        {"an empty name", existing, {Type(IDC_ITEM_NAME, ""), Press(PSBTN_OK)}, Bookmark("", longURL, "G", "old words")},
        {"description page shown, not edited", existing,
         {Type(IDC_ITEM_URL, "ftp://x"), ShowPage(1), ShowPage(0), Press(PSBTN_OK)},
         Bookmark("Site", "ftp://x", "G", "old words")},
        {"typed, then cancelled", existing, {Type(IDC_ITEM_NAME, "other"), Press(PSBTN_CANCEL)}, existing},
        // An existing bookmark that carries the placeholder pair is no
        // placeholder: cancelling its properties keeps it.
        {"placeholder pair cancelled", Bookmark("New URL", "http://", "G"), {Press(PSBTN_CANCEL)},
         Bookmark("New URL", "http://", "G")},
    };
    for (const auto& test : cases) {
        Fill(Doc(), {"G"}, {Bookmark("first", "http://1", "G"), test.item}, "G");
        ClickRow(items, 1);
        ASSERT_EQ(Doc().Selection().itemIndex, 1) << test.what;
        EXPECT_TRUE(CommandWithSheet(ID_ITEM_PROPERTIES, test.steps)) << test.what;
        ASSERT_EQ(Doc().m_arrItems.size(), 2u) << test.what;
        EXPECT_TRUE(SameItem(Doc().m_arrItems[1], test.expected)) << test.what;
        EXPECT_EQ(Doc().m_arrItems[0].m_strName, "first");
        // The selection pane shows the current item's description as written.
        App().PumpMessages();
        const std::string& shown = test.expected.m_strDescription.empty() ? test.expected.m_strURL
                                                                          : test.expected.m_strDescription;
        EXPECT_EQ(StatusText(Frame().StatusBar(), 2), shown) << test.what;
    }
}

TEST_F(PropertiesSheetTest, QuickEditOpensTheSheetInsteadOfTheRowMenu)
{
    TrackedMenu menu;
    Frame().popupTracker = [&menu](HMENU popup, POINT at) { RecordMenu(popup, at, menu); };
    Fill(Doc(), {"G"}, {Bookmark("a", "http://a", "G")}, "G");
    const LPARAM fromKeyboard = MAKELPARAM(-1, -1);

    thePreferences.quickEdit = 1;
    SendMessageA(items, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(items), fromKeyboard);
    EXPECT_TRUE(menu.shown);  // no row selected: the view menu
    menu = TrackedMenu();
    ClickRow(items, 0);
    for (const LPARAM at : {fromKeyboard, MAKELPARAM(10, 20)}) {
        DialogDriver driver({Type(IDC_ITEM_NAME, "renamed"), Press(PSBTN_OK)});
        SendMessageA(items, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(items), at);
        EXPECT_TRUE(driver.Finished());
        EXPECT_FALSE(menu.shown);
        ClickRow(items, 0);
    }
    EXPECT_EQ(Doc().m_arrItems[0].m_strName, "renamed");

    thePreferences.quickEdit = 0;
    SendMessageA(items, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(items), fromKeyboard);
    EXPECT_TRUE(menu.shown);
    EXPECT_EQ(menu.ids.front(), static_cast<UINT>(ID_ITEM_OPEN));
}

TEST_F(PropertiesSheetTest, NewNeedsAGroupAndPropertiesASelectedRow)
{
    const struct {
        std::vector<std::string> groups;
        bool rowSelected;
    } cases[] = {{{}, false}, {{"G"}, false}, {{"G"}, true}};
    for (const auto& test : cases) {
        Fill(Doc(), test.groups, {Bookmark("a", "http://a", "G")}, test.groups.empty() ? "" : "G");
        if (test.rowSelected)
            ClickRow(items, 0);
        App().PumpMessages();
        const bool hasGroups = !test.groups.empty();
        const struct {
            UINT id;
            bool enabled;
        } commands[] = {
            {ID_ITEM_NEW_URL, hasGroups}, {ID_ITEM_NEW_EMAIL, hasGroups}, {ID_ITEM_PROPERTIES, test.rowSelected}};
        for (const auto& command : commands) {
            EXPECT_EQ((MenuState(FrameWindow(), command.id) & MF_GRAYED) == 0, command.enabled) << command.id;
            EXPECT_EQ(SendMessageA(Frame().ToolBar(), TB_ISBUTTONENABLED, command.id, 0) != 0, command.enabled)
                << command.id;
        }
    }
}

TEST_F(PropertiesSheetTest, InsertMakesABookmarkThatIsSavedAndReopened)
{
    TempDir folder;
    const std::string path = folder.Path("made.lkh");
    Fill(Doc(), {"Work"}, {}, "Work");
    MSG insert = {items, WM_KEYDOWN, VK_INSERT, 0, 0, {0, 0}};
    {
        DialogDriver driver({
            [](HWND sheet) {
                EXPECT_EQ(PageText(sheet, IDC_ITEM_NAME), "New URL");
                EXPECT_EQ(PageText(sheet, IDC_ITEM_URL), "http://");
            },
            Type(IDC_ITEM_NAME, "Example"),
            Type(IDC_ITEM_URL, "http://example.org/"),
            Press(PSBTN_OK),
        });
        EXPECT_TRUE(Frame().TranslateAccelerators(insert));
        EXPECT_TRUE(driver.Finished());
    }
    EXPECT_EQ(RowTexts(items), std::vector<std::string>{"Example"});
    EXPECT_EQ(RowTexts(items, 1), std::vector<std::string>{"http://example.org/"});
    prompt.files = {path};
    Command(ID_FILE_SAVE);
    Close();

    ASSERT_TRUE(Start({path}));
    ASSERT_EQ(App().Document().m_arrItems.size(), 1u);
    EXPECT_TRUE(SameItem(App().Document().m_arrItems[0], Bookmark("Example", "http://example.org/", "Work")));
    EXPECT_EQ(RowTexts(Frame().ItemPane()->GetSafeHwnd()), std::vector<std::string>{"Example"});
}
