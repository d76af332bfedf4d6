// Tests of the Duplicate Bookmarks window.
#include "tests/app/AppFixture.h"
#include "tests/support/DocContent.h"
#include "tests/framework/DialogDriver.h"
#include "tests/ui/PaneDriver.h"

#include "res/resource.h"
#include "ui/CDuplicatesDlg.h"
#include "ui/CItemPane.h"

#include <commctrl.h>

namespace {

class DuplicatesDialogTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_TRUE(Start());
        Fill(Doc(), {"A", "B"},
             {Bookmark("one", "http://dup/", "A"), Bookmark("two", "http://other/", "A"),
              Bookmark("three", "HTTP://DUP/", "B"), Bookmark("four", "http://b/", "B"),
              Bookmark("five", "http://b/", "A"), Bookmark("six", "http://dup/", "A"),
              Bookmark("seven", "http://single/", "B")},
             "A");
        Doc().SetModifiedFlag(false);
        Command(ID_TOOLS_DUPLICATES);
        ASSERT_TRUE(IsWindow(Dialog()));
        Doc().AddView(&views);
    }
    void TearDown() override
    {
        Doc().RemoveView(&views);
        AppFixture::TearDown();
    }

    HWND Dialog() { return Frame().DuplicatesDialog()->GetSafeHwnd(); }
    HWND List() { return GetDlgItem(Dialog(), IDC_RESULTS); }
    std::vector<size_t> Rows() { return Frame().DuplicatesDialog()->Rows(); }
    std::string CountLine() { return GetDialogItemText(Dialog(), IDC_RESULT_COUNT); }
    std::vector<int> SelectedRows()
    {
        std::vector<int> rows;
        for (int row = -1; (row = static_cast<int>(SendMessageA(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(row),
                                                                 LVNI_SELECTED))) >= 0;)
            rows.push_back(row);
        return rows;
    }

    CountingView views;
};

} // namespace

TEST_F(DuplicatesDialogTest, ListsEachSharedAddressInUrlThenStoreOrder)
{
    EXPECT_EQ(WindowTitle(Dialog()), "Duplicate Bookmarks");
    EXPECT_EQ(Rows(), (std::vector<size_t>{3, 4, 0, 2, 5}));
    EXPECT_EQ(RowTexts(List(), 0), (std::vector<std::string>{"four", "five", "one", "three", "six"}));
    EXPECT_EQ(RowTexts(List(), 1),
              (std::vector<std::string>{"http://b/", "http://b/", "http://dup/", "HTTP://DUP/", "http://dup/"}));
    EXPECT_EQ(RowTexts(List(), 2), (std::vector<std::string>{"B", "A", "A", "B", "A"}));
    EXPECT_EQ(CountLine(), "5 bookmarks share 2 addresses");

    // A second command brings the same dialog forward.
    const HWND first = Dialog();
    Command(ID_TOOLS_DUPLICATES);
    EXPECT_EQ(Dialog(), first);
}

TEST_F(DuplicatesDialogTest, GoToActsAsEnterInFind)
{
    const struct {
        int row;
        bool button;
        const char* group;
        size_t index;
    } cases[] = {{3, true, "B", 2}, {1, false, "A", 4}};
    for (const auto& c : cases) {
        LVITEMA none = {};
        none.stateMask = LVIS_SELECTED;
        SendMessageA(List(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
        ClickRow(List(), c.row);
        if (c.button) {
            Click(Dialog(), IDC_GO_TO);
        } else {
            SetFocus(List());
            PostMessageA(List(), WM_KEYDOWN, VK_RETURN, 0);
            App().PumpMessages();
        }
        EXPECT_EQ(Doc().Selection().currentGroup, c.group);
        EXPECT_EQ(Frame().ItemPane()->RowStoreIndex(Frame().ItemPane()->SelectedRow()), static_cast<LPARAM>(c.index));
        // Only the current group changed: the list and its selection stay.
        EXPECT_EQ(SelectedRows(), (std::vector<int>{c.row}));
        EXPECT_EQ(Rows().size(), 5u);
    }
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(DuplicatesDialogTest, DeleteAsksOnceAndRemovesTheExtraCopies)
{
    Click(Dialog(), IDC_SELECT_EXTRA);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{1, 3, 4}));

    prompt.answers = {MessageAnswer::Cancel};
    Click(Dialog(), IDC_DELETE_SELECTED);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0], "Delete 3 bookmarks?");
    EXPECT_EQ(prompt.styles[0], MessageStyle::QuestionOkCancel);
    EXPECT_EQ(Doc().Items().size(), 7u);
    EXPECT_FALSE(Doc().IsModified());

    prompt.answers = {MessageAnswer::Ok};
    Click(Dialog(), IDC_DELETE_SELECTED);
    EXPECT_EQ(prompt.shown.size(), 2u);
    std::vector<std::string> names;
    for (const BookmarkItem& item : Doc().Items())
        names.push_back(item.m_strName);
    EXPECT_EQ(names, (std::vector<std::string>{"one", "two", "four", "seven"}));
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(views.updates, 1);
    EXPECT_EQ(views.last.removed, (std::vector<size_t>{2, 4, 5}));
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(CountLine(), "0 bookmarks share 0 addresses");
    // The item pane lost the rows of the deleted ones only.
    EXPECT_EQ(RowTexts(Frame().ItemPane()->GetSafeHwnd()), (std::vector<std::string>{"one", "two"}));

    // Nothing selected: nothing asked.
    Click(Dialog(), IDC_DELETE_SELECTED);
    EXPECT_EQ(prompt.shown.size(), 2u);
}

TEST_F(DuplicatesDialogTest, TheListFollowsTheCollectionWhileOpen)
{
    Doc().AddItems({Bookmark("eight", "http://single/", "A")});
    App().PumpMessages();
    EXPECT_EQ(Rows(), (std::vector<size_t>{3, 4, 0, 2, 5, 6, 7}));
    EXPECT_EQ(CountLine(), "7 bookmarks share 3 addresses");

    SendMessageA(Dialog(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(IsWindow(Frame().DuplicatesDialog()->GetSafeHwnd()));
    Doc().DeleteItems({0});
    App().PumpMessages();
    Command(ID_TOOLS_DUPLICATES);
    EXPECT_EQ(Rows(), (std::vector<size_t>{2, 3, 1, 4, 5, 6}));
    EXPECT_EQ(CountLine(), "6 bookmarks share 3 addresses");
}

TEST_F(DuplicatesDialogTest, ClosingTheProgramUnderTheDeleteQuestionDeletesNothing)
{
    Doc().SetModifiedFlag(true);
    const HWND dialog = Dialog();
    Click(dialog, IDC_SELECT_EXTRA);
    // End task while the question is up, No to saving; the question's own
    // box goes with the window, so the OK scripted for it must not count.
    prompt.answers = {MessageAnswer::Ok, MessageAnswer::No};
    prompt.whileShown = [this] { SendMessageA(FrameWindow(), WM_CLOSE, 0, 0); };
    Click(dialog, IDC_DELETE_SELECTED);
    EXPECT_EQ(prompt.styles, (std::vector<MessageStyle>{MessageStyle::QuestionOkCancel, MessageStyle::ExclamationYesNoCancel}));
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(Doc().Items().size(), 7u);
}

TEST_F(DuplicatesDialogTest, SimilarAddressesJoinTheirSetsWhileChecked)
{
    const HWND similar = GetDlgItem(Dialog(), IDC_DUPLICATES_SIMILAR);
    EXPECT_EQ(GetDialogItemText(Dialog(), IDC_DUPLICATES_SIMILAR), "Include s&imilar addresses");
    Doc().AddItems({Bookmark("eight", "https://www.other/#top", "B")});
    App().PumpMessages();
    EXPECT_EQ(CountLine(), "5 bookmarks share 2 addresses");

    SendMessageA(similar, BM_CLICK, 0, 0);
    EXPECT_EQ(Rows(), (std::vector<size_t>{3, 4, 0, 2, 5, 1, 7}));
    EXPECT_EQ(CountLine(), "7 bookmarks share 3 addresses");
    // A change keeps the choice.
    Doc().AddItems({Bookmark("nine", "http://single:80/", "A")});
    App().PumpMessages();
    EXPECT_EQ(CountLine(), "9 bookmarks share 4 addresses");

    SendMessageA(similar, BM_CLICK, 0, 0);
    EXPECT_EQ(CountLine(), "5 bookmarks share 2 addresses");
}
