// Tests of the document base.
#include "store/CBookmarkDoc.h"
#include "tests/support/DocContent.h"
#include "tests/support/Fakes.h"

#include "store/FileIO.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const std::string kWorkedExample(
    "\x00\x00\x00\x00\x00\x00\x00\x00\x09New Group\x07New URL\x07http://\x09New Group\x00", 45);

class DocumentFiles : public ::testing::Test {
protected:
    DocumentFiles() : doc(selection, marks, prompt, clipboard) {}

    // The bookmark a user adds to a new document without editing it.
    void AddNewBookmark()
    {
        SetGroups(doc, {"New Group"});
        BookmarkItem item;
        item.m_strName = "New URL";
        item.m_strURL = "http://";
        item.m_strGroup = "New Group";
        AppendItem(doc, item);
    }

    // A titled, unmodified document with one group "Kept".
    void OpenKeptDocument()
    {
        SetGroups(doc, {"Kept"});
        ASSERT_TRUE(doc.OnSaveDocument(dir.Path("kept.lkh")));
        ASSERT_TRUE(doc.OnOpenDocument(dir.Path("kept.lkh")));
    }

    // A group and an item selected in it, as the panes leave them.
    void SelectKeptItem()
    {
        selection.currentGroup = "Kept";
        selection.itemName = "Item";
        selection.itemURL = "http://item/";
        selection.itemDescription = "note";
        selection.itemIndex = 0;
    }

    void ExpectNoSelection()
    {
        EXPECT_EQ(selection.currentGroup, "");
        EXPECT_EQ(selection.itemName + selection.itemURL + selection.itemDescription, "");
        EXPECT_EQ(selection.itemIndex, -1);
    }

    TempDir dir;
    CurrentSelection selection;
    ClipboardMarks marks;
    FakePrompt prompt;
    FakeClipboard clipboard;
    CBookmarkDoc doc;
};

} // namespace

TEST_F(DocumentFiles, OpenSetsTitlePathAndFirstGroup)
{
    WriteBytes(dir.Path("two.lkh"),
               std::string("\xFF\xFF\xFF\xFF\x01\x00\x00\x00\x05zebra\x05" "Alpha", 20));
    selection.currentGroup = "stale";
    ASSERT_TRUE(doc.OnOpenDocument(dir.Path("two.lkh")));
    EXPECT_EQ(doc.GetTitle(), "two.lkh");
    EXPECT_EQ(doc.GetPathName(), dir.Path("two.lkh"));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(selection.currentGroup, "Alpha");
    EXPECT_TRUE(prompt.shown.empty());

    // A store without groups leaves no stale name behind.
    WriteBytes(dir.Path("empty.lkh"), std::string(8, '\xFF'));
    ASSERT_TRUE(doc.OnOpenDocument(dir.Path("empty.lkh")));
    EXPECT_EQ(selection.currentGroup, "");
}

TEST_F(DocumentFiles, ZeroByteFileOpensAsEmptyStore)
{
    OpenKeptDocument();
    WriteBytes(dir.Path("zero.lkh"), "");
    ASSERT_TRUE(doc.OnOpenDocument(dir.Path("zero.lkh")));
    EXPECT_TRUE(doc.Groups().empty());
    EXPECT_EQ(doc.GetTitle(), "zero.lkh");
}

TEST_F(DocumentFiles, FileThatCannotBeOpenedLeavesTheDocumentAlone)
{
    OpenKeptDocument();
    doc.SetModifiedFlag(true);
    EXPECT_FALSE(doc.OnOpenDocument(dir.Path("missing.lkh")));
    EXPECT_EQ(prompt.shown.back(),
              "missing.lkh\nCannot find this file.\nPlease verify that the correct path and file name are given.");
    EXPECT_EQ(prompt.styles.back(), MessageStyle::ExclamationOk);
    EXPECT_EQ(doc.Groups(), std::vector<std::string>{"Kept"});
    EXPECT_EQ(doc.GetTitle(), "kept.lkh");
    EXPECT_TRUE(doc.IsModified());
}

// Where a replace is two renames, another Linkhive's save leaves no file by
// the name for a moment: the open waits for that save.
TEST_F(DocumentFiles, OpenWaitsForAnotherSaveOfTheFile)
{
    const std::string path = dir.Path("shared.lkh");
    std::promise<void> locked;
    std::thread saver([&] {
        const FileSaveLock lock(path);
        locked.set_value();
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        WriteBytes(path, kWorkedExample);
    });
    locked.get_future().wait();
    EXPECT_TRUE(doc.OnOpenDocument(path));
    saver.join();
    EXPECT_EQ(doc.Groups(), std::vector<std::string>{"New Group"});
}

TEST_F(DocumentFiles, ResetsForgetTheSelectionAndAnUnopenedFileKeepsIt)
{
    OpenKeptDocument();
    SelectKeptItem();
    EXPECT_FALSE(doc.OnOpenDocument(dir.Path("missing.lkh")));
    EXPECT_EQ(selection.currentGroup, "Kept");
    EXPECT_EQ(selection.itemName, "Item");
    EXPECT_EQ(selection.itemIndex, 0);

    // Old names would send a paste or an item command into the new document.
    doc.OnNewDocument();
    ExpectNoSelection();

    OpenKeptDocument();
    SelectKeptItem();
    WriteBytes(dir.Path("cut.lkh"), kWorkedExample.substr(0, 30));
    EXPECT_FALSE(doc.OnOpenDocument(dir.Path("cut.lkh")));
    ExpectNoSelection();

    // A successful open selects no bookmark of the file it replaced.
    OpenKeptDocument();
    SelectKeptItem();
    ASSERT_TRUE(doc.OnOpenDocument(dir.Path("kept.lkh")));
    EXPECT_EQ(selection.currentGroup, "Kept");
    EXPECT_EQ(selection.itemIndex, -1);
}

TEST_F(DocumentFiles, ReadFailingPartWayResetsToUntitled)
{
    OpenKeptDocument();
    WriteBytes(dir.Path("cut.lkh"), kWorkedExample.substr(0, 30));
    EXPECT_FALSE(doc.OnOpenDocument(dir.Path("cut.lkh")));
    EXPECT_EQ(prompt.shown.back(), "Unexpected file format.");
    EXPECT_TRUE(doc.Groups().empty());
    EXPECT_TRUE(doc.Items().empty());
    EXPECT_EQ(doc.GetTitle(), "Untitled");
    EXPECT_EQ(doc.GetPathName(), "");
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocumentFiles, SaveRoundTripsAndReplacesTheOldFile)
{
    AddNewBookmark();
    doc.SetModifiedFlag(true);
    WriteBytes(dir.Path("out.lkh"), std::string(1000, 'x'));

    ASSERT_TRUE(doc.OnSaveDocument(dir.Path("out.lkh")));
    EXPECT_EQ(ReadBytes(dir.Path("out.lkh")), kWorkedExample);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetTitle(), "out.lkh");
    // Nothing of the temporary file is left beside it.
    EXPECT_EQ(FilesIn(dir.Root()), std::vector<std::string>{"out.lkh"});
}

TEST_F(DocumentFiles, FailedSaveKeepsOldFileAndDocument)
{
    OpenKeptDocument();
    EditContent(doc, [&](StoreContent& content) { content.m_arrGroups.push_back("Added"); });
    doc.SetModifiedFlag(true);

    EXPECT_FALSE(doc.OnSaveDocument(dir.Path("no-such-folder/x.lkh")));
    EXPECT_EQ(prompt.shown.back(),
              "x.lkh\nCannot find this file.\nPlease verify that the correct path and file name are given.");
    EXPECT_EQ(doc.GetPathName(), dir.Path("kept.lkh"));
    EXPECT_TRUE(doc.IsModified());

#ifndef _WIN32
    // A read-only file is refused, as Windows refuses to replace it.
    const std::string readOnly = dir.Path("ro.lkh");
    WriteBytes(readOnly, "old");
    chmod(readOnly.c_str(), 0444);
    EXPECT_FALSE(doc.OnSaveDocument(readOnly));
    EXPECT_EQ(prompt.shown.back(), "Unable to write to ro.lkh, it is read-only or opened by someone else.");
    EXPECT_EQ(ReadBytes(readOnly), "old");

    // The replacing file takes over the old one's access rights.
    const std::string privateFile = dir.Path("private.lkh");
    WriteBytes(privateFile, "old");
    chmod(privateFile.c_str(), 0600);
    ASSERT_TRUE(doc.OnSaveDocument(privateFile));
    struct stat st;
    ASSERT_EQ(stat(privateFile.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
#endif
}

#ifndef _WIN32
TEST_F(DocumentFiles, SaveThroughALinkReplacesTheFileItNames)
{
    AddNewBookmark();
    ASSERT_EQ(::mkdir(dir.Path("real").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir(dir.Path("links").c_str(), 0755), 0);
    WriteBytes(dir.Path("real/a.lkh"), "old");
    // link path, what it points to; chains and relative targets resolve
    // against the folder of the link that holds them.
    const std::vector<std::pair<std::string, std::string>> links = {
        {"links/absolute.lkh", dir.Path("real/a.lkh")},
        {"links/relative.lkh", "../real/a.lkh"},
        {"links/chain.lkh", "relative.lkh"},
        {"links/dangling.lkh", "../real/new.lkh"},
    };
    for (const auto& [link, target] : links)
        ASSERT_EQ(::symlink(target.c_str(), dir.Path(link).c_str()), 0) << link;

    for (const auto& [link, target] : links) {
        WriteBytes(dir.Path("real/a.lkh"), "old");
        ASSERT_TRUE(doc.OnSaveDocument(dir.Path(link))) << link;
        struct stat st;
        ASSERT_EQ(::lstat(dir.Path(link).c_str(), &st), 0);
        EXPECT_TRUE(S_ISLNK(st.st_mode)) << link;
        const std::string written = link == "links/dangling.lkh" ? "real/new.lkh" : "real/a.lkh";
        EXPECT_EQ(ReadBytes(dir.Path(written)), kWorkedExample) << link;
    }
    // No temporary file is left in either folder.
    EXPECT_EQ(FilesIn(dir.Path("real")), (std::vector<std::string>{"a.lkh", "new.lkh"}));
    EXPECT_EQ(FilesIn(dir.Path("links")).size(), links.size());

    // A loop of links names no file; nothing is written.
    ASSERT_EQ(::symlink("loop2.lkh", dir.Path("links/loop1.lkh").c_str()), 0);
    ASSERT_EQ(::symlink("loop1.lkh", dir.Path("links/loop2.lkh").c_str()), 0);
    EXPECT_FALSE(doc.OnSaveDocument(dir.Path("links/loop1.lkh")));
    EXPECT_EQ(FilesIn(dir.Path("links")).size(), links.size() + 2);
}
#endif

TEST(RemoveIndices, DropsTheRemovedAndShiftsTheRestInTheirOrder)
{
    const struct {
        std::vector<size_t> indices;
        std::vector<size_t> removed;
        std::vector<size_t> left;
    } cases[] = {
        {{5, 0, 3, 1}, {1}, {4, 0, 2}},
        {{5, 0, 3, 1}, {0, 2, 3}, {2, 0}},
        {{2, 4}, {}, {2, 4}},
        {{}, {0, 1}, {}},
        {{7, 8}, {0, 1, 2}, {4, 5}},
    };
    for (auto c : cases) {
        RemoveIndices(c.indices, c.removed);
        EXPECT_EQ(c.indices, c.left);
    }
}
