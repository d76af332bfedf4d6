#include "store/CBookmarkDoc.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

const std::string kWorkedExample(
    "\x00\x00\x00\x00\x00\x00\x00\x00\x09New Group\x07New URL\x07http://\x09New Group\x00", 45);

class DocumentFiles : public ::testing::Test {
protected:
    DocumentFiles() : doc(selection, marks, prompt, clipboard) {}

    // A titled, unmodified document with one group "Kept".
    void OpenKeptDocument()
    {
        doc.m_arrGroups = {"Kept"};
        ASSERT_TRUE(doc.OnSaveDocument(dir.Path("kept.lkh")));
        ASSERT_TRUE(doc.OnOpenDocument(dir.Path("kept.lkh")));
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
    EXPECT_TRUE(doc.m_arrGroups.empty());
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
    EXPECT_EQ(doc.m_arrGroups, std::vector<std::string>{"Kept"});
    EXPECT_EQ(doc.GetTitle(), "kept.lkh");
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(DocumentFiles, ReadFailingPartWayResetsToUntitled)
{
    OpenKeptDocument();
    WriteBytes(dir.Path("cut.lkh"), kWorkedExample.substr(0, 30));
    EXPECT_FALSE(doc.OnOpenDocument(dir.Path("cut.lkh")));
    EXPECT_EQ(prompt.shown.back(), "Unexpected file format.");
    EXPECT_TRUE(doc.m_arrGroups.empty());
    EXPECT_TRUE(doc.m_arrItems.empty());
    EXPECT_EQ(doc.GetTitle(), "Untitled");
    EXPECT_EQ(doc.GetPathName(), "");
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocumentFiles, SaveRoundTripsAndReplacesTheOldFile)
{
    doc.m_arrGroups = {"New Group"};
    BookmarkItem item;
    item.m_strName = "New URL";
    item.m_strURL = "http://";
    item.m_strGroup = "New Group";
    doc.AddItem(item);
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
    doc.m_arrGroups.push_back("Added");
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
