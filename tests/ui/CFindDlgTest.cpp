// Tests of the Find Bookmarks window.
#include "tests/app/AppFixture.h"
#include "tests/framework/DialogDriver.h"
#include "tests/ui/PaneDriver.h"

#include "framework/Win32Prompt.h"
#include "res/resource.h"
#include "ui/CFindDlg.h"
#include "ui/CGroupPane.h"
#include "ui/CItemPane.h"

#include <commctrl.h>

#include <functional>

namespace {

class FindDialogTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_TRUE(Start());
        Fill(Doc(), {"News", "Tools"},
             {Bookmark("Daily news", "http://news.example/", "News"),
              Bookmark("Compiler", "http://gcc.example/", "Tools", "NEWS of builds"),
              Bookmark("Weather", "http://weather.example/", "News"),
              Bookmark("Newsletter", "mailto:list@example.org", "Tools"),
              Bookmark("Orphan news", "http://orphan/", "Gone")},
             "News");
    }

    HWND Dialog()
    {
        const CFindDlg* dialog = Frame().FindDialog();
        return dialog != nullptr ? dialog->GetSafeHwnd() : nullptr;
    }
    HWND Results() { return GetDlgItem(Dialog(), IDC_RESULTS); }
    std::vector<size_t> Rows() { return Frame().FindDialog()->Rows(); }
    std::string CountLine() { return GetDialogItemText(Dialog(), IDC_RESULT_COUNT); }

    // A key pressed in `control`, delivered through the application's message loop.
    void Press(HWND control, WPARAM key)
    {
        SetFocus(control);
        PostMessageA(control, WM_KEYDOWN, key, 0);
        App().PumpMessages();
    }

    // Types `text` and presses Enter in the text box.
    void Search(const std::string& text, bool groupOnly = false)
    {
        CheckDlgButton(Dialog(), IDC_FIND_GROUP_ONLY, groupOnly ? BST_CHECKED : BST_UNCHECKED);
        SetDlgItemTextA(Dialog(), IDC_FIND_TEXT, text.c_str());
        Press(GetDlgItem(Dialog(), IDC_FIND_TEXT), VK_RETURN);
    }

    // The store index of the item pane's selected row; -1 when none.
    LPARAM ShownBookmark() { return Frame().ItemPane()->RowStoreIndex(Frame().ItemPane()->SelectedRow()); }
};

} // namespace

TEST_F(FindDialogTest, ResultsFollowTheTextAndTheCheckBox)
{
    Command(ID_EDIT_FIND);
    ASSERT_TRUE(IsWindow(Dialog()));
    EXPECT_EQ(WindowTitle(Dialog()), "Find Bookmarks");
    const struct {
        const char* text;
        bool groupOnly;
        std::vector<size_t> rows;
    } cases[] = {
        {"news", false, {0, 1, 3, 4}},  // name, description, mail name, a group no pane lists
        {"NEWS", true, {0}},
        {"e", false, {0, 1, 2, 3, 4}},
        {"ea", false, {2}},  // narrowed from the rows of "e"
        {"eat", false, {2}},
        {"xample.org", false, {3}},
        {"none", false, {}},
        {"", false, {}},
    };
    for (const auto& c : cases) {
        Search(c.text, c.groupOnly);
        EXPECT_EQ(Rows(), c.rows) << c.text;
        EXPECT_EQ(CountLine(), std::to_string(c.rows.size()) + " bookmarks found") << c.text;
    }

    Search("news");
    EXPECT_EQ(RowTexts(Results(), 0), (std::vector<std::string>{"Daily news", "Compiler", "Newsletter", "Orphan news"}));
    EXPECT_EQ(RowTexts(Results(), 1), (std::vector<std::string>{"http://news.example/", "http://gcc.example/",
                                                                 "mailto:list@example.org", "http://orphan/"}));
    EXPECT_EQ(RowTexts(Results(), 2), (std::vector<std::string>{"News", "Tools", "Tools", "Gone"}));

    // The check box searches again at once; so does a change of group while it is on.
    CheckDlgButton(Dialog(), IDC_FIND_GROUP_ONLY, BST_CHECKED);
    SendMessageA(Dialog(), WM_COMMAND, MAKEWPARAM(IDC_FIND_GROUP_ONLY, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(Dialog(), IDC_FIND_GROUP_ONLY)));
    App().PumpMessages();
    EXPECT_EQ(Rows(), (std::vector<size_t>{0}));
    ClickRow(Frame().GroupPane()->GetSafeHwnd(), 1);  // "Tools"
    App().PumpMessages();
    EXPECT_EQ(Rows(), (std::vector<size_t>{1, 3}));
}

TEST_F(FindDialogTest, TypingSearchesAfterAShortPause)
{
    Command(ID_EDIT_FIND);
    const DWORD typed = GetTickCount();
    SetDlgItemTextA(Dialog(), IDC_FIND_TEXT, "weather");
    App().PumpMessages();
    if (GetTickCount() - typed < 200) {  // a loaded machine may have slept past the pause
        EXPECT_TRUE(Rows().empty());
    }
    Sleep(400);
    App().PumpMessages();
    EXPECT_EQ(Rows(), (std::vector<size_t>{2}));
}

TEST_F(FindDialogTest, EnterOrADoubleClickGoesToTheResultAndTheDialogStays)
{
    Command(ID_EDIT_FIND);
    Search("news");
    const struct {
        int row;
        bool doubleClick;
        size_t index;
        const char* group;
    } cases[] = {{1, false, 1, "Tools"}, {0, true, 0, "News"}, {3, false, 4, "Gone"}, {2, true, 3, "Tools"}};
    for (const auto& c : cases) {
        ClickRow(Results(), c.row);
        if (c.doubleClick) {
            NMITEMACTIVATE click = {};
            click.hdr.hwndFrom = Results();
            click.hdr.idFrom = IDC_RESULTS;
            click.hdr.code = NM_DBLCLK;
            click.iItem = c.row;
            SendMessageA(Dialog(), WM_NOTIFY, IDC_RESULTS, reinterpret_cast<LPARAM>(&click));
        } else {
            Press(Results(), VK_RETURN);
        }
        EXPECT_EQ(Doc().Selection().currentGroup, c.group) << c.row;
        EXPECT_EQ(ShownBookmark(), static_cast<LPARAM>(c.index)) << c.row;
        EXPECT_EQ(Doc().Selection().itemIndex, static_cast<int32_t>(c.index)) << c.row;
        EXPECT_TRUE(IsWindow(Dialog())) << c.row;
    }
    // The group pane marks the group gone to.
    ClickRow(Results(), 1);
    Press(Results(), VK_RETURN);
    const HWND groups = Frame().GroupPane()->GetSafeHwnd();
    EXPECT_EQ(RowTexts(groups).at(static_cast<size_t>(SelectedRow(groups))), "Tools");
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(FindDialogTest, ResultsFollowTheCollectionWhileOpen)
{
    Command(ID_EDIT_FIND);
    Search("news");
    ASSERT_EQ(Rows(), (std::vector<size_t>{0, 1, 3, 4}));

    Doc().SelectItem(2);
    Doc().RenameItem("Weather news");
    App().PumpMessages();
    EXPECT_EQ(Rows(), (std::vector<size_t>{0, 1, 2, 3, 4}));

    Doc().DeleteItems({0, 3});
    App().PumpMessages();
    EXPECT_EQ(Rows(), (std::vector<size_t>{0, 1, 2}));
    EXPECT_EQ(RowTexts(Results()), (std::vector<std::string>{"Compiler", "Weather news", "Orphan news"}));
    EXPECT_EQ(CountLine(), "3 bookmarks found");

    Fill(Doc(), {"G"}, {Bookmark("no match", "http://a/", "G"), Bookmark("NEWS", "http://b/", "G")}, "G");
    App().PumpMessages();
    EXPECT_EQ(Rows(), (std::vector<size_t>{1}));
}

TEST_F(FindDialogTest, FindAgainBringsItForwardEscapeClosesIt)
{
    Command(ID_EDIT_FIND);
    const HWND first = Dialog();
    Search("weather");
    Command(ID_EDIT_FIND);
    EXPECT_EQ(Dialog(), first);
    EXPECT_EQ(GetActiveWindow(), first);

    // The main window's commands and keys keep working beside it.
    EXPECT_TRUE(IsWindowEnabled(FrameWindow()));
    Command(ID_VIEW_DETAILS);
    EXPECT_EQ(GetWindowLongA(Frame().ItemPane()->GetSafeHwnd(), GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);

    Press(GetDlgItem(Dialog(), IDC_FIND_TEXT), VK_ESCAPE);
    EXPECT_FALSE(IsWindow(first));
    Command(ID_EDIT_FIND);
    ASSERT_TRUE(IsWindow(Dialog()));
    EXPECT_EQ(GetDialogItemText(Dialog(), IDC_FIND_TEXT), "weather");
    App().PumpMessages();
    EXPECT_EQ(Rows(), (std::vector<size_t>{2}));
}

TEST_F(FindDialogTest, FindNextWalksTheResultsAfterTheSelectedBookmark)
{
    // With no search yet, Find Next opens the dialog.
    Command(ID_EDIT_FIND_NEXT);
    ASSERT_TRUE(IsWindow(Dialog()));

    const struct {
        const char* text;
        bool groupOnly;
        int startRow;  // the item pane's row selected first; -1 none
        std::vector<size_t> walk;
    } cases[] = {
        {"news", false, -1, {0, 1, 3, 4, 0}},
        {"news", false, 1, {3, 4}},  // row 1 of News is Weather, index 2
        {"e", true, -1, {0, 2, 0}},
        {"none", false, -1, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Command(ID_EDIT_FIND);
        Search(c.text, c.groupOnly);
        Press(GetDlgItem(Dialog(), IDC_FIND_TEXT), VK_ESCAPE);
        ASSERT_FALSE(IsWindow(Dialog()));
        Doc().SetCurrentGroup("News");
        Doc().UpdateAllViews(nullptr);
        if (c.startRow >= 0)
            ClickRow(Frame().ItemPane()->GetSafeHwnd(), c.startRow);
        for (const size_t index : c.walk) {
            Command(ID_EDIT_FIND_NEXT);
            EXPECT_EQ(ShownBookmark(), static_cast<LPARAM>(index));
            EXPECT_EQ(Doc().Selection().currentGroup, Doc().Items()[index].m_strGroup);
        }
        if (c.walk.empty()) {
            Command(ID_EDIT_FIND_NEXT);
            EXPECT_EQ(ShownBookmark(), -1);
            EXPECT_FALSE(IsWindow(Dialog()));
        }
    }
}

TEST_F(FindDialogTest, FindNextAndFindKeysWorkInTheDialog)
{
    Command(ID_EDIT_FIND);
    const HWND text = GetDlgItem(Dialog(), IDC_FIND_TEXT);
    Search("news");
    // F3 in the text goes to the next result, also before the typing pause is over.
    for (const size_t index : {0, 1, 3}) {
        Press(text, VK_F3);
        EXPECT_EQ(ShownBookmark(), static_cast<LPARAM>(index));
    }
    SetDlgItemTextA(Dialog(), IDC_FIND_TEXT, "weather");
    Press(text, VK_F3);
    EXPECT_EQ(ShownBookmark(), 2);

    // Ctrl+F in the results takes the keyboard back to the whole text.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    const BYTE control = keys[VK_CONTROL];
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    Press(Results(), 'F');
    keys[VK_CONTROL] = control;
    SetKeyboardState(keys);
    EXPECT_EQ(GetFocus(), text);
    DWORD start = 1;
    DWORD end = 0;
    SendMessageA(text, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 7u);
    EXPECT_TRUE(IsWindow(Dialog()));
}

TEST_F(FindDialogTest, TakesNoInputWhileAModalDialogOrBoxIsOpen)
{
    Command(ID_EDIT_FIND);
    Win32Prompt boxes(FrameWindow());
    const struct {
        const char* what;
        std::function<void()> run;
    } cases[] = {
        {"dialog", [this] { Command(ID_APP_ABOUT); }},
        {"message box", [&boxes] { boxes.ShowMessage("?", MessageStyle::InformationOk); }},
        {"file dialog", [&boxes] {
             std::string path;
             boxes.ChooseFile(FileDialogRequest(), path);
         }},
    };
    for (const auto& c : cases) {
        bool waited = false;
        DialogDriver driver({[&](HWND box) {
            waited = !IsWindowEnabled(Dialog());
            PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
        }});
        c.run();
        EXPECT_TRUE(driver.Finished()) << c.what;
        EXPECT_TRUE(waited) << c.what;
        EXPECT_TRUE(IsWindowEnabled(Dialog())) << c.what;
    }
}
