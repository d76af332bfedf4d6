// Tests of the sync services' conflict copies: found by name, moved to the backups.
#include "store/Backups.h"
#include "store/ConflictCopies.h"
#include "store/FileError.h"
#include "tests/support/Fakes.h"

#include <gtest/gtest.h>

TEST(ConflictCopies, KnownByTheNamesSyncServicesGiveThem)
{
    const struct {
        const char* name;
        bool copy;
    } cases[] = {
        {"work (Anna's conflicted copy 2026-12-01).lkh", true},
        {"WORK (anna's Conflicted Copy 2026-12-01 (1)).LKH", true},
        {"work (conflicted copy).lkh", true},
        {"work (1).lkh", false},
        {"work (Anna's conflicted copy 2026-12-01).txt", false},
        {"workshop (Anna's conflicted copy 2026-12-01).lkh", false},
        {"work (Anna's conflicted copy 2026-12-01) old.lkh", false},
        {"work.sync-conflict-20261201-120000-ABCDEF7.lkh", true},
        {"Work.Sync-Conflict-20261201-120000-abc.lkh", true},
        {"work.sync-conflict-2026121-120000-ABCDEF7.lkh", false},
        {"work.sync-conflict-20261201-120000-.lkh", false},
        {"work.sync-conflict-20261201-120000-AB-C.lkh", false},
        {"work-Desktop1.lkh", true},
        {"work-LAPTOP.lkh", false},
        {"work-Desktop1 (2).lkh", false},
        {"work.lkh", false},
        {"Work.lkh", false},
        {".lkh", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsConflictCopyName("work.lkh", c.name, "DESKTOP1"), c.copy) << c.name;
    // No computer name, no copy of that kind; a name without an extension keeps none.
    EXPECT_FALSE(IsConflictCopyName("work.lkh", "work-.lkh", ""));
    EXPECT_TRUE(IsConflictCopyName("notes", "notes (Bo's conflicted copy)", ""));
}

TEST(ConflictCopies, FoundBesideTheCollectionAndShelvedUnderTheirOwnNames)
{
    TempDir dir;
    for (const char* name : {"work.lkh", "work-PC.lkh", "work (B's conflicted copy).lkh", "other-PC.lkh", "work.txt"})
        WriteBytes(dir.Path(name), name);
    const std::vector<std::string> copies = ConflictCopiesOf(dir.Path("work.lkh"), "pc");
    ASSERT_EQ(copies, (std::vector<std::string>{dir.Path("work (B's conflicted copy).lkh"), dir.Path("work-PC.lkh")}));

    BackupShelf shelf(dir.Path("work.lkh"), dir.Path("backups"));
    shelf.Shelve(copies[1]);
    WriteBytes(copies[1], "again");
    shelf.Shelve(copies[1]);
    EXPECT_FALSE(FileExists(copies[1]));
    EXPECT_EQ(FilesIn(shelf.Folder()), (std::vector<std::string>{"work-PC (2).lkh", "work-PC.lkh"}));
    EXPECT_EQ(ReadBytes(JoinPath(shelf.Folder(), "work-PC (2).lkh")), "again");
    // Never counted among the dated backups, so never dropped with them.
    EXPECT_TRUE(shelf.List().empty());
    EXPECT_THROW(shelf.Shelve(copies[1]), FileError);
}
