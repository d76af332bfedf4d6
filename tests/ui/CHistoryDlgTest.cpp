// Tests of the History window.
#include "tests/app/AppFixture.h"
#include "tests/support/DocContent.h"
#include "tests/framework/DialogDriver.h"
#include "tests/ui/PaneDriver.h"

#include "res/resource.h"
#include "store/DataFile.h"
#include "ui/CHistoryDlg.h"

#include <commctrl.h>

namespace {

class HistoryDialogTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_TRUE(Start());
        Fill(Doc(), {"Dev", "News"},
             {Bookmark("one", "http://one/", "Dev"), Bookmark("two", "http://two/", "Dev"),
              Bookmark("three", "http://three/", "News")},
             "Dev");
        Doc().ClearJournal();
        Doc().SetModifiedFlag(false);
    }

    HWND Dialog() { return Frame().HistoryDialog()->GetSafeHwnd(); }
    HWND List() { return GetDlgItem(Dialog(), IDC_HISTORY_LIST); }
    bool Enabled(int id) { return IsWindowEnabled(GetDlgItem(Dialog(), id)) != FALSE; }
};

} // namespace

// Changes of the window and of the menus alike show newest first; Undo takes
// back the selected one and every later one in one step, Redo does them
// again, each a change of the document.
TEST_F(HistoryDialogTest, UndoesBackToTheSelectedChangeAndRedoes)
{
    const std::string original = EncodeDataFile(Doc().Content());
    Doc().DeleteItems({0, 1});
    Doc().AddGroup();
    Command(ID_EDIT_HISTORY);
    ASSERT_TRUE(IsWindow(Dialog()));
    EXPECT_EQ(WindowTitle(Dialog()), "History");
    Doc().MoveItems({0}, "Dev");
    App().PumpMessages();
    const std::string changed = EncodeDataFile(Doc().Content());
    EXPECT_EQ(RowTexts(List(), 1), (std::vector<std::string>{"Moved three to Dev", "Added group New Group",
                                                             "Deleted 2 bookmarks from Dev"}));
    EXPECT_FALSE(RowTexts(List(), 0)[0].empty());
    EXPECT_FALSE(Enabled(IDC_HISTORY_UNDO));
    EXPECT_FALSE(Enabled(IDC_HISTORY_REDO));

    ClickRow(List(), 2);
    EXPECT_TRUE(Enabled(IDC_HISTORY_UNDO));
    Doc().SetModifiedFlag(false);
    Click(Dialog(), IDC_HISTORY_UNDO);
    App().PumpMessages();
    EXPECT_EQ(EncodeDataFile(Doc().Content()), original);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_TRUE(RowTexts(List(), 1).empty());
    EXPECT_TRUE(Enabled(IDC_HISTORY_REDO));

    Click(Dialog(), IDC_HISTORY_REDO);
    App().PumpMessages();
    EXPECT_EQ(EncodeDataFile(Doc().Content()), changed);
    EXPECT_EQ(RowTexts(List(), 1).size(), 3u);
    EXPECT_FALSE(Enabled(IDC_HISTORY_REDO));

    // The key opens the same window; a new collection starts a new history.
    const HWND first = Dialog();
    Command(ID_EDIT_HISTORY);
    EXPECT_EQ(Dialog(), first);
    Doc().SetModifiedFlag(false);
    Command(ID_FILE_NEW);
    App().PumpMessages();
    EXPECT_TRUE(RowTexts(List(), 1).empty());
}
