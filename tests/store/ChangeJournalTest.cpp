#include "store/ChangeJournal.h"
#include "tests/support/DocumentFixture.h"

#include <functional>
#include <random>

namespace {

// Few letters, in both cases: groups and URLs then often equal with letter
// case ignored, and the operations' matching is exercised.
std::string Text(std::mt19937& random)
{
    static const char* const kTexts[] = {"a", "A", "b", "ab", "AB", "", "http://x/", "HTTP://X/", "mailto:m"};
    return kTexts[std::uniform_int_distribution<size_t>(0, std::size(kTexts) - 1)(random)];
}

size_t Pick(std::mt19937& random, size_t count)
{
    // One past the end now and then: the operations skip such indices.
    return std::uniform_int_distribution<size_t>(0, count)(random);
}

std::vector<size_t> Picks(std::mt19937& random, size_t count)
{
    std::vector<size_t> indices(std::uniform_int_distribution<size_t>(0, 4)(random));
    for (size_t& index : indices)
        index = Pick(random, count);
    return indices;
}

class ChangeJournalTest : public DocumentFixture {
protected:
    BookmarkItem RandomItem()
    {
        return MakeItem(Text(random), Text(random), Text(random), Text(random));
    }

    void RandomCollection()
    {
        StoreContent content;
        for (size_t n = std::uniform_int_distribution<size_t>(0, 4)(random); n > 0; --n)
            content.m_arrGroups.push_back(Text(random));
        for (size_t n = std::uniform_int_distribution<size_t>(0, 12)(random); n > 0; --n)
            content.m_arrItems.push_back(RandomItem());
        doc.LoadContent(std::move(content));
    }

    void SelectRandomly()
    {
        const auto& groups = doc.Groups();
        selection.currentGroup = groups.empty() ? Text(random) : groups[Pick(random, groups.size() - 1)];
        const size_t index = Pick(random, doc.Items().size());
        selection.itemIndex = index < doc.Items().size() ? static_cast<int32_t>(index) : -1;
    }

    std::mt19937 random;
};

} // namespace

TEST_F(ChangeJournalTest, TakingBackEveryRecordGivesBackTheSavedBytes)
{
    using Operation = std::function<void()>;
    const std::vector<Operation> operations = {
        [&] { doc.AddGroup(); },
        [&] { doc.RenameGroup(Text(random)); },
        [&] { doc.DeleteGroup(); },
        [&] { doc.DeleteItem(); },
        [&] { doc.RenameItem(Text(random)); },
        [&] { doc.DeleteItems(Picks(random, doc.Items().size())); },
        [&] { doc.MoveItems(Picks(random, doc.Items().size()), Text(random)); },
        [&] {
            std::vector<std::pair<size_t, std::string>> changes;
            for (const size_t index : Picks(random, doc.Items().size()))
                changes.emplace_back(index, Text(random));
            doc.ChangeURLs(changes);
        },
        [&] { doc.ChangeItem(Pick(random, doc.Items().size()), RandomItem()); },
        [&] {
            std::vector<BookmarkItem> added(Pick(random, 3));
            for (BookmarkItem& item : added)
                item = RandomItem();
            std::vector<std::string> groups(Pick(random, 1), Text(random));
            doc.AddItems(std::move(added), std::move(groups));
        },
        [&] {
            // Like a stored bookmark (a cut pasted) or like none.
            BookmarkItem like = doc.Items().empty() ? RandomItem() : doc.Items()[Pick(random, doc.Items().size() - 1)];
            doc.AddItemMoving(RandomItem(), &like);
        },
        [&] { doc.RemoveItemsByURL(Text(random), Text(random)); },
    };

    for (unsigned seed = 1; seed <= 300; ++seed) {
        random.seed(seed);
        RandomCollection();
        const std::string original = EncodeDataFile(doc.Content());
        const size_t steps = std::uniform_int_distribution<size_t>(1, 25)(random);
        for (size_t step = 0; step < steps; ++step) {
            SelectRandomly();
            operations[Pick(random, operations.size() - 1)]();
        }
        const std::string changed = EncodeDataFile(doc.Content());
        const size_t records = doc.Journal().DoneCount();
        ASSERT_LE(records, steps) << seed;

        size_t undone = 0;
        while (doc.UndoLast())
            ++undone;
        EXPECT_EQ(undone, records) << seed;
        ASSERT_EQ(EncodeDataFile(doc.Content()), original) << seed;
        while (doc.RedoLast()) {
        }
        ASSERT_EQ(EncodeDataFile(doc.Content()), changed) << seed;
        EXPECT_EQ(doc.Journal().DoneCount(), records) << seed;
    }
}

TEST(ChangeJournal, KeepsTheNewestRecordsWithinItsBounds)
{
    const auto addOne = [](const std::string& url) {
        ChangeRecord record;
        record.kind = ChangeRecord::RemoveItems;
        record.items.removed.emplace_back(0, MakeItem("n", url, "g"));
        return record;
    };
    ChangeJournal byCount(3, 1u << 20);
    for (const char* url : {"1", "2", "3", "4", "5"})
        byCount.Push(addOne(url));
    EXPECT_EQ(byCount.DoneCount(), 3u);
    EXPECT_EQ(byCount.NewestDone()->items.removed[0].second.m_strURL, "5");

    ChangeJournal byBytes(100, 3 * addOne(std::string(1000, 'u')).Bytes());
    for (int n = 0; n < 5; ++n)
        byBytes.Push(addOne(std::string(1000, 'u')));
    EXPECT_EQ(byBytes.DoneCount(), 3u);
    EXPECT_EQ(byBytes.Bytes(), 3 * addOne(std::string(1000, 'u')).Bytes());
    // One record past the bound alone is still kept: the newest can always be taken back.
    byBytes.Push(addOne(std::string(100000, 'u')));
    EXPECT_EQ(byBytes.DoneCount(), 1u);
}

// Every kind of change names itself in the history; taking back several at
// once is one update of the views, and can be done again.
TEST_F(ChangeJournalTest, HistoryNamesEveryChange)
{
    const auto start = [&] {
        StoreContent content;
        content.m_arrGroups = {"Dev", "News"};
        content.m_arrItems = {MakeItem("Example Domain", "http://example.com/", "Dev"),
                              MakeItem("Two", "http://two/", "dev"), MakeItem("Three", "http://three/", "News")};
        doc.LoadContent(std::move(content));
        selection.currentGroup = "Dev";
        selection.itemIndex = 0;
    };
    std::vector<BookmarkItem> many(1204);
    for (size_t i = 0; i < many.size(); ++i)
        many[i] = MakeItem("n", "http://i/" + std::to_string(i), "Imported " + std::to_string(i % 9));
    const struct {
        std::function<void()> change;
        const char* what;
    } cases[] = {
        {[&] { doc.DeleteItems({0, 1, 2}); }, "Deleted 3 bookmarks from 2 groups"},
        {[&] { doc.DeleteItems({0, 1}); }, "Deleted 2 bookmarks from Dev"},
        {[&] { doc.DeleteItem(); }, "Deleted Example Domain from Dev"},
        {[&] { doc.AddItems(many, {}, nullptr, nullptr, true); }, "Imported 1,204 bookmarks into 9 groups"},
        {[&] { doc.CreateItem(MakeItem("", "http://new/", "News")); }, "Added http://new/ to News"},
        {[&] { doc.RenameGroup("Daily"); }, "Renamed group Dev to Daily"},
        {[&] { doc.ChangeItem(0, MakeItem("Example Domain", "http://example.org/", "")); }, "Edited Example Domain"},
        {[&] { doc.ChangeURLs({{0, "http://a/"}, {2, "http://b/"}}); }, "Edited 2 bookmarks"},
        {[&] { doc.RenameItem("Renamed"); }, "Edited Renamed"},
        {[&] { doc.MoveItems({0, 1}, "Later"); }, "Moved 2 bookmarks to Later"},
        {[&] { doc.AddGroup(); }, "Added group New Group"},
        {[&] { doc.DeleteGroup(); }, "Deleted group Dev (2 bookmarks)"},
        {[&] {
             const BookmarkItem like = doc.Items()[2];
             selection.currentGroup = "Dev";
             doc.AddItemMoving(MakeItem("Three", "http://three/", "Dev"), &like);
         },
         "Moved Three to Dev"},
    };
    for (const auto& c : cases) {
        start();
        const std::string before = EncodeDataFile(doc.Content());
        c.change();
        ASSERT_EQ(doc.Journal().DoneCount(), 1u) << c.what;
        EXPECT_EQ(doc.Journal().Done(0).what, c.what);
        EXPECT_GT(doc.Journal().Done(0).when, 0);
        const std::string after = EncodeDataFile(doc.Content());
        EXPECT_EQ(doc.UndoChanges(5), 1u) << c.what;
        EXPECT_EQ(EncodeDataFile(doc.Content()), before) << c.what;
        EXPECT_EQ(doc.RedoChanges(5), 1u) << c.what;
        EXPECT_EQ(EncodeDataFile(doc.Content()), after) << c.what;
    }

    // Three changes taken back in one step: one rebuild, and the words of the
    // rest stay for a redo.
    start();
    doc.AddGroup();
    doc.DeleteItems({2});
    selection.itemIndex = 0;
    doc.RenameItem("X");
    const std::string before = EncodeDataFile(doc.Content());
    const int updates = itemPane.updates;
    doc.SetModifiedFlag(false);
    EXPECT_EQ(doc.UndoChanges(2), 2u);
    EXPECT_EQ(itemPane.updates, updates + 1);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.Journal().Done(0).what, "Added group New Group");
    EXPECT_EQ(doc.Journal().Undone(0).what, "Deleted Three from News");
    EXPECT_EQ(doc.RedoChanges(2), 2u);
    EXPECT_EQ(EncodeDataFile(doc.Content()), before);
}

TEST(ChangeJournal, KeepsAThousandChangesAndCountsTheDropped)
{
    ChangeJournal journal;
    for (int n = 0; n < 1005; ++n) {
        ChangeRecord record;
        record.kind = ChangeRecord::AddGroup;
        record.what = std::to_string(n);
        journal.Push(std::move(record));
    }
    EXPECT_EQ(journal.DoneCount(), 1000u);
    EXPECT_EQ(journal.DroppedCount(), 5u);
    EXPECT_EQ(journal.Done(0).what, "1004");
    EXPECT_EQ(journal.Done(999).what, "5");
    journal.Clear();
    EXPECT_EQ(journal.DroppedCount(), 0u);
}
