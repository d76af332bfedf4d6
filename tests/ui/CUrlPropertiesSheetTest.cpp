// Tests of the URL Properties sheet.
#include "tests/app/AppFixture.h"
#include "tests/framework/DialogDriver.h"
#include "tests/ui/PaneDriver.h"

#include "res/resource.h"
#include "settings/Preferences.h"
#include "ui/CCheckLinksDlg.h"
#include "ui/CDuplicatesDlg.h"
#include "ui/CItemPane.h"

#include <algorithm>
#include <functional>

namespace {

class PropertiesSheetTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_TRUE(Start());
        items = Frame().ItemPane()->GetSafeHwnd();
    }

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

} // namespace

TEST_F(PropertiesSheetTest, NewItemsOpenTheSheetAndStayWhenTouched)
{
    const SheetStep namedMine = [this](HWND) { EXPECT_EQ(Doc().Items().back().m_strName, "Mine"); };
    const SheetStep typeMine = Type(IDC_ITEM_NAME, "Mine");
    const SheetStep typeMineURL = Type(IDC_ITEM_URL, "http://mine.example/");
    const std::string mine = "Mine|http://mine.example/|G|";
    const struct {
        UINT command;
        std::vector<BookmarkItem> existing;
        const char* name;
        const char* url;
        std::vector<SheetStep> steps;
        std::string kept;
    } cases[] = {
        {ID_ITEM_NEW_URL, {}, "New URL", "http://", {Press(PSBTN_CANCEL)}, ""},
        {ID_ITEM_NEW_EMAIL, {Bookmark("New URL", "http://", "Other")}, "New E-Mail", "mailto:", {Press(PSBTN_CANCEL)}, ""},
        // Unique over every group, letter case ignored; a made-unique name
        // is not the placeholder, so Cancel keeps the item.
        {ID_ITEM_NEW_URL, {Bookmark("new url", "http://a", "Other")}, "New URL *", "http://", {Press(PSBTN_CANCEL)},
         "New URL *|http://|G|"},
        // Applied, then cancelled: kept for a changed URL only.
        {ID_ITEM_NEW_URL, {}, "New URL", "http://", {typeMine, Press(PSBTN_APPLYNOW), namedMine, Press(PSBTN_CANCEL)}, ""},
        {ID_ITEM_NEW_URL, {}, "New URL", "http://",
         {typeMine, typeMineURL, Press(PSBTN_APPLYNOW), namedMine, Press(PSBTN_CANCEL)}, mine},
        {ID_ITEM_NEW_URL, {}, "New URL", "http://", {typeMine, typeMineURL, Press(PSBTN_OK)}, mine},
    };
    for (const auto& test : cases) {
        Fill(Doc(), {"G", "Other"}, test.existing, "G");
        Doc().SetModifiedFlag(false);
        const size_t before = test.existing.size();
        std::vector<SheetStep> steps = {[&](HWND sheet) {
            EXPECT_EQ(PageText(sheet, IDC_ITEM_NAME), test.name);
            EXPECT_EQ(PageText(sheet, IDC_ITEM_URL), test.url);
            ASSERT_EQ(Doc().Items().size(), before + 1);
            EXPECT_EQ(ItemText(Doc().Items().back()), ItemText(Bookmark(test.name, test.url, "G")));
            EXPECT_EQ(Doc().Selection().itemIndex, static_cast<int32_t>(before));
            EXPECT_EQ(RowTexts(items), std::vector<std::string>{test.name});
        }};
        steps.insert(steps.end(), test.steps.begin(), test.steps.end());
        EXPECT_TRUE(CommandWithSheet(test.command, steps)) << test.name;
        std::vector<std::string> expected = ItemTexts(test.existing);
        if (!test.kept.empty())
            expected.push_back(test.kept);
        EXPECT_EQ(ItemTexts(Doc().Items()), expected);
        EXPECT_EQ(RowTexts(items).size(), test.kept.empty() ? 0u : 1u);
        EXPECT_TRUE(Doc().IsModified());
        // A bookmark taken back leaves no current item behind.
        if (test.kept.empty()) {
            EXPECT_EQ(Doc().Selection().itemIndex, -1) << test.name;
        }
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
        EXPECT_EQ(ItemTexts(Doc().Items()), (std::vector<std::string>{"first|http://1|G|", ItemText(test.expected)}))
            << test.what;
        // The selection pane shows the current item's description as written.
        App().PumpMessages();
        const std::string& shown = test.expected.m_strDescription.empty() ? test.expected.m_strURL
                                                                          : test.expected.m_strDescription;
        EXPECT_EQ(StatusText(2), shown) << test.what;
    }
}

TEST_F(PropertiesSheetTest, TheSheetWritesToItsOwnBookmarkWhateverHappensMeanwhile)
{
    const std::vector<BookmarkItem> three = {Bookmark("First", "http://1", "G"), Bookmark("Alpha", "http://a", "G"),
                                             Bookmark("Beta", "http://b", "G")};
    const std::string edited = "Alpha 2|http://a2|G|words";
    const std::string told =
        "The bookmark 'Alpha' was changed or deleted while its properties were open. Your changes to it were not saved.";
    // What the modeless windows do to the collection: Go To, Delete, Use New Address, Move to Group.
    const struct {
        const char* what;
        UINT command;
        std::function<void()> meanwhile;
        int button;
        std::vector<std::string> expected;
        std::vector<std::string> shown;
    } cases[] = {
        {"another one gone to", ID_ITEM_PROPERTIES, [this] { Frame().GoToBookmark(2); }, PSBTN_OK,
         {"First|http://1|G|", edited, "Beta|http://b|G|"}, {}},
        {"an earlier one deleted", ID_ITEM_PROPERTIES, [this] { Doc().DeleteItems({0}); }, PSBTN_OK,
         {edited, "Beta|http://b|G|"}, {}},
        {"itself deleted", ID_ITEM_PROPERTIES, [this] { Doc().DeleteItems({1}); }, PSBTN_OK,
         {"First|http://1|G|", "Beta|http://b|G|"}, {told}},
        {"its address changed", ID_ITEM_PROPERTIES, [this] { Doc().ChangeURLs({{1, "http://new"}}); }, PSBTN_OK,
         {"First|http://1|G|", "Alpha|http://new|G|", "Beta|http://b|G|"}, {told}},
        {"moved", ID_ITEM_PROPERTIES, [this] { Doc().MoveItems({1}, "H"); }, PSBTN_OK,
         {"First|http://1|G|", "Alpha|http://a|H|", "Beta|http://b|G|"}, {told}},
        // A new bookmark cancelled goes, wherever it went meanwhile.
        {"new, an earlier one deleted", ID_ITEM_NEW_URL, [this] { Doc().DeleteItems({0}); }, PSBTN_CANCEL,
         {"Alpha|http://a|G|", "Beta|http://b|G|"}, {}},
    };
    Command(ID_EDIT_FIND);
    Command(ID_TOOLS_DUPLICATES);
    Command(ID_TOOLS_CHECK_LINKS);
    const std::vector<HWND> modeless = {Frame().FindDialog()->GetSafeHwnd(), Frame().DuplicatesDialog()->GetSafeHwnd(),
                                        Frame().CheckLinksDialog()->GetSafeHwnd()};
    for (const auto& test : cases) {
        Fill(Doc(), {"G", "H"}, three, "G");
        const std::vector<std::string> rows = RowTexts(items);
        ClickRow(items, static_cast<int>(std::find(rows.begin(), rows.end(), "Alpha") - rows.begin()));
        ASSERT_EQ(Doc().Selection().itemIndex, 1);
        prompt.shown.clear();
        const SheetStep waiting = [&](HWND) {
            for (const HWND window : modeless)
                EXPECT_FALSE(IsWindowEnabled(window)) << test.what;
        };
        EXPECT_TRUE(CommandWithSheet(test.command, {waiting, Type(IDC_ITEM_NAME, "Alpha 2"), Type(IDC_ITEM_URL, "http://a2"),
                                                    ShowPage(1), Type(IDC_ITEM_DESCRIPTION, "words"),
                                                    [&](HWND) { test.meanwhile(); }, Press(test.button)}))
            << test.what;
        EXPECT_EQ(ItemTexts(Doc().Items()), test.expected) << test.what;
        EXPECT_EQ(prompt.shown, test.shown) << test.what;
        // The current item's fields stay its own.
        if (const BookmarkItem* current = Doc().SelectedItem()) {
            EXPECT_EQ(Doc().Selection().itemName + "|" + Doc().Selection().itemURL,
                      current->m_strName + "|" + current->m_strURL)
                << test.what;
        }
        for (const HWND window : modeless)
            EXPECT_TRUE(IsWindowEnabled(window)) << test.what;
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
    EXPECT_EQ(Doc().Items()[0].m_strName, "renamed");

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
        const bool hasGroups = !test.groups.empty();
        for (const auto& [id, enabled] : {std::pair<UINT, bool>{ID_ITEM_NEW_URL, hasGroups},
                                          {ID_ITEM_NEW_EMAIL, hasGroups},
                                          {ID_ITEM_PROPERTIES, test.rowSelected}}) {
            EXPECT_EQ(Enabled(id), enabled) << id;
            EXPECT_EQ(ButtonEnabled(id), enabled) << id;
        }
    }
}
