// Tests of the window while other programs change its collection: the
// reload, the merge on save, a second writer saving in a loop, the sync
// services' conflict copies and File > Merge Collection.
#include "tests/app/AppFixture.h"
#include "tests/framework/DialogDriver.h"
#include "tests/ui/PaneDriver.h"

#include "res/resource.h"
#include "store/Backups.h"
#include "store/DataFile.h"
#include "ui/CGroupPane.h"
#include "ui/CItemPane.h"

#include <algorithm>
#include <functional>

namespace {

const char kReloaded[] = "Reloaded: the file was changed by another program";

std::string Question(const std::string& copy)
{
    return "A sync service left another version of this collection beside it:\n" + copy +
           "\n\nMerge it into this collection?";
}

// The file's bytes, read as a sync service reads them: sharing everything,
// so that no save is held up. The name may be free for a moment while a
// save puts its file in place.
std::string ReadShared(const std::string& path)
{
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int tries = 0; file == INVALID_HANDLE_VALUE && tries < 10000; ++tries) {
        file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            Sleep(1);
    }
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

// The bookmarks' names in a collection's file, sorted; throws FileError when
// it is no whole collection.
std::vector<std::string> NamesIn(const std::string& path)
{
    const std::string bytes = ReadShared(path);
    StoreContent content;
    ReadDataBytes(bytes.data(), bytes.size(), content);
    std::vector<std::string> names;
    for (const BookmarkItem& item : content.m_arrItems)
        names.push_back(item.m_strName);
    std::sort(names.begin(), names.end());
    return names;
}

BookmarkItem Named(const std::string& name, const std::string& group = "A")
{
    return Bookmark(name, "http://" + name + "/", group);
}

class CollectionSyncTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        SetEnvironmentVariableA("LINKHIVE_BACKUP_DIR", dir.Path("backups").c_str());
    }
    void TearDown() override
    {
        AppFixture::TearDown();
        SetEnvironmentVariableA("LINKHIVE_BACKUP_DIR", nullptr);
    }

    // Another program puts its version in `file`'s place, as a sync service does.
    static void WriteCollection(const std::string& file, std::vector<std::string> groups, std::vector<BookmarkItem> items)
    {
        StoreContent content;
        content.m_arrGroups = std::move(groups);
        content.m_arrItems = std::move(items);
        WriteDataFile(file, content);
    }
    // The window runs until `done` (at most `ms`); false when it never was.
    bool RunUntil(const std::function<bool()>& done, int ms = 20000)
    {
        for (int waited = 0;; waited += 20) {
            App().PumpMessages();
            if (done())
                return true;
            if (waited >= ms)
                return false;
            Sleep(20);
        }
    }
    void RunFor(int ms) { RunUntil([] { return false; }, ms); }
    HWND Items() { return Frame().ItemPane()->GetSafeHwnd(); }

    TempDir dir;
    const std::string path = dir.Path("work.lkh");
};

} // namespace

TEST_F(CollectionSyncTest, ReloadsWhenUnmodifiedAndMergesOnSaveWhenModified)
{
    WriteCollection(path, {"A", "B"}, {Named("a1"), Named("b1", "B"), Named("b2", "B")});
    ASSERT_TRUE(Start({path}));
    ClickRow(Frame().GroupPane()->GetSafeHwnd(), 1);
    ClickRow(Items(), 1);
    ASSERT_EQ(Doc().Selection().itemName, "b2");

    WriteCollection(path, {"A", "B"}, {Named("a1"), Named("b0", "B"), Named("b1", "B"), Named("b2", "B")});
    ASSERT_TRUE(RunUntil([this] { return StatusText(0) == kReloaded; }));
    EXPECT_EQ(RowTexts(Items()), (std::vector<std::string>{"b0", "b1", "b2"}));
    EXPECT_EQ(SelectedRow(Items()), 2);
    EXPECT_EQ(Doc().Selection().currentGroup, "B");
    EXPECT_EQ(Doc().Selection().itemIndex, 3);
    EXPECT_FALSE(Doc().IsModified());

    // While a dialog is open, the collection stays as the dialog found it.
    size_t countWhileOpen = 0;
    {
        DialogDriver driver({[&](HWND) {
                                 WriteCollection(path, {"A", "B"}, {Named("a1"), Named("b1", "B"), Named("b2", "B")});
                                 const DWORD until = GetTickCount() + 1000;
                                 MSG msg;
                                 // The frame's messages only: the driver's own timer waits.
                                 while (GetTickCount() < until) {
                                     while (PeekMessageA(&msg, FrameWindow(), 0, 0, PM_REMOVE))
                                         DispatchMessageA(&msg);
                                     Sleep(10);
                                 }
                                 countWhileOpen = Doc().Items().size();
                             },
                             [](HWND dialog) { Click(dialog, IDOK); }});
        Command(ID_APP_ABOUT);
        EXPECT_TRUE(driver.Finished());
    }
    EXPECT_EQ(countWhileOpen, 4u);
    ASSERT_TRUE(RunUntil([this] { return Doc().Items().size() == 3; }));

    // Modified, it waits for the save, which merges.
    Doc().AddItems({Named("mine")});
    WriteCollection(path, {"A", "B"}, {Named("a1"), Named("b1", "B"), Named("b2", "B"), Named("theirs", "B")});
    RunFor(1000);
    EXPECT_EQ(Doc().Items().size(), 4u);
    EXPECT_TRUE(Doc().IsModified());
    Command(ID_FILE_SAVE);
    EXPECT_EQ(prompt.shown, std::vector<std::string>{
                                "Merged the changes made elsewhere: 1 bookmark added, 0 removed, 0 kept in two versions."});
    EXPECT_EQ(prompt.styles, std::vector<MessageStyle>{MessageStyle::InformationOk});
    EXPECT_EQ(NamesIn(path), (std::vector<std::string>{"a1", "b1", "b2", "mine", "theirs"}));
    EXPECT_EQ(RowTexts(Items()), (std::vector<std::string>{"b1", "b2", "theirs"}));
    EXPECT_FALSE(Doc().IsModified());

    // The program's own save is no change by another: nothing is reloaded.
    const size_t changes = Doc().Journal().DoneCount();
    RunFor(1000);
    EXPECT_EQ(Doc().Journal().DoneCount(), changes);
    EXPECT_EQ(changes, 2u);
}

// Another Linkhive adds and saves in a loop while the window does the same:
// every save of either merges the other's, and whoever wrote last, the file
// is always a whole collection.
TEST_F(CollectionSyncTest, ASecondProgramSavingInALoopLosesNothing)
{
    WriteCollection(path, {"A", "Writer"}, {Named("start")});
    ASSERT_TRUE(Start({path}));
    std::string commandLine = "\"" + WindowsPath(LINKHIVE_COLLECTION_WRITER) + "\" \"" + path + "\" other 40";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION writer = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &writer));

    std::vector<std::string> expected = {"start"};
    for (int n = 1; n <= 20; ++n) {
        expected.push_back("mine " + std::to_string(n));
        Doc().AddItems({Named(expected.back())});
        Command(ID_FILE_SAVE);
        ASSERT_FALSE(Doc().IsModified()) << n;
        EXPECT_NO_THROW(NamesIn(path)) << n;
        RunFor(n % 4 * 10);
    }
    ASSERT_EQ(WaitForSingleObject(writer.hProcess, 60000), WAIT_OBJECT_0);
    DWORD status = 1;
    GetExitCodeProcess(writer.hProcess, &status);
    CloseHandle(writer.hThread);
    CloseHandle(writer.hProcess);
    EXPECT_EQ(status, 0u);

    for (int n = 1; n <= 40; ++n)
        expected.push_back("other " + std::to_string(n));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(NamesIn(path), expected);
    // No save failed: every message told of a merge.
    for (const MessageStyle style : prompt.styles)
        EXPECT_EQ(style, MessageStyle::InformationOk);
}

TEST_F(CollectionSyncTest, ConflictCopiesAreOfferedAndMergedOnesGoToTheBackups)
{
    char computer[MAX_COMPUTERNAME_LENGTH + 1] = "";
    DWORD size = sizeof computer;
    ASSERT_TRUE(GetComputerNameA(computer, &size));
    const std::string dropbox = "work (Anna's conflicted copy 2026-12-01).lkh";
    const std::string onedrive = "work-" + std::string(computer) + ".lkh";
    const std::string syncthing = "work.sync-conflict-20261201-120000-ABCDEF7.lkh";
    WriteCollection(path, {"A"}, {Named("a1")});
    WriteCollection(dir.Path(dropbox), {"A", "Anna"}, {Named("a1"), Named("anna", "Anna")});
    WriteCollection(dir.Path(onedrive), {"A"}, {Named("a1"), Named("here")});
    WriteCollection(dir.Path(syncthing), {"A"}, {Named("synced")});
    WriteCollection(dir.Path("work (1).lkh"), {"A"}, {Named("unrelated")});

    prompt.answers = {MessageAnswer::Yes, MessageAnswer::Yes, MessageAnswer::No};
    ASSERT_TRUE(Start({path}));
    ASSERT_TRUE(RunUntil([this] { return prompt.shown.size() == 3; }));
    EXPECT_EQ(prompt.shown, (std::vector<std::string>{Question(dropbox), Question(onedrive), Question(syncthing)}));
    EXPECT_EQ(prompt.styles[0], MessageStyle::QuestionYesNo);
    std::vector<std::string> names;
    for (const BookmarkItem& item : Doc().Items())
        names.push_back(item.m_strName);
    EXPECT_EQ(names, (std::vector<std::string>{"a1", "anna", "here"}));
    EXPECT_EQ(Doc().Groups(), (std::vector<std::string>{"A", "Anna"}));
    EXPECT_TRUE(Doc().IsModified());
    ASSERT_EQ(Doc().Journal().DoneCount(), 2u);
    EXPECT_EQ(Doc().Journal().NewestDone()->what, "Merged the collection: 1 bookmark and 0 groups added.");
    EXPECT_EQ(StatusText(0), "Merged the collection: 1 bookmark and 0 groups added.");

    // The merged ones moved to the collection's backups, the declined one stays.
    const std::string shelf = BackupShelf(path).Folder();
    EXPECT_EQ(FilesIn(shelf), (std::vector<std::string>{dropbox, onedrive}));
    EXPECT_EQ(FilesIn(dir.Root()), (std::vector<std::string>{"backups", "work (1).lkh", "work.lkh", syncthing}));

    // Declined once, it is not asked about again at a reload.
    Command(ID_FILE_SAVE);
    WriteCollection(path, {"A"}, {Named("a1"), Named("later")});
    ASSERT_TRUE(RunUntil([this] { return StatusText(0) == kReloaded; }));
    EXPECT_EQ(prompt.shown.size(), 3u);
}

TEST_F(CollectionSyncTest, MergeCollectionAddsWhatTheOtherHasInOneChange)
{
    WriteCollection(path, {"A"}, {Named("a1"), Named("a2")});
    const std::string other = dir.Path("other.lkh");
    WriteCollection(other, {"A", "O"}, {Named("a1"), Named("o1", "O"), Named("o2", "O")});
    ASSERT_TRUE(Start({path}));
    EXPECT_TRUE(Enabled(ID_FILE_MERGE_COLLECTION));

    prompt.files = {other};
    Command(ID_FILE_MERGE_COLLECTION);
    ASSERT_EQ(prompt.requests.size(), 1u);
    EXPECT_EQ(RequestLine(prompt.requests[0]), "open|Merge Collection|Linkhive (*.lkh)|*.lkh|All Files (*.*)|*.*||lkh|");
    const std::string summary = "Merged the collection: 2 bookmarks and 1 group added.";
    EXPECT_EQ(prompt.shown, std::vector<std::string>{summary});
    EXPECT_EQ(prompt.styles, std::vector<MessageStyle>{MessageStyle::InformationOk});
    EXPECT_EQ(Doc().Groups(), (std::vector<std::string>{"A", "O"}));
    EXPECT_EQ(Doc().Items().size(), 4u);
    EXPECT_TRUE(Doc().IsModified());
    ASSERT_EQ(Doc().Journal().DoneCount(), 1u);
    EXPECT_EQ(Doc().Journal().NewestDone()->what, summary);
    ASSERT_TRUE(Doc().UndoLast());
    EXPECT_EQ(Doc().Items().size(), 2u);
}
