// Tests of the bookmark document.
#include "tests/support/DocumentFixture.h"
#include "tests/support/DocContent.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class StoreTest : public DocumentFixture {
protected:
    std::vector<std::string> ItemNames() const
    {
        std::vector<std::string> names;
        for (const BookmarkItem& item : doc.Items())
            names.push_back(item.m_strName);
        return names;
    }

    void Select(size_t index)
    {
        const BookmarkItem& item = doc.Items()[index];
        selection.itemIndex = static_cast<int32_t>(index);
        selection.itemName = item.m_strName;
        selection.itemURL = item.m_strURL;
        selection.itemDescription = item.m_strDescription;
    }
};

} // namespace

TEST(MakeUniqueName, OnePassInListOrder)
{
    EXPECT_EQ(MakeUniqueName("New Group", {}), "New Group");
    EXPECT_EQ(MakeUniqueName("New Group", {"New Group", "New Group *"}), "New Group * *");
    // The other order: the pass is over before the second entry could match again.
    EXPECT_EQ(MakeUniqueName("New Group", {"New Group *", "New Group"}), "New Group *");
    EXPECT_EQ(MakeUniqueName("new GROUP", {"New Group"}), "new GROUP *");
}

TEST_F(StoreTest, AddGroupThreeTimesAppendsStars)
{
    EXPECT_EQ(doc.AddGroup(), "New Group");
    EXPECT_EQ(doc.AddGroup(), "New Group *");
    EXPECT_EQ(doc.AddGroup(), "New Group * *");
    EXPECT_EQ(selection.currentGroup, "New Group * *");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(groupPane.updates, 3);
    EXPECT_EQ(itemPane.updates, 3);
}

TEST_F(StoreTest, RenameGroupCarriesItemsAlongAndCountsItself)
{
    SetGroups(doc, {"News", "Tools"});
    AppendItem(doc, MakeItem("a", "http://a", "news"));
    AppendItem(doc, MakeItem("b", "http://b", "Tools"));
    selection.currentGroup = "News";

    doc.RenameGroup("Daily");
    EXPECT_EQ(doc.Groups(), (std::vector<std::string>{"Daily", "Tools"}));
    EXPECT_EQ(doc.Items()[0].m_strGroup, "Daily");  // matched "news" without regard to case
    EXPECT_EQ(doc.Items()[1].m_strGroup, "Tools");
    EXPECT_EQ(selection.currentGroup, "Daily");
    EXPECT_EQ(itemPane.updates, 0);  // the item pane sent the change
    EXPECT_EQ(groupPane.updates, 1);

    // Confirming the name with only its case changed still finds itself.
    doc.RenameGroup("DAILY");
    EXPECT_EQ(doc.Groups()[0], "DAILY *");
    EXPECT_EQ(doc.Items()[0].m_strGroup, "DAILY *");
}

TEST_F(StoreTest, DeleteGroupAsksAndRemovesAllItemsOfAnyCase)
{
    SetGroups(doc, {"A", "B", "a"});
    AppendItem(doc, MakeItem("1", "http://1", "A"));
    AppendItem(doc, MakeItem("2", "http://2", "a"));
    AppendItem(doc, MakeItem("3", "http://3", "B"));
    AppendItem(doc, MakeItem("4", "http://4", "A"));
    AppendItem(doc, MakeItem("5", "http://5", "B"));
    selection.currentGroup = "a";

    prompt.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(doc.DeleteGroup());
    EXPECT_EQ(doc.Items().size(), 5u);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(prompt.shown.back(), "The group: 'a' will be deteled. All right?");
    EXPECT_EQ(prompt.styles.back(), MessageStyle::QuestionOkCancel);

    EXPECT_TRUE(doc.DeleteGroup());
    EXPECT_EQ(doc.Groups(), std::vector<std::string>{"B"});
    EXPECT_EQ(ItemNames(), (std::vector<std::string>{"3", "5"}));
    EXPECT_EQ(selection.currentGroup, "a");
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(StoreTest, DeleteItemRemovesOnlyTheSelectedOfEqualNames)
{
    SetGroups(doc, {"G", "H"});
    AppendItem(doc, MakeItem("Same", "http://one", "G", "first"));
    AppendItem(doc, MakeItem("Same", "http://two", "G"));
    AppendItem(doc, MakeItem("Same", "http://three", "H"));
    selection.currentGroup = "G";
    Select(1);

    prompt.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(doc.DeleteItem());
    EXPECT_EQ(doc.Items().size(), 3u);
    EXPECT_TRUE(clipboard.text.empty());
    EXPECT_TRUE(marks.undoURL.empty());

    EXPECT_TRUE(doc.DeleteItem());
    EXPECT_EQ(prompt.shown.back(), "The item: 'Same' will be deteled. All right?");
    ASSERT_EQ(doc.Items().size(), 2u);
    EXPECT_EQ(doc.Items()[0].m_strURL, "http://one");
    EXPECT_EQ(doc.Items()[1].m_strURL, "http://three");
    EXPECT_EQ(clipboard.text, "Same\nhttp://two\n");
    EXPECT_EQ(marks.undoURL, "http://two");
    EXPECT_EQ(marks.undoGroup, "G");
    EXPECT_EQ(groupPane.updates, 0);
    EXPECT_EQ(itemPane.updates, 1);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(StoreTest, ItemCommandsIgnoreAnIndexThatNamesNoItem)
{
    AppendItem(doc, MakeItem("Only", "http://only", "G"));
    selection.currentGroup = "G";
    selection.itemName = "Ghost";
    selection.itemURL = "http://ghost";
    for (int32_t index : {5, 1, -1}) {
        selection.itemIndex = index;
        // Nothing is asked, put on the clipboard, marked for undo or modified.
        EXPECT_FALSE(doc.DeleteItem()) << index;
        EXPECT_TRUE(prompt.shown.empty()) << index;
        EXPECT_TRUE(clipboard.text.empty()) << index;
        EXPECT_TRUE(marks.undoURL.empty() && marks.undoGroup.empty()) << index;
        EXPECT_FALSE(doc.IsModified()) << index;
        EXPECT_EQ(groupPane.updates + itemPane.updates, 0) << index;
    }
    doc.RenameItem("Renamed");
    ASSERT_EQ(doc.Items().size(), 1u);
    EXPECT_EQ(doc.Items()[0].m_strName, "Only");
}

TEST_F(StoreTest, RenameItemTakesAnyText)
{
    AppendItem(doc, MakeItem("Same", "http://one", "G"));
    AppendItem(doc, MakeItem("Same", "http://two", "G"));
    Select(0);
    doc.RenameItem("");
    EXPECT_EQ(ItemNames(), (std::vector<std::string>{"", "Same"}));
    EXPECT_EQ(groupPane.updates, 0);
    EXPECT_EQ(itemPane.updates, 1);
}

TEST_F(StoreTest, UrlLookupsAndGroupListing)
{
    AppendItem(doc, MakeItem("a", "http://Example.org/", "G"));
    AppendItem(doc, MakeItem("b", "http://example.ORG/", "g"));
    AppendItem(doc, MakeItem("c", "http://example.org/", "H"));
    AppendItem(doc, MakeItem("d", "http://other/", "G"));

    EXPECT_TRUE(doc.FindURL("HTTP://EXAMPLE.ORG/"));
    EXPECT_FALSE(doc.FindURL("http://example.org"));
    EXPECT_EQ(doc.ItemsOfGroup("G"), (std::vector<size_t>{0, 1, 3}));
    EXPECT_TRUE(doc.ItemsOfGroup("none").empty());

    doc.RemoveItemsByURL("http://EXAMPLE.org/", "G");
    EXPECT_EQ(ItemNames(), (std::vector<std::string>{"c", "d"}));
}

TEST_F(StoreTest, FirstGroupFollowsThePaneOrder)
{
    EXPECT_EQ(doc.FirstGroupInPaneOrder(), "");
    SetGroups(doc, {"beta", "Alpha", "alpha", "_x"});
    EXPECT_EQ(doc.FirstGroupInPaneOrder(), "_x");
    SetGroups(doc, {"beta", "Alpha", "alpha"});
    EXPECT_EQ(doc.FirstGroupInPaneOrder(), "Alpha");  // equal names keep store order
}

TEST_F(StoreTest, DeleteItemsRemovesEachNamedIndexOnceInOneCommit)
{
    const size_t past = 99;
    const struct {
        std::vector<size_t> indices;
        std::vector<std::string> left;
    } cases[] = {
        {{4, 0, 2}, {"b", "d"}},
        {{1, past, 3, 1, 1}, {"a", "c", "e"}},  // repeats count once, past the end not at all
        {{0, 1, 2, 3, 4}, {}},
        {{}, {"a", "b", "c", "d", "e"}},
        {{past, 5, static_cast<size_t>(-1)}, {"a", "b", "c", "d", "e"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.indices));
        doc.Clear();
        for (const char* name : {"a", "b", "c", "d", "e"})
            Add(name, std::string("http://") + name, name[0] < 'c' ? "G" : "H");
        selection.currentGroup = "G";
        Select(1);
        doc.SetModifiedFlag(false);
        groupPane.updates = itemPane.updates = 0;

        const size_t removed = doc.DeleteItems(c.indices);
        const bool changed = removed > 0;
        EXPECT_EQ(5 - c.left.size(), removed);
        EXPECT_EQ(c.left, ItemNames());
        EXPECT_EQ(changed, doc.IsModified());
        EXPECT_EQ(changed ? 1 : 0, groupPane.updates);
        EXPECT_EQ(changed ? 1 : 0, itemPane.updates);
        EXPECT_EQ(changed ? -1 : 1, selection.itemIndex);
        EXPECT_EQ(changed ? "" : "b", selection.itemName);
        EXPECT_EQ(changed ? "" : "http://b", selection.itemURL);
        EXPECT_EQ("G", selection.currentGroup);
        EXPECT_TRUE(prompt.shown.empty());
    }
}

TEST_F(StoreTest, MoveItemsMakesTheGroupOnlyWhenSomethingMoves)
{
    const size_t past = 99;
    const struct {
        std::vector<std::string> groups;
        std::vector<size_t> indices;
        std::string stored;
        std::vector<std::string> groupsAfter;
        std::vector<std::string> itemGroups;
    } cases[] = {
        {{"G", "H"}, {2, 0, past}, "Dead", {"G", "H", "Dead"}, {"Dead", "G", "Dead"}},
        {{"G", "dead"}, {1}, "dead", {"G", "dead"}, {"G", "dead", "H"}},  // the stored name's case wins
        {{"G", "H"}, {past}, "Dead", {"G", "H"}, {"G", "G", "H"}},
        {{"G", "Dead"}, {}, "Dead", {"G", "Dead"}, {"G", "G", "H"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored + " " + testing::PrintToString(c.indices));
        doc.Clear();
        SetGroups(doc, c.groups);
        Add("a", "http://a", "G");
        Add("b", "http://b", "G");
        Add("c", "http://c", "H");
        Select(0);
        doc.SetModifiedFlag(false);
        itemPane.updates = 0;

        EXPECT_EQ(c.stored, doc.MoveItems(c.indices, "Dead"));
        std::vector<std::string> groups;
        for (const BookmarkItem& item : doc.Items())
            groups.push_back(item.m_strGroup);
        const bool moved = groups != std::vector<std::string>{"G", "G", "H"};
        EXPECT_EQ(c.itemGroups, groups);
        EXPECT_EQ(c.groupsAfter, doc.Groups());
        EXPECT_EQ(moved, doc.IsModified());
        EXPECT_EQ(moved ? 1 : 0, itemPane.updates);
        EXPECT_EQ(moved ? -1 : 0, selection.itemIndex);
    }
}

TEST_F(StoreTest, FindItemByItsTextsAndChangeUrlsInOneCommit)
{
    Add("a", "http://a", "G");
    Add("a", "http://a", "G");
    Add("b", "http://b", "H");
    const size_t none = std::string::npos;
    const struct {
        const char* group;
        const char* name;
        const char* url;
        size_t hint;
        size_t found;
    } cases[] = {
        {"G", "a", "http://a", 1, 1},   {"G", "a", "http://a", 2, 0},  {"g", "a", "http://a", 99, 0},
        {"h", "b", "http://b", 0, 2},   {"G", "A", "http://a", 0, none}, {"G", "a", "http://A", 0, none},
        {"H", "a", "http://a", 0, none},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.found, doc.FindItem(c.group, c.name, c.url, c.hint)) << c.group << c.name << c.url << c.hint;

    Select(2);
    doc.SetModifiedFlag(false);
    doc.ChangeURLs({{99, "http://lost"}});
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(2, selection.itemIndex);
    doc.ChangeURLs({{2, "http://new-b"}, {0, "http://new-a"}, {99, "http://lost"}});
    EXPECT_EQ((std::vector<std::string>{"a|http://new-a|G|", "a|http://a|G|", "b|http://new-b|H|"}), Items());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(1, itemPane.updates);
    EXPECT_EQ(-1, selection.itemIndex);
}

TEST_F(StoreTest, ChangesOfSingleBookmarksNameThemToTheViews)
{
    const struct {
        const char* what;
        std::function<void(CBookmarkDoc&)> change;
        UpdateHint::Kind kind;
        std::vector<size_t> removed;
        std::vector<size_t> changed;
        size_t added;
    } cases[] = {
        {"rename", [](CBookmarkDoc& d) { d.RenameItem("new"); }, UpdateHint::Items, {}, {1}, 0},
        {"delete", [](CBookmarkDoc& d) { d.DeleteItem(); }, UpdateHint::Items, {1}, {}, 0},
        {"delete many", [](CBookmarkDoc& d) { d.DeleteItems({3, 0, 3}); }, UpdateHint::Items, {0, 3}, {}, 0},
        {"add group", [](CBookmarkDoc& d) { d.AddGroup(); }, UpdateHint::Everything, {}, {}, 0},
    };
    for (const auto& c : cases) {
        doc.Clear();
        for (const char* name : {"a", "b", "c", "d"})
            Add(name, std::string("http://") + name, "G");
        Select(1);
        itemPane.updates = 0;
        c.change(doc);
        EXPECT_EQ(itemPane.updates, 1) << c.what;
        EXPECT_EQ(itemPane.last.kind, c.kind) << c.what;
        EXPECT_EQ(itemPane.last.removed, c.removed) << c.what;
        EXPECT_EQ(itemPane.last.changed, c.changed) << c.what;
        EXPECT_EQ(itemPane.last.added, c.added) << c.what;
    }
}
