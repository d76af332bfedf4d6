// Tests of the backups kept as a collection is saved.
#include "store/Backups.h"

#include "store/DataFile.h"
#include "store/FileError.h"
#include "store/TextCompare.h"
#include "tests/support/DocumentFixture.h"

#include <algorithm>
#include <ctime>

namespace {

// Local noon of 2024-03-01 plus `day` days, `minute` minutes past eight
// when given; the clock the shelf reads.
std::time_t LocalTime(int day, int minute = -1)
{
    std::tm t = {};
    t.tm_year = 124;
    t.tm_mon = 2;
    t.tm_mday = 1 + day;
    t.tm_hour = minute < 0 ? 12 : 8;
    t.tm_min = minute < 0 ? 0 : minute;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

std::string NameAt(std::time_t when, const char* suffix = "")
{
    char text[64];
    std::strftime(text, sizeof text, "%Y-%m-%d %H-%M-%S", std::localtime(&when));
    return std::string(text) + suffix + ".lkh";
}

std::string FileName(const BackupEntry& entry)
{
    return entry.path.substr(entry.path.find_last_of("\\/") + 1);
}

class BackupsTest : public DocumentFixture {
protected:
    std::string Collection(const std::string& bytes)
    {
        return WriteFile("store.lkh", bytes);
    }
    BackupShelf Shelf(std::time_t* now)
    {
        return BackupShelf(dir.Path("store.lkh"), dir.Path("backups"), [now] { return *now; });
    }
};

} // namespace

TEST_F(BackupsTest, KeepsTheNewestTwentyAndTheNewestOfEachOfThirtyDays)
{
    // Single saves on days 0, 9, 10, 15 and 25, two on day 20, eighteen on
    // day 39: 25 saves over 40 days.
    std::vector<std::time_t> saves = {LocalTime(0),  LocalTime(9), LocalTime(10), LocalTime(15),
                                      LocalTime(20, 0), LocalTime(20, 600), LocalTime(25)};
    for (int minute = 0; minute < 18; ++minute)
        saves.push_back(LocalTime(39, minute));
    std::time_t now = 0;
    BackupShelf shelf = Shelf(&now);
    MakeFolders(shelf.Folder());
    WriteBytes(JoinPath(shelf.Folder(), "notes.txt"), "");
    for (size_t i = 0; i < saves.size(); ++i) {
        now = saves[i];
        Collection("version " + std::to_string(i));
        ASSERT_TRUE(shelf.Keep());
    }

    // The eighteen of today and days 25 and 20 (its later save) are the
    // newest twenty; days 15 and 10 the newest of theirs, 29 days back at most.
    std::vector<std::string> expected;
    for (int minute = 17; minute >= 0; --minute)
        expected.push_back(NameAt(LocalTime(39, minute)));
    for (const std::time_t kept : {LocalTime(25), LocalTime(20, 600), LocalTime(15), LocalTime(10)})
        expected.push_back(NameAt(kept));
    const std::vector<BackupEntry> entries = shelf.List();
    std::vector<std::string> names;
    for (const BackupEntry& entry : entries)
        names.push_back(FileName(entry));
    EXPECT_EQ(names, expected);
    EXPECT_EQ(ReadBytes(entries.back().path), "version 2");
    // What the shelf did not write, it leaves alone.
    EXPECT_TRUE(FileExists(JoinPath(shelf.Folder(), "notes.txt")));
    EXPECT_EQ(FilesIn(shelf.Folder()).size(), expected.size() + 1);
}

TEST_F(BackupsTest, SavesInOneSecondGetNumbersTheSameBytesAreKeptOnceAndRestoreKeepsFirst)
{
    std::time_t now = LocalTime(3);
    BackupShelf shelf = Shelf(&now);
    EXPECT_FALSE(shelf.Keep());  // no file yet: nothing to keep
    StoreContent content;
    content.m_arrGroups = {"A", "B"};
    content.m_arrItems = {MakeItem("n", "http://x/", "A"), MakeItem("m", "http://y/", "B"), MakeItem("o", "", "A")};
    const std::string full = EncodeDataFile(content);
    const std::string shortBytes("\0\0\0\0", 4);
    for (const std::string& bytes : {full, std::string(8, '\377'), full.substr(0, 20), full.substr(0, 20), shortBytes}) {
        Collection(bytes);
        ASSERT_TRUE(shelf.Keep());
    }

    // Too short, cut short (its counts ask for more than it holds), empty, whole.
    const struct {
        const char* suffix;
        bool damaged;
        uint64_t groups, bookmarks;
    } expected[] = {{" (4)", true, 0, 0}, {" (3)", true, 0, 0}, {" (2)", false, 0, 0}, {"", false, 2, 3}};
    std::vector<BackupEntry> entries = shelf.List();
    ASSERT_EQ(entries.size(), 4u);
    for (size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(FileName(entries[i]), NameAt(now, expected[i].suffix));
        EXPECT_EQ(entries[i].damaged, expected[i].damaged) << i;
        EXPECT_EQ(entries[i].groups, expected[i].groups) << i;
        EXPECT_EQ(entries[i].bookmarks, expected[i].bookmarks) << i;
    }
    EXPECT_EQ(BackupTimeText(entries[0].time), NameAt(now).substr(0, 10) + " 12:00:00");

    // A backup that is gone changes nothing; the current file, the same as
    // the newest backup, is not kept again.
    EXPECT_THROW(shelf.Restore(dir.Path("gone.lkh")), FileError);
    shelf.Restore(entries[3].path);
    EXPECT_EQ(ReadBytes(dir.Path("store.lkh")), full);
    EXPECT_EQ(shelf.List().size(), 4u);
    shelf.Restore(entries[2].path);
    entries = shelf.List();
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(ReadBytes(entries[0].path), full);
    EXPECT_EQ(ReadBytes(dir.Path("store.lkh")), std::string(8, '\377'));
}

TEST_F(BackupsTest, EachFileHasAShelfOfItsOwn)
{
    const std::string one = BackupFolderName(dir.Path("a/x.lkh"));
    EXPECT_EQ(one.substr(0, 6), "x.lkh-");
    EXPECT_EQ(one.size(), 6u + 8u);
    EXPECT_NE(one, BackupFolderName(dir.Path("b/x.lkh")));
    MakeFolders(dir.Path("a"));
    WriteFile("a/x.lkh", "");
    EXPECT_EQ(one, BackupFolderName(dir.Path("a/../a/x.lkh")));
#ifdef _WIN32
    // One folder, whose name Windows compares without regard to case.
    EXPECT_TRUE(TextEqual(one, BackupFolderName(dir.Path("A/X.LKH"))));
#else
    EXPECT_NE(one, BackupFolderName(dir.Path("A/X.LKH")));
#endif
    // A long name is cut, never inside a character.
    const std::string name = std::string(79, 'n') + "\xC3\xA9" + std::string(40, 'n');
    EXPECT_EQ(BackupFolderName(dir.Path(name)).substr(0, 80), std::string(79, 'n') + "-");
}

TEST_F(BackupsTest, TheSaveKeepsTheOldFileUnlessOffAndGoesOnWhenItCannot)
{
    const std::string path = Collection("old bytes");
    Add("n", "http://x/", "G");
    int failures = 0;
    bool enabled = true;
    BackupPolicy policy;
    policy.enabled = [&enabled] { return enabled; };
    policy.failed = [&failures] { ++failures; };
    policy.base = dir.Path("backups");
    doc.SetBackups(&policy);

    ASSERT_TRUE(doc.OnSaveDocument(path));
    const std::vector<BackupEntry> kept = BackupShelf(path, policy.base).List();
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(ReadBytes(kept[0].path), "old bytes");

    // A folder that cannot be made (a file stands in its way).
    WriteFile("blocked", "");
    policy.base = dir.Path("blocked/backups");
    Add("m", "http://y/", "G");
    ASSERT_TRUE(doc.OnSaveDocument(path));
    EXPECT_EQ(failures, 1);
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_FALSE(doc.IsModified());
    StoreContent saved;
    const std::string bytes = ReadBytes(path);
    ReadDataBytes(bytes.data(), bytes.size(), saved);
    EXPECT_EQ(saved.m_arrItems.size(), 2u);

    // Off: nothing is kept nor tried; a new file has nothing to keep.
    enabled = false;
    ASSERT_TRUE(doc.OnSaveDocument(path));
    enabled = true;
    policy.base = dir.Path("fresh");
    ASSERT_TRUE(doc.OnSaveDocument(dir.Path("new.lkh")));
    EXPECT_EQ(failures, 1);
    EXPECT_FALSE(FileExists(dir.Path("fresh")));
}
