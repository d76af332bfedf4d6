// Tests of the clipboard commands.
#include "exchange/ClipboardCommands.h"
#include "tests/support/DocContent.h"
#include "tests/support/DocumentFixture.h"

namespace {

class ClipboardCommandsTest : public DocumentFixture {
protected:
    ClipboardCommandsTest() : commands(doc)
    {
        SetGroups(doc, {"A", "B"});
        Add("One", "http://one/", "A", "first");
        Add("Two", "http://two/", "A");
        Add("Mail", "mailto:x@y", "A");
        Add("Three", "http://three/", "B");
    }

    void Select(const std::string& group, size_t index)
    {
        const BookmarkItem& item = doc.Items()[index];
        selection.currentGroup = group;
        selection.itemIndex = static_cast<int32_t>(index);
        selection.itemName = item.m_strName;
        selection.itemURL = item.m_strURL;
        selection.itemDescription = item.m_strDescription;
    }

    ClipboardCommands commands;
};

TEST(ItemText, SplitTakesAnyText)
{
    const std::vector<std::vector<std::string>> cases = {
        // text, name, URL, description
        {"Name\nhttp://a/\nNote", "Name", "http://a/", "Note"},
        {"Name\nhttp://a/\n", "Name", "http://a/", ""},
        {"Name\r\nhttp://a/\r\nNote", "Name\r", "http://a/\r", "Note"},
        {"http://a/", "", "", "http://a/"},
        {"Name\nhttp://a/", "Name", "", "http://a/"},
        {"Name\nhttp://a/\nline one\nline two", "Name", "http://a/", "line one\nline two"},
        {"", "", "", ""},
    };
    for (const auto& c : cases) {
        const ItemTextParts parts = SplitItemText(c[0]);
        EXPECT_EQ(c[1], parts.name) << c[0];
        EXPECT_EQ(c[2], parts.url) << c[0];
        EXPECT_EQ(c[3], parts.description) << c[0];
    }
}

TEST_F(ClipboardCommandsTest, CopyThenPasteElsewhereKeepsBoth)
{
    Select("A", 0);
    commands.OnEditCopy();
    EXPECT_EQ("One\nhttp://one/\nfirst", clipboard.text);
    selection.currentGroup = "B";
    ASSERT_TRUE(commands.CanPaste());
    commands.OnEditPaste();
    EXPECT_EQ("One|http://one/|A|first", Items()[0]);
    EXPECT_EQ("One|http://one/|B|first", Items().back());
    EXPECT_EQ(5u, doc.Items().size());
    EXPECT_EQ("", clipboard.text);
    EXPECT_FALSE(commands.CanPaste());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(0, groupPane.updates);
}

TEST_F(ClipboardCommandsTest, CutAndPasteMovesAndEndsTheCut)
{
    Select("A", 1);
    commands.OnEditCut();
    EXPECT_EQ("http://two/", marks.cutURL);
    EXPECT_EQ("A", marks.cutGroup);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(1, itemPane.updates);
    EXPECT_EQ(0, groupPane.updates);
    // Only the cut style changes.
    EXPECT_EQ(UpdateHint::Items, itemPane.last.kind);
    EXPECT_TRUE(itemPane.last.removed.empty() && itemPane.last.changed.empty() && itemPane.last.added == 0);

    selection.currentGroup = "B";
    commands.OnEditPaste();
    EXPECT_EQ(std::vector<size_t>{1}, itemPane.last.removed);
    EXPECT_EQ(1u, itemPane.last.added);
    EXPECT_EQ((std::vector<std::string>{"One|http://one/|A|first", "Mail|mailto:x@y|A|", "Three|http://three/|B|",
                                        "Two|http://two/|B|"}),
              Items());
    EXPECT_EQ("", marks.cutURL);
    EXPECT_EQ("", marks.cutGroup);
}

TEST_F(ClipboardCommandsTest, AFinishedMoveLeavesLaterPastesAlone)
{
    Select("A", 1);
    commands.OnEditCut();
    selection.currentGroup = "B";
    commands.OnEditPaste();
    // The moved bookmark is added back to A by hand; another one is copied
    // and pasted: the one in A stays.
    Add("Two", "http://two/", "A");
    Select("B", 2);
    commands.OnEditCopy();
    commands.OnEditPaste();
    EXPECT_EQ((std::vector<std::string>{"One|http://one/|A|first", "Mail|mailto:x@y|A|", "Three|http://three/|B|",
                                        "Two|http://two/|B|", "Two|http://two/|A|", "Three|http://three/|B|"}),
              Items());

    // A copy of the moved bookmark pasted into its old group is added.
    Select("B", 3);
    commands.OnEditCopy();
    selection.currentGroup = "A";
    commands.OnEditPaste();
    EXPECT_EQ(7u, doc.Items().size());
    EXPECT_EQ("Two|http://two/|A|", Items().back());
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(ClipboardCommandsTest, PasteBackIntoTheCutGroupOnlyClearsTheMarks)
{
    Select("A", 1);
    commands.OnEditCut();
    doc.SetModifiedFlag(false);
    const std::vector<std::string> before = Items();
    commands.OnEditPaste();
    EXPECT_EQ(before, Items());
    EXPECT_EQ("", marks.cutURL);
    EXPECT_EQ("", marks.cutGroup);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ("Two\nhttp://two/\n", clipboard.text);
    EXPECT_EQ(2, itemPane.updates);
}

TEST_F(ClipboardCommandsTest, OnlyTheCutBookmarkItselfMoves)
{
    // Cut Two, copy One, paste into B: One is added, Two stays and is still cut.
    Select("A", 1);
    commands.OnEditCut();
    Select("A", 0);
    commands.OnEditCopy();
    selection.currentGroup = "B";
    commands.OnEditPaste();
    EXPECT_EQ((std::vector<std::string>{"One|http://one/|A|first", "Two|http://two/|A|", "Mail|mailto:x@y|A|",
                                        "Three|http://three/|B|", "One|http://one/|B|first"}),
              Items());
    EXPECT_EQ("http://two/", marks.cutURL);
    EXPECT_EQ("A", marks.cutGroup);

    // Of two bookmarks with the cut address, the move removes the cut one only.
    Add("Two again", "http://two/", "A", "other");
    Select("A", 5);
    commands.OnEditCut();
    selection.currentGroup = "B";
    commands.OnEditPaste();
    EXPECT_EQ((std::vector<std::string>{"One|http://one/|A|first", "Two|http://two/|A|", "Mail|mailto:x@y|A|",
                                        "Three|http://three/|B|", "One|http://one/|B|first",
                                        "Two again|http://two/|B|other"}),
              Items());
    EXPECT_EQ("", marks.cutURL + marks.cutGroup + marks.cutName + marks.cutDescription);
    EXPECT_EQ(-1, selection.itemIndex);
}

TEST_F(ClipboardCommandsTest, PasteWithoutACutRemovesNothing)
{
    Add("Unnamed", "", "");
    clipboard.text = "Other\nhttp://other/\n";
    selection.currentGroup = "B";
    commands.OnEditPaste();
    EXPECT_EQ(6u, doc.Items().size());
    EXPECT_EQ("Unnamed|||", Items()[4]);
    EXPECT_EQ("Other|http://other/|B|", Items()[5]);
}

TEST_F(ClipboardCommandsTest, PasteWithNoGroupMakesOne)
{
    Select("A", 0);
    doc.OnNewDocument();
    clipboard.text = "Other\nhttp://other/\n";
    ASSERT_TRUE(commands.CanPaste());
    const int groupPaneUpdates = groupPane.updates;
    commands.OnEditPaste();
    EXPECT_EQ(std::vector<std::string>{"New Group"}, doc.Groups());
    EXPECT_EQ("New Group", selection.currentGroup);
    EXPECT_EQ(std::vector<std::string>{"Other|http://other/|New Group|"}, Items());
    EXPECT_EQ(groupPaneUpdates + 1, groupPane.updates);

    // A paste that is refused makes no group.
    doc.OnNewDocument();
    clipboard.text = "Other\ngopher://x/\n";
    commands.OnEditPaste();
    EXPECT_TRUE(doc.Groups().empty());
    EXPECT_TRUE(doc.Items().empty());
}

TEST_F(ClipboardCommandsTest, PasteRefusesTextWithoutABookmarkAddress)
{
    for (const char* text : {"http://copied.address/", "Name\ngopher://a/\n", "Name\nhttp:/a\n", ""}) {
        clipboard.text = text;
        selection.currentGroup = "B";
        prompt.shown.clear();
        commands.OnEditPaste();
        EXPECT_EQ(std::vector<std::string>{"Wrong clipboard format. Cannot paste."}, prompt.shown) << text;
        EXPECT_EQ(MessageStyle::StopOk, prompt.styles.back());
        EXPECT_EQ(4u, doc.Items().size());
        EXPECT_EQ(text, clipboard.text);
    }
}

TEST_F(ClipboardCommandsTest, PasteEnableRule)
{
    const std::vector<std::pair<std::string, bool>> texts = {
        {"Name\nhttp://a/\n", true},    {"http://copied/", true},       {"Name\nHTTP://a/\n", true},
        {"Name\nhttps://a/\n", true},   {"Name\nmailto:x@y\n", true},  {"Name\nFtp://a/\n", true},
        {"Name\nfile:///c:/a\n", true}, {"Name\nnews:comp.lang\n", true}, {"Name\ngopher://a/\n", false},
        {"Name\nhttps:/a\n", false},    {"", false},
    };
    for (const auto& [text, enabled] : texts) {
        clipboard.text = text;
        EXPECT_EQ(enabled, commands.CanPaste()) << text;
    }
    clipboard.text = "Name\nhttp://a/\n";
    marks.undoURL = "http://a/";
    EXPECT_TRUE(commands.CanPaste());
    marks.undoGroup = "A";
    EXPECT_FALSE(commands.CanPaste());
    Select("A", 2);
    commands.OnEditCopyUrl();
    EXPECT_EQ("mailto:x@y", clipboard.text);
    EXPECT_TRUE(marks.undoURL.empty() && marks.undoGroup.empty());
}

TEST_F(ClipboardCommandsTest, UndoPutsTheDeletedBookmarkBackIntoItsGroup)
{
    Select("A", 0);
    prompt.answers = {MessageAnswer::Ok};
    ASSERT_TRUE(doc.DeleteItem());
    EXPECT_TRUE(commands.CanUndo());
    EXPECT_FALSE(commands.CanPaste());
    selection.currentGroup = "B";
    commands.OnEditUndo();
    EXPECT_EQ("One|http://one/|A|first", Items().back());
    EXPECT_EQ(4u, doc.Items().size());
    EXPECT_FALSE(commands.CanUndo());
    EXPECT_EQ("", clipboard.text);

    // Its group deleted in between: the group comes back with it.
    Select("A", doc.Items().size() - 1);
    prompt.answers = {MessageAnswer::Ok, MessageAnswer::Ok};
    ASSERT_TRUE(doc.DeleteItem());
    ASSERT_TRUE(doc.DeleteGroup());
    commands.OnEditUndo();
    EXPECT_EQ(doc.Groups().back(), "A");
    EXPECT_EQ("One|http://one/|A|first", Items().back());
}

TEST_F(ClipboardCommandsTest, UndoTakesEveryBookmarkAddressAndRefusesOtherText)
{
    // A deleted mail bookmark comes back; so does an https one.
    Add("Secure", "HTTPS://s/", "B");
    for (const size_t index : {2u, 3u}) {
        Select(index == 2 ? "A" : "B", index);
        const std::string deleted = Items()[index];
        prompt.answers = {MessageAnswer::Ok};
        ASSERT_TRUE(doc.DeleteItem());
        EXPECT_EQ(-1, selection.itemIndex);
        commands.OnEditUndo();
        EXPECT_EQ(deleted, Items().back());
        EXPECT_FALSE(commands.CanUndo());
    }
    EXPECT_EQ(2u, prompt.shown.size());

    Select("A", 0);
    prompt.answers = {MessageAnswer::Ok};
    ASSERT_TRUE(doc.DeleteItem());
    clipboard.text = "Name\ngopher://a/\n";
    commands.OnEditUndo();
    EXPECT_EQ("Cannot undo!", prompt.shown.back());
    EXPECT_EQ(MessageStyle::StopOk, prompt.styles.back());
    EXPECT_EQ(4u, doc.Items().size());
    EXPECT_TRUE(commands.CanUndo());
}

} // namespace
