// Tests of the browser bookmark file export.
#include "exchange/NetscapeExport.h"
#include "tests/support/DocContent.h"
#include "tests/support/DocumentFixture.h"

#include <filesystem>

namespace {

const char kHead[] = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\r\n"
                     "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\r\n"
                     "<TITLE>Bookmarks</TITLE>\r\n"
                     "<H1>Bookmarks</H1>\r\n"
                     "<DL><p>\r\n";

TEST(NetscapeExportTest, ByteForByte)
{
    EXPECT_EQ(std::string(kHead) + "</DL><p>\r\n", NetscapeBookmarkFile(StoreContent()));

    // Every escape, an empty group, two groups differing in letter case,
    // bookmarks of groups in no entry (one spelled two ways), descriptions,
    // texts of the code page beyond ASCII and blanks at the ends.
    StoreContent content;
    content.m_arrGroups = {"Work", "b&<>\"", "Empty", "work"};
    content.m_arrItems = {
        MakeItem("One & <Two>", "http://one/?a=1&b=\"2\"", "WORK"),
        MakeItem("Mail", "mailto:x@y", "Gone", "note <1> & \"2\""),
        MakeItem("Three", "http://three/", "b&<>\"", ""),
        MakeItem("Four", "http://four/", "gone", "line\none"),
        MakeItem(" Caf\u00e9 \u20ac\u0081\t", "http://five/", "Other", "\r\n"),
    };
    EXPECT_EQ(std::string(kHead) +
                  // the group pane's order: "b&<>\"" < "Empty" < "Work" = "work" (store order)
                  "    <DT><H3>b&amp;&lt;&gt;&quot;</H3>\r\n"
                  "    <DL><p>\r\n"
                  "        <DT><A HREF=\"http://three/\">Three</A>\r\n"
                  "    </DL><p>\r\n"
                  "    <DT><H3>Empty</H3>\r\n"
                  "    <DL><p>\r\n"
                  "    </DL><p>\r\n"
                  "    <DT><H3>Work</H3>\r\n"
                  "    <DL><p>\r\n"
                  "        <DT><A HREF=\"http://one/?a=1&amp;b=&quot;2&quot;\">One &amp; &lt;Two&gt;</A>\r\n"
                  "    </DL><p>\r\n"
                  "    <DT><H3>work</H3>\r\n"
                  "    <DL><p>\r\n"
                  "        <DT><A HREF=\"http://one/?a=1&amp;b=&quot;2&quot;\">One &amp; &lt;Two&gt;</A>\r\n"
                  "    </DL><p>\r\n"
                  // groups in no entry, by first appearance, as first spelled
                  "    <DT><H3>Gone</H3>\r\n"
                  "    <DL><p>\r\n"
                  "        <DT><A HREF=\"mailto:x@y\">Mail</A>\r\n"
                  "        <DD>note &lt;1&gt; &amp; &quot;2&quot;\r\n"
                  "        <DT><A HREF=\"http://four/\">Four</A>\r\n"
                  "        <DD>line\none\r\n"
                  "    </DL><p>\r\n"
                  "    <DT><H3>Other</H3>\r\n"
                  "    <DL><p>\r\n"
                  "        <DT><A HREF=\"http://five/\">&#32;Caf\xC3\xA9 \xE2\x82\xAC\xC2\x81&#9;</A>\r\n"
                  "        <DD>&#13;&#10;\r\n"
                  "    </DL><p>\r\n"
                  "</DL><p>\r\n",
              NetscapeBookmarkFile(content));
}

// Groups named by a path are folders in folders, in the group pane's order:
// a folder holds its own group's bookmarks, then the groups within it, and
// is written again where a group outside it came between.
TEST(NetscapeExportTest, NestsGroupsAsFolders)
{
    StoreContent content;
    content.m_arrGroups = {"Bar / Work", "Bar", "Bar / Work / Tools", "Bar / Fun", "Other", "Bar /  / x"};
    content.m_arrItems = {
        MakeItem("tools", "http://tools/", "Bar / Work / Tools"), MakeItem("late", "http://late/", "Bar / Late"),
        MakeItem("bar", "http://bar/", "Bar"),  MakeItem("x", "http://x/", "Bar /  / x"),
        MakeItem("work", "http://work/", "Bar / Work"), MakeItem("other", "http://other/", "Other"),
    };
    EXPECT_EQ(std::string(kHead) +
                  "    <DT><H3>Bar</H3>\r\n"
                  "    <DL><p>\r\n"
                  "        <DT><A HREF=\"http://bar/\">bar</A>\r\n"
                  "        <DT><H3></H3>\r\n"
                  "        <DL><p>\r\n"
                  "            <DT><H3>x</H3>\r\n"
                  "            <DL><p>\r\n"
                  "                <DT><A HREF=\"http://x/\">x</A>\r\n"
                  "            </DL><p>\r\n"
                  "        </DL><p>\r\n"
                  "        <DT><H3>Fun</H3>\r\n"
                  "        <DL><p>\r\n"
                  "        </DL><p>\r\n"
                  "        <DT><H3>Work</H3>\r\n"
                  "        <DL><p>\r\n"
                  "            <DT><A HREF=\"http://work/\">work</A>\r\n"
                  "            <DT><H3>Tools</H3>\r\n"
                  "            <DL><p>\r\n"
                  "                <DT><A HREF=\"http://tools/\">tools</A>\r\n"
                  "            </DL><p>\r\n"
                  "        </DL><p>\r\n"
                  "    </DL><p>\r\n"
                  "    <DT><H3>Other</H3>\r\n"
                  "    <DL><p>\r\n"
                  "        <DT><A HREF=\"http://other/\">other</A>\r\n"
                  "    </DL><p>\r\n"
                  "    <DT><H3>Bar</H3>\r\n"
                  "    <DL><p>\r\n"
                  "        <DT><H3>Late</H3>\r\n"
                  "        <DL><p>\r\n"
                  "            <DT><A HREF=\"http://late/\">late</A>\r\n"
                  "        </DL><p>\r\n"
                  "    </DL><p>\r\n"
                  "</DL><p>\r\n",
              NetscapeBookmarkFile(content));
}

using NetscapeSaveTest = DocumentFixture;

TEST_F(NetscapeSaveTest, SavesThroughTheSafeWrite)
{
    SetGroups(doc, {"A"});
    Add("One", "http://one/", "A", "first");
    ASSERT_TRUE(SaveNetscapeFile(doc, dir.Path("marks")));
    EXPECT_EQ(NetscapeBookmarkFile(doc.Content()), ReadBytes(dir.Path("marks")));  // the name as given

    const std::string locked = WriteFile("locked.html", "old file");
    std::filesystem::permissions(locked, std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                             std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_FALSE(SaveNetscapeFile(doc, locked));
    EXPECT_EQ("old file", ReadBytes(locked));
    EXPECT_EQ((std::vector<std::string>{"Access to " + locked + " was denied."}), prompt.shown);
    EXPECT_EQ(MessageStyle::StopOk, prompt.styles[0]);
    EXPECT_EQ((std::vector<std::string>{"locked.html", "marks"}), FilesIn(dir.Root()));
}

} // namespace
