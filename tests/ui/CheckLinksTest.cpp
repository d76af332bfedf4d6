// Tests of the Check Links window.
#include "tests/app/AppFixture.h"
#include "tests/support/DocContent.h"
#include "tests/framework/DialogDriver.h"
#include "tests/support/LinkServer.h"
#include "tests/ui/PaneDriver.h"

#include "res/resource.h"
#include "ui/CCheckLinksDlg.h"
#include "ui/CItemPane.h"

#include <commctrl.h>

#include <algorithm>
#include <chrono>

namespace {

using Texts = std::vector<std::string>;
using Clock = std::chrono::steady_clock;

class CheckLinksTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_TRUE(Start());
        LinkCheckLimits limits;
        // "/slow" answers after 20 s; the other answers have seconds to spare
        // on a loaded machine.
        limits.timeoutSeconds = 6;
        Frame().SetLinkCheckLimits(limits);
    }

    HWND OpenDialog()
    {
        Command(ID_TOOLS_CHECK_LINKS);
        return Frame().CheckLinksDialog() ? Frame().CheckLinksDialog()->GetSafeHwnd() : nullptr;
    }

    // Delivers messages for `seconds`, or until `done`; whether it came.
    template <typename Done>
    bool Pump(double seconds, Done done)
    {
        const auto end = Clock::now() + std::chrono::duration<double>(seconds);
        while (!done()) {
            if (Clock::now() > end)
                return false;
            App().PumpMessages();
            Sleep(5);
        }
        return true;
    }
    void Pump(double seconds)
    {
        Pump(seconds, [] { return false; });
    }

    void StartCheck(HWND dialog, int scope)
    {
        CheckRadioButton(dialog, IDC_CHECK_CURRENT_GROUP, IDC_CHECK_WHOLE, scope);
        Click(dialog, IDC_CHECK_START);
    }
    void RunCheck(HWND dialog, int scope)
    {
        StartCheck(dialog, scope);
        EXPECT_TRUE(Pump(30, [&] { return !Frame().CheckLinksDialog()->IsChecking(); }));
    }

    // "Status|Name|URL|Group|Detail" of every result row.
    static Texts Rows(HWND dialog)
    {
        const HWND list = GetDlgItem(dialog, IDC_CHECK_RESULTS);
        Texts rows = RowTexts(list, 0);
        for (int column = 1; column < 5; ++column) {
            const Texts texts = RowTexts(list, column);
            for (size_t row = 0; row < rows.size(); ++row)
                rows[row] += "|" + texts[row];
        }
        return rows;
    }

    // Selects the rows whose name is one of `names`, as a Ctrl+click would.
    static void SelectRows(HWND dialog, const Texts& names)
    {
        const HWND list = GetDlgItem(dialog, IDC_CHECK_RESULTS);
        LVITEMA state = {};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
        const Texts rows = RowTexts(list, 1);
        for (size_t row = 0; row < rows.size(); ++row) {
            if (std::find(names.begin(), names.end(), rows[row]) == names.end())
                continue;
            state.state = LVIS_SELECTED;
            SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
        }
    }

    static bool ButtonEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

    Texts ItemNamesAndGroups()
    {
        Texts texts;
        for (const BookmarkItem& item : Doc().Items())
            texts.push_back(item.m_strName + "@" + item.m_strGroup);
        return texts;
    }

    // Bookmarks that all answer after five seconds.
    void FillSlow(const LinkServer& server)
    {
        std::vector<BookmarkItem> items;
        for (int n = 0; n < 12; ++n)
            items.push_back(Bookmark("Slow " + std::to_string(n), server.Url("/slow?n=" + std::to_string(n)), "Web"));
        Fill(Doc(), {"Web"}, items, "Web");
        // The default timeout: a check that ignored a cancel would wait 15 s.
        Frame().SetLinkCheckLimits(LinkCheckLimits());
    }

    const LinkServer server;
};

} // namespace

TEST_F(CheckLinksTest, ListsEveryAnswerButOkAndCountsTheBroken)
{
    Fill(Doc(), {"Web", "Other"},
         {Bookmark("Fine", server.Url("/ok"), "Web"), Bookmark("Moved", server.Url("/moved"), "Web"),
          Bookmark("Loop", server.Url("/loop"), "Web"), Bookmark("Gone", server.Url("/404"), "Web"),
          Bookmark("Busy", server.Url("/503"), "Web"), Bookmark("Head", server.Url("/head405"), "Web"),
          Bookmark("Ftp", server.Url("/ftp"), "Web"), Bookmark("Slow", server.Url("/slow"), "Web"),
          Bookmark("Closed", server.ClosedUrl(), "Web"), Bookmark("Garbled", server.Url("/malformed"), "Web"),
          Bookmark("Mail", "mailto:someone@example.org", "Web"), Bookmark("Lost", server.Url("/410"), "Other"),
          Bookmark("Error", server.Url("/500"), "Other")},
         "Other");
    const HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(OpenDialog(), dialog);  // the command shows the open one again
    EXPECT_EQ(WindowTitle(dialog), "Check Links");
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_CHECK_CURRENT_GROUP), BST_CHECKED);
    // Nothing to cancel before a check runs.
    EXPECT_EQ("C&lose", GetDialogItemText(dialog, IDCANCEL));

    const struct {
        int scope;
        Texts rows;
        std::string counts;
    } cases[] = {
        {IDC_CHECK_CURRENT_GROUP,
         {"Broken|Lost|" + server.Url("/410") + "|Other|HTTP 410", "Broken|Error|" + server.Url("/500") + "|Other|HTTP 500"},
         "Checked 2 of 2, 2 broken"},
        {IDC_CHECK_WHOLE,
         {"Moved|Moved|" + server.Url("/moved") + "|Web|" + server.Url("/ok"),
          "Unreachable|Loop|" + server.Url("/loop") + "|Web|Too many redirects",
          "Broken|Gone|" + server.Url("/404") + "|Web|HTTP 404", "Busy|Busy|" + server.Url("/503") + "|Web|HTTP 503",
          "Unreachable|Ftp|" + server.Url("/ftp") + "|Web|Redirect to ftp://127.0.0.1/file",
          "Unreachable|Slow|" + server.Url("/slow") + "|Web|Timed out",
          "Unreachable|Closed|" + server.ClosedUrl() + "|Web|Connection refused",
          "Unreachable|Garbled|" + server.Url("/malformed") + "|Web|Malformed answer",
          "Broken|Lost|" + server.Url("/410") + "|Other|HTTP 410", "Broken|Error|" + server.Url("/500") + "|Other|HTTP 500"},
         "Checked 12 of 12, 8 broken; 1 not checked"},
    };
    for (const auto& c : cases) {
        RunCheck(dialog, c.scope);
        EXPECT_EQ(c.rows, Rows(dialog)) << c.scope;
        EXPECT_EQ(c.counts, GetDialogItemText(dialog, IDC_CHECK_COUNTS)) << c.scope;
        EXPECT_EQ("C&lose", GetDialogItemText(dialog, IDCANCEL));
        EXPECT_TRUE(ButtonEnabled(dialog, IDC_CHECK_START));
        const LRESULT checked = c.scope == IDC_CHECK_WHOLE ? 12 : 2;
        EXPECT_EQ(checked, SendDlgItemMessageA(dialog, IDC_CHECK_PROGRESS, PBM_GETPOS, 0, 0));
    }
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(CheckLinksTest, ButtonsActOnTheBookmarksTheResultsName)
{
    Fill(Doc(), {"Web", "Other"},
         {Bookmark("Moved", "http://ann:pw@127.0.0.1:" + std::to_string(server.port) + "/moved#top", "Web"),
          Bookmark("Gone", server.Url("/404"), "Web"), Bookmark("Fine", server.Url("/ok"), "Web"),
          Bookmark("Error", server.Url("/500"), "Web"), Bookmark("Lost", server.Url("/410"), "Other")},
         "Other");
    const HWND dialog = OpenDialog();
    RunCheck(dialog, IDC_CHECK_WHOLE);
    ASSERT_EQ(4u, Rows(dialog).size());
    for (const int button : {IDC_CHECK_GO_TO, IDC_CHECK_DELETE, IDC_CHECK_NEW_ADDRESS, IDC_CHECK_MOVE})
        EXPECT_FALSE(ButtonEnabled(dialog, button)) << button;

    SelectRows(dialog, {"Gone"});
    EXPECT_FALSE(ButtonEnabled(dialog, IDC_CHECK_NEW_ADDRESS));
    SelectRows(dialog, {"Moved", "Gone"});
    EXPECT_TRUE(ButtonEnabled(dialog, IDC_CHECK_NEW_ADDRESS));
    Click(dialog, IDC_CHECK_NEW_ADDRESS);
    // Its fragment and its credentials stay.
    EXPECT_EQ("http://ann:pw@127.0.0.1:" + std::to_string(server.port) + "/ok#top", Doc().Items()[0].m_strURL);
    EXPECT_EQ(server.Url("/404"), Doc().Items()[1].m_strURL);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ((Texts{"Gone", "Error", "Lost"}), RowTexts(GetDlgItem(dialog, IDC_CHECK_RESULTS), 1));

    // Go To makes the bookmark's group current and selects its row.
    SelectRows(dialog, {"Gone"});
    Click(dialog, IDC_CHECK_GO_TO);
    EXPECT_EQ("Web", Doc().Selection().currentGroup);
    const HWND items = Frame().ItemPane()->GetSafeHwnd();
    ASSERT_GE(SelectedRow(items), 0);
    EXPECT_EQ("Gone", RowTexts(items)[SelectedRow(items)]);
    EXPECT_EQ("Gone", Doc().Selection().itemName);
    EXPECT_EQ(Frame().ItemPane(), Frame().GetActiveView());

    SelectRows(dialog, {"Gone", "Lost"});
    Click(dialog, IDC_CHECK_MOVE);
    EXPECT_EQ((Texts{"Web", "Other", "Broken Links"}), Doc().Groups());
    EXPECT_EQ((Texts{"Moved@Web", "Gone@Broken Links", "Fine@Web", "Error@Web", "Lost@Broken Links"}),
              ItemNamesAndGroups());
    EXPECT_EQ((Texts{"Broken Links", "Web", "Broken Links"}), RowTexts(GetDlgItem(dialog, IDC_CHECK_RESULTS), 3));

    // One question for all; one change of the collection.
    CountingView views;
    Doc().AddView(&views);
    prompt.answers = {MessageAnswer::Cancel, MessageAnswer::Ok};
    Click(dialog, IDC_CHECK_DELETE);
    EXPECT_EQ(5u, Doc().Items().size());
    Click(dialog, IDC_CHECK_DELETE);
    EXPECT_EQ((Texts{"2 bookmarks will be deleted. All right?", "2 bookmarks will be deleted. All right?"}),
              prompt.shown);
    EXPECT_EQ((Texts{"Moved@Web", "Fine@Web", "Error@Web"}), ItemNamesAndGroups());
    EXPECT_EQ(1, views.updates);
    EXPECT_EQ((Texts{"Error"}), RowTexts(GetDlgItem(dialog, IDC_CHECK_RESULTS), 1));

    // A bookmark changed behind the dialog's back is no longer the one
    // checked: its row says so, and so does each button.
    EditContent(Doc(), [&](StoreContent& content) { content.m_arrItems[2].m_strName = "Renamed"; });
    Doc().UpdateAllViews(nullptr);
    EXPECT_EQ((Texts{"Broken|Error|" + server.Url("/500") + "|Web|Changed or removed since the check"}), Rows(dialog));
    ClickRow(items, 0);
    views.updates = 0;
    const CurrentSelection before = Doc().Selection();
    SelectRows(dialog, {"Error"});
    prompt.shown.clear();
    for (const int button : {IDC_CHECK_GO_TO, IDC_CHECK_MOVE, IDC_CHECK_DELETE}) {
        EXPECT_TRUE(ButtonEnabled(dialog, button));
        Click(dialog, button);
    }
    EXPECT_EQ((Texts{"Moved@Web", "Fine@Web", "Renamed@Web"}), ItemNamesAndGroups());
    EXPECT_EQ(before.itemIndex, Doc().Selection().itemIndex);
    EXPECT_EQ(Texts(3, "The bookmark 'Error' has been changed or removed since the check."), prompt.shown);
    EXPECT_EQ(0, views.updates);
    Doc().RemoveView(&views);
}

TEST_F(CheckLinksTest, CancelStopsTheCheckAndChangesNothing)
{
    FillSlow(server);
    const std::vector<BookmarkItem> items = Doc().Items();
    const HWND dialog = OpenDialog();
    StartCheck(dialog, IDC_CHECK_WHOLE);
    EXPECT_EQ("C&ancel", GetDialogItemText(dialog, IDCANCEL));
    EXPECT_FALSE(ButtonEnabled(dialog, IDC_CHECK_START));
    Pump(0.3);

    const auto begin = Clock::now();
    Click(dialog, IDCANCEL);
    // A check that waited for its links would take 15 s.
    EXPECT_LT(Clock::now() - begin, std::chrono::seconds(10));
    EXPECT_FALSE(Frame().CheckLinksDialog()->IsChecking());
    EXPECT_EQ("C&lose", GetDialogItemText(dialog, IDCANCEL));
    EXPECT_TRUE(ButtonEnabled(dialog, IDC_CHECK_START));
    // Nor do the cancelled requests report anything afterwards.
    Pump(2.5);
    EXPECT_EQ("Checked 0 of 12, 0 broken", GetDialogItemText(dialog, IDC_CHECK_COUNTS));
    EXPECT_TRUE(Rows(dialog).empty());
    EXPECT_EQ(ItemTexts(items), ItemTexts(Doc().Items()));
    EXPECT_FALSE(Doc().IsModified());

    // The close box closes, mid-check too.
    StartCheck(dialog, IDC_CHECK_WHOLE);
    Pump(0.3);
    SendMessageA(dialog, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_FALSE(Frame().CheckLinksDialog()->IsChecking());
}

TEST_F(CheckLinksTest, ClosingTheWindowMidCheckAsksToSaveThenEndsTheCheck)
{
    FillSlow(server);
    Doc().SetModifiedFlag(true);
    const HWND dialog = OpenDialog();
    StartCheck(dialog, IDC_CHECK_WHOLE);
    Pump(0.3);

    prompt.answers = {MessageAnswer::Cancel};
    SendMessageA(FrameWindow(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(IsWindow(FrameWindow()));
    EXPECT_TRUE(Frame().CheckLinksDialog()->IsChecking());
    EXPECT_EQ(std::vector<MessageStyle>{MessageStyle::ExclamationYesNoCancel}, prompt.styles);

    prompt.answers = {MessageAnswer::No};
    const auto begin = Clock::now();
    Close();
    EXPECT_LT(Clock::now() - begin, std::chrono::seconds(10));
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(2u, prompt.styles.size());
}

TEST_F(CheckLinksTest, AReplacedCollectionStopsTheCheckAndDropsItsResults)
{
    // The issue's case: a copy of the checked file opened, its Broken row deleted.
    TempDir folder;
    Fill(Doc(), {"Web"}, {Bookmark("Fine", server.Url("/ok"), "Web"), Bookmark("Gone", server.Url("/404"), "Web")}, "Web");
    ASSERT_TRUE(Doc().OnSaveDocument(folder.Path("checked.lkh")));
    WriteBytes(folder.Path("copy.lkh"), ReadBytes(folder.Path("checked.lkh")));
    const HWND dialog = OpenDialog();
    RunCheck(dialog, IDC_CHECK_CURRENT_GROUP);
    ASSERT_EQ(1u, Rows(dialog).size());
    prompt.files = {folder.Path("copy.lkh")};
    Command(ID_FILE_OPEN);
    ASSERT_EQ(folder.Path("copy.lkh"), Doc().GetPathName());
    const std::string replaced = "The collection was replaced; the check was stopped and its results were cleared.";
    EXPECT_TRUE(Rows(dialog).empty());
    EXPECT_EQ(replaced, GetDialogItemText(dialog, IDC_CHECK_COUNTS));
    SelectRows(dialog, {"Gone"});
    Click(dialog, IDC_CHECK_DELETE);
    EXPECT_EQ(2u, Doc().Items().size());
    EXPECT_FALSE(Doc().IsModified());

    // New in the middle of a check stops it; nothing arrives afterwards.
    FillSlow(server);
    StartCheck(dialog, IDC_CHECK_WHOLE);
    Pump(0.3);
    Command(ID_FILE_NEW);
    EXPECT_FALSE(Frame().CheckLinksDialog()->IsChecking());
    EXPECT_EQ("C&lose", GetDialogItemText(dialog, IDCANCEL));
    EXPECT_TRUE(ButtonEnabled(dialog, IDC_CHECK_START));
    Pump(2.5);
    EXPECT_TRUE(Rows(dialog).empty());
    EXPECT_EQ(replaced, GetDialogItemText(dialog, IDC_CHECK_COUNTS));
}

TEST_F(CheckLinksTest, ClosingTheProgramUnderTheDeleteQuestionDeletesNothing)
{
    Fill(Doc(), {"Web"}, {Bookmark("Gone", server.Url("/404"), "Web"), Bookmark("Lost", server.Url("/410"), "Web")}, "Web");
    Doc().SetModifiedFlag(true);
    const HWND dialog = OpenDialog();
    RunCheck(dialog, IDC_CHECK_WHOLE);
    SelectRows(dialog, {"Gone", "Lost"});
    // End task while the question is up, No to saving (see the same test of Duplicate Bookmarks).
    prompt.answers = {MessageAnswer::Ok, MessageAnswer::No};
    prompt.whileShown = [this] { SendMessageA(FrameWindow(), WM_CLOSE, 0, 0); };
    Click(dialog, IDC_CHECK_DELETE);
    EXPECT_EQ((std::vector<MessageStyle>{MessageStyle::QuestionOkCancel, MessageStyle::ExclamationYesNoCancel}),
              prompt.styles);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(2u, Doc().Items().size());
}
