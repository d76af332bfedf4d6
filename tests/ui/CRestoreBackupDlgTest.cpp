// Tests of the backups in the program: File > Restore Backup and the Keep Backups preference.
#include "tests/app/AppFixture.h"
#include "tests/framework/DialogDriver.h"
#include "tests/ui/PaneDriver.h"

#include "res/resource.h"
#include "store/Backups.h"
#include "ui/CItemPane.h"

#include <commctrl.h>

namespace {

class RestoreBackupTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        SetBackupFolder(dir.Path("backups"));
        ASSERT_TRUE(Start());
    }
    void TearDown() override
    {
        AppFixture::TearDown();
        SetEnvironmentVariableA("LINKHIVE_BACKUP_DIR", nullptr);
    }

    static void SetBackupFolder(const std::string& folder)
    {
        SetEnvironmentVariableA("LINKHIVE_BACKUP_DIR", folder.c_str());
    }
    // The collection with one more bookmark, saved (the first time under `path`).
    void AddAndSave(const std::string& name)
    {
        std::vector<BookmarkItem> items = Doc().Items();
        items.push_back(Bookmark(name, "http://" + name + "/", "A"));
        Fill(Doc(), {"A"}, items, "A");
        if (Doc().GetPathName().empty())
            prompt.files.push_back(path);
        Command(ID_FILE_SAVE);
        ASSERT_FALSE(Doc().IsModified());
    }
    size_t BackupCount() { return BackupShelf(path).List().size(); }

    TempDir dir;
    const std::string path = dir.Path("work.lkh");
};

std::vector<std::string> Cells(HWND dialog, int column)
{
    return RowTexts(GetDlgItem(dialog, IDC_BACKUP_LIST), column);
}

bool OpenEnabled(HWND dialog)
{
    return IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE;
}

} // namespace

TEST_F(RestoreBackupTest, OpensTheChosenBackupAsAnUntitledCollectionAfterTheSaveQuestion)
{
    EXPECT_FALSE(Enabled(ID_FILE_RESTORE_BACKUP));  // untitled: no backups to look for
    AddAndSave("one");
    AddAndSave("two");
    AddAndSave("three");
    WriteBytes(JoinPath(BackupShelf(path).Folder(), "2099-01-01 00-00-00.lkh"), "bad");
    ASSERT_TRUE(Enabled(ID_FILE_RESTORE_BACKUP));
    const std::vector<BookmarkItem> items = Doc().Items();
    Fill(Doc(), {"A", "B"}, items, "B");
    Doc().SetModifiedFlag(true);

    // Cancel changes nothing.
    std::vector<std::vector<std::string>> seen;
    bool enabledAtFirst = true;
    bool enabledOnDamaged = true;
    {
        DialogDriver driver({[&](HWND dialog) {
                                 seen = {Cells(dialog, 1), Cells(dialog, 2)};
                                 enabledAtFirst = OpenEnabled(dialog);
                                 ClickRow(GetDlgItem(dialog, IDC_BACKUP_LIST), 0);
                                 enabledOnDamaged = OpenEnabled(dialog);
                             },
                             [](HWND dialog) { Click(dialog, IDCANCEL); }});
        Command(ID_FILE_RESTORE_BACKUP);
        EXPECT_TRUE(driver.Finished());
        EXPECT_EQ(driver.Caption(), "Restore Backup");
    }
    EXPECT_EQ(seen, (std::vector<std::vector<std::string>>{{"Damaged", "1", "1"}, {"", "2", "1"}}));
    EXPECT_FALSE(enabledAtFirst);
    EXPECT_FALSE(enabledOnDamaged);
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(Doc().GetPathName(), path);
    EXPECT_TRUE(Doc().IsModified());

    // A double click on the oldest: the question first (No), then the
    // collection it holds, untitled and unchanged.
    bool enabledOnOldest = false;
    prompt.answers = {MessageAnswer::No};
    {
        DialogDriver driver({[&](HWND dialog) {
            const HWND list = GetDlgItem(dialog, IDC_BACKUP_LIST);
            ClickRow(list, 2);
            enabledOnOldest = OpenEnabled(dialog);
            NMITEMACTIVATE click = {};
            click.hdr = {list, IDC_BACKUP_LIST, static_cast<UINT>(NM_DBLCLK)};
            click.iItem = 2;
            SendMessageA(dialog, WM_NOTIFY, IDC_BACKUP_LIST, reinterpret_cast<LPARAM>(&click));
        }});
        Command(ID_FILE_RESTORE_BACKUP);
        EXPECT_TRUE(driver.Finished());
    }
    EXPECT_TRUE(enabledOnOldest);
    EXPECT_EQ(prompt.shown, (std::vector<std::string>{"Save changes to work.lkh?"}));
    EXPECT_EQ(RowTexts(Frame().ItemPane()->GetSafeHwnd()), (std::vector<std::string>{"one"}));
    EXPECT_EQ(Doc().Groups(), (std::vector<std::string>{"A"}));
    EXPECT_EQ(Doc().GetPathName(), "");
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(WindowTitle(FrameWindow()), "Untitled - Linkhive");
    EXPECT_FALSE(Enabled(ID_FILE_RESTORE_BACKUP));
    EXPECT_EQ(BackupCount(), 3u);  // the answer was No: nothing saved, nothing kept
}

TEST_F(RestoreBackupTest, KeepBackupsTurnsOffAndAFailedBackupStillSaves)
{
    EXPECT_NE(MenuState(FrameWindow(), ID_PREF_KEEP_BACKUPS) & MF_CHECKED, 0u);
    AddAndSave("one");
    AddAndSave("two");
    EXPECT_EQ(BackupCount(), 1u);

    Command(ID_PREF_KEEP_BACKUPS);
    EXPECT_EQ(MenuState(FrameWindow(), ID_PREF_KEEP_BACKUPS) & MF_CHECKED, 0u);
    AddAndSave("three");
    EXPECT_EQ(BackupCount(), 1u);
    Command(ID_PREF_KEEP_BACKUPS);

    // A folder that cannot be made: the save goes on and the status bar says so.
    WriteBytes(dir.Path("blocked"), "");
    SetBackupFolder(dir.Path("blocked\\backups"));
    AddAndSave("four");
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(StatusText(0), "The previous version could not be kept as a backup.");
}
