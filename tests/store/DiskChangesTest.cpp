// Tests of a collection another program changes while it is open: the merge
// on save, the reload, and the one record between two collections.
#include "store/CollectionDiff.h"
#include "store/FileLayer.h"
#include "tests/support/DocumentFixture.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <random>
#include <set>
#include <thread>

namespace {

const char kOneAdded[] = "Merged the changes made elsewhere: 1 bookmark added, 0 removed, 0 kept in two versions.";

// Another program with the same collection open: a document of its own.
struct OtherProgram {
    OtherProgram() : doc(selection, marks, prompt, clipboard) {}
    CurrentSelection selection;
    ClipboardMarks marks;
    FakePrompt prompt;
    FakeClipboard clipboard;
    CBookmarkDoc doc;
};

void AddBookmark(CBookmarkDoc& doc, const std::string& name)
{
    doc.AddItems({MakeItem(name, "http://" + name + "/", "A")});
}

std::vector<std::string> Sorted(std::vector<std::string> texts)
{
    std::sort(texts.begin(), texts.end());
    return texts;
}

std::vector<std::string> FileItems(const std::string& path)
{
    StoreContent content;
    const std::string bytes = ReadBytes(path);
    ReadDataBytes(bytes.data(), bytes.size(), content);
    return ItemTexts(content.m_arrItems);
}

// The platform's steps, with `meanwhile` run once the new file is written
// and closed, just before the save looks at the target again.
class InterruptedLayer : public IFileLayer {
public:
    std::string Target(const std::string& path) override { return m_real.Target(path); }
    intptr_t CreateBeside(const std::string& target, std::string& tempPath) override
    {
        return m_real.CreateBeside(target, tempPath);
    }
    size_t Write(intptr_t file, const char* data, size_t size) override { return m_real.Write(file, data, size); }
    void Flush(intptr_t file) override { m_real.Flush(file); }
    void Close(intptr_t file) override
    {
        m_real.Close(file);
        if (!meanwhile.empty() && !m_happening) {
            const std::function<void()> happen = std::move(meanwhile.front());
            meanwhile.pop_front();
            m_happening = true;
            happen();
            m_happening = false;
        }
    }
    void Replace(const std::string& tempPath, const std::string& target) override
    {
        ++replaced;
        m_real.Replace(tempPath, target);
    }
    void Abandon(intptr_t file, const std::string& tempPath) noexcept override { m_real.Abandon(file, tempPath); }

    std::deque<std::function<void()>> meanwhile;  // one for each file written
    int replaced = 0;

private:
    IFileLayer& m_real = PlatformFileLayer();
    bool m_happening = false;  // the other program's own write is no turn of this one's
};

class DiskChanges : public DocumentFixture {
protected:
    // The fixture's document saves `names` to the shared file, which the
    // other program then opens.
    void Share(const std::vector<std::string>& names)
    {
        SetGroups(doc, {"A"});
        for (const std::string& name : names)
            AddBookmark(doc, name);
        ASSERT_TRUE(doc.OnSaveDocument(path));
        ASSERT_TRUE(other.doc.OnOpenDocument(path));
    }

    const std::string path = dir.Path("shared.lkh");
    OtherProgram other;
};

} // namespace

TEST_F(DiskChanges, SaveMergesTheOtherProgramsChangesAsOneChange)
{
    Share({"kept", "gone"});
    other.doc.DeleteItems({1});
    AddBookmark(other.doc, "theirs");
    ASSERT_TRUE(other.doc.OnSaveDocument(path));

    AddBookmark(doc, "mine");
    selection.currentGroup = "A";
    doc.SelectItem(2);
    ASSERT_TRUE(doc.OnSaveDocument(path));
    const std::vector<std::string> merged = {"kept|http://kept/|A|", "mine|http://mine/|A|", "theirs|http://theirs/|A|"};
    EXPECT_EQ(FileItems(path), merged);
    EXPECT_EQ(Items(), merged);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(selection.itemName, "mine");
    EXPECT_EQ(selection.itemIndex, 1);
    const std::string summary = "Merged the changes made elsewhere: 1 bookmark added, 1 removed, 0 kept in two versions.";
    EXPECT_EQ(prompt.shown, std::vector<std::string>{summary});
    EXPECT_EQ(prompt.styles, std::vector<MessageStyle>{MessageStyle::InformationOk});
    ASSERT_EQ(doc.Journal().DoneCount(), 4u);
    EXPECT_EQ(doc.Journal().NewestDone()->what, summary);

    // The history takes the other side's changes back in one step.
    ASSERT_TRUE(doc.UndoLast());
    EXPECT_EQ(Items(), (std::vector<std::string>{"kept|http://kept/|A|", "gone|http://gone/|A|", "mine|http://mine/|A|"}));
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(DiskChanges, AnUnmodifiedDocumentReloadsKeepingItsGroupAndBookmark)
{
    Share({"a1", "a2"});
    EditContent(doc, [](StoreContent& content) {
        content.m_arrGroups.push_back("B");
        content.m_arrItems.push_back(MakeItem("b1", "http://b1/", "B"));
    });
    ASSERT_TRUE(doc.OnSaveDocument(path));
    // The program's own save is no change by another.
    EXPECT_EQ(doc.ReloadIfChanged(), CBookmarkDoc::DiskCheck::Unchanged);
    doc.SetCurrentGroup("b");
    doc.SelectItem(2);
    ASSERT_EQ(doc.ReloadIfChanged(), CBookmarkDoc::DiskCheck::Unchanged);

    // Written again as it was: nothing to take.
    const std::string bytes = ReadBytes(path);
    WriteBytes(path, bytes);
    EXPECT_EQ(doc.ReloadIfChanged(), CBookmarkDoc::DiskCheck::Unchanged);

    // Half written: looked at again later, the collection as it was.
    WriteBytes(path, bytes.substr(0, bytes.size() / 2));
    EXPECT_EQ(doc.ReloadIfChanged(), CBookmarkDoc::DiskCheck::Unreadable);
    EXPECT_EQ(doc.Items().size(), 3u);

    WriteBytes(path, bytes);
    ASSERT_TRUE(other.doc.OnOpenDocument(path));
    other.doc.DeleteItems({0});
    ASSERT_TRUE(other.doc.OnSaveDocument(path));
    const int updates = itemPane.updates;
    ASSERT_EQ(doc.ReloadIfChanged(), CBookmarkDoc::DiskCheck::Reloaded);
    EXPECT_EQ(Items(), (std::vector<std::string>{"a2|http://a2/|A|", "b1|http://b1/|B|"}));
    EXPECT_EQ(selection.currentGroup, "b");
    EXPECT_EQ(selection.itemName, "b1");
    EXPECT_EQ(selection.itemIndex, 1);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.Journal().DoneCount(), 0u);
    EXPECT_EQ(itemPane.updates, updates + 1);

    // Gone with its group: the first group, no bookmark.
    other.doc.DeleteItems({1});
    EditContent(other.doc, [](StoreContent& content) { content.m_arrGroups = {"Z", "C"}; });
    ASSERT_TRUE(other.doc.OnSaveDocument(path));
    ASSERT_EQ(doc.ReloadIfChanged(), CBookmarkDoc::DiskCheck::Reloaded);
    EXPECT_EQ(selection.currentGroup, "C");
    EXPECT_EQ(selection.itemIndex, -1);

    // A modified document waits for its save.
    AddBookmark(doc, "mine");
    ASSERT_TRUE(other.doc.OnSaveDocument(path));
    EXPECT_EQ(doc.ReloadIfChanged(), CBookmarkDoc::DiskCheck::Unchanged);
    EXPECT_EQ(doc.Items().size(), 2u);
}

TEST_F(DiskChanges, AWriteJustBeforeTheReplaceIsMergedToo)
{
    Share({"base"});
    InterruptedLayer layer;
    FileLayerScope scope(layer);
    // Another program puts its version in place while this one writes its
    // own, twice: the third try merges the newest version.
    const auto theirs = [this](const std::string& name) {
        StoreContent content = other.doc.Content();
        content.m_arrItems.push_back(MakeItem(name, "http://" + name + "/", "A"));
        return [this, content] { WriteDataFile(path, content); };
    };
    layer.meanwhile = {theirs("early"), theirs("late")};
    AddBookmark(doc, "mine");
    ASSERT_TRUE(doc.OnSaveDocument(path));
    EXPECT_EQ(layer.replaced, 3);  // the other's two saves, then this one's third try
    EXPECT_EQ(FileItems(path), (std::vector<std::string>{"base|http://base/|A|", "mine|http://mine/|A|",
                                                         "late|http://late/|A|"}));
    EXPECT_EQ(prompt.shown, std::vector<std::string>{kOneAdded});
    // Nothing of the abandoned try is left.
    EXPECT_EQ(FilesIn(dir.Root()), std::vector<std::string>{"shared.lkh"});

    // A file that stays damaged is saved over (the save's backup keeps it).
    WriteBytes(path, "damaged");
    AddBookmark(doc, "more");
    ASSERT_TRUE(doc.OnSaveDocument(path));
    EXPECT_EQ(FileItems(path).size(), 4u);
}

// Another Linkhive's save of the file waits until this one has replaced it,
// then merges what it wrote: their looks and replaces never cross.
TEST_F(DiskChanges, AnotherSaveOfTheFileWaitsForThisOne)
{
    Share({"base"});
    InterruptedLayer layer;
    FileLayerScope scope(layer);
    std::atomic<bool> otherSaved(false);
    std::thread otherSave;
    layer.meanwhile = {[&] {
        otherSave = std::thread([&] {
            AddBookmark(other.doc, "theirs");
            otherSaved = other.doc.OnSaveDocument(path);
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_FALSE(otherSaved);
    }};
    AddBookmark(doc, "mine");
    ASSERT_TRUE(doc.OnSaveDocument(path));
    otherSave.join();
    EXPECT_TRUE(otherSaved);
    EXPECT_EQ(layer.replaced, 2);
    EXPECT_EQ(FileItems(path), (std::vector<std::string>{"base|http://base/|A|", "theirs|http://theirs/|A|",
                                                         "mine|http://mine/|A|"}));
}

// What a save wrote and what a reload read is the next merge's base: a
// bookmark the other program deleted since stays deleted.
TEST_F(DiskChanges, TheBaseMovesWithEverySaveAndReload)
{
    const auto file = [this] {
        std::vector<std::string> names;
        for (const std::string& text : FileItems(path))
            names.push_back(text.substr(0, text.find('|')));
        return names;
    };
    Share({"x", "w"});
    AddBookmark(doc, "saved");
    ASSERT_TRUE(doc.OnSaveDocument(path));
    other.doc.DeleteItems({0});  // x, of the version it opened
    ASSERT_TRUE(other.doc.OnSaveDocument(path));
    EXPECT_EQ(file(), (std::vector<std::string>{"w", "saved"}));

    AddBookmark(doc, "y");
    ASSERT_TRUE(doc.OnSaveDocument(path));
    ASSERT_EQ(other.doc.ReloadIfChanged(), CBookmarkDoc::DiskCheck::Reloaded);
    other.doc.DeleteItems({2});  // y, of the version the merge wrote
    ASSERT_TRUE(other.doc.OnSaveDocument(path));
    AddBookmark(doc, "z");
    ASSERT_TRUE(doc.OnSaveDocument(path));
    EXPECT_EQ(file(), (std::vector<std::string>{"w", "saved", "z"}));

    AddBookmark(other.doc, "read");
    ASSERT_TRUE(other.doc.OnSaveDocument(path));
    ASSERT_EQ(doc.ReloadIfChanged(), CBookmarkDoc::DiskCheck::Reloaded);
    other.doc.DeleteItems({2});  // read, of the version the reload read
    ASSERT_TRUE(other.doc.OnSaveDocument(path));
    AddBookmark(doc, "v");
    ASSERT_TRUE(doc.OnSaveDocument(path));
    EXPECT_EQ(file(), (std::vector<std::string>{"w", "saved", "z", "v"}));
}

// Two programs take turns at random: each adds bookmarks, deletes any it
// sees, saves, and reloads when it has nothing unsaved. A base that did not
// move with each save and reload would bring deleted bookmarks back or
// lose saved ones.
TEST_F(DiskChanges, TurnsOfTwoProgramsKeepEveryonesChanges)
{
    for (const unsigned seed : {1u, 2u, 3u}) {
        TempDir folder;
        const std::string shared = folder.Path("turns.lkh");
        OtherProgram sides[2];
        SetGroups(sides[0].doc, {"A"});
        ASSERT_TRUE(sides[0].doc.OnSaveDocument(shared));
        ASSERT_TRUE(sides[1].doc.OnOpenDocument(shared));
        std::set<std::string> expected;  // added, and deleted by nobody
        std::set<std::string> deleted;     // and saved so by the side that deleted it
        std::set<std::string> unsaved[2];  // added by the side, not yet saved by it
        std::set<std::string> undeleted[2];  // deleted by the side, not yet saved by it
        std::mt19937 random(seed);
        for (int step = 0; step < 400; ++step) {
            const size_t who = random() % 2;
            CBookmarkDoc& side = sides[who].doc;
            switch (random() % 4) {
            case 0: {
                AddBookmark(side, "b" + std::to_string(step));
                expected.insert(ItemText(side.Items().back()));
                unsaved[who].insert(ItemText(side.Items().back()));
                break;
            }
            case 1:
                if (!side.Items().empty()) {
                    // Mostly the newest, which are often the other side's.
                    const size_t count = side.Items().size();
                    const size_t index = count - 1 - random() % std::min<size_t>(count, random() % 4 ? 3 : count);
                    expected.erase(ItemText(side.Items()[index]));
                    undeleted[who].insert(ItemText(side.Items()[index]));
                    side.DeleteItems({index});
                }
                break;
            case 2: {
                ASSERT_TRUE(side.OnSaveDocument(shared)) << seed << " " << step;
                unsaved[who].clear();
                deleted.insert(undeleted[who].begin(), undeleted[who].end());
                undeleted[who].clear();
                const std::vector<std::string> file = FileItems(shared);
                EXPECT_EQ(ItemTexts(side.Items()), file) << seed << " " << step;
                // Nothing deleted is back, nothing saved is lost.
                for (const std::string& text : file)
                    EXPECT_EQ(deleted.count(text), 0u) << text << " " << seed << " " << step;
                for (const std::string& text : expected) {
                    const bool saved = !unsaved[0].count(text) && !unsaved[1].count(text);
                    EXPECT_TRUE(!saved || std::count(file.begin(), file.end(), text)) << text << " " << seed << " " << step;
                }
                break;
            }
            default:
                side.ReloadIfChanged();
            }
        }
        for (CBookmarkDoc* side : {&sides[0].doc, &sides[1].doc, &sides[0].doc})
            ASSERT_TRUE(side->OnSaveDocument(shared));
        const std::vector<std::string> all(expected.begin(), expected.end());
        EXPECT_EQ(Sorted(FileItems(shared)), all) << seed;
        EXPECT_EQ(Sorted(ItemTexts(sides[0].doc.Items())), all) << seed;
    }
}

// Done on the one collection the record leaves the other; taken back, the
// first again. A merge's collection, appended to, costs no more than that.
TEST(CollectionDiff, TurnsOneCollectionIntoTheOther)
{
    std::mt19937 random(7);
    const auto item = [&random] {
        const std::string n = std::to_string(random() % 12);
        return MakeItem("n" + n, "http://" + n + "/", random() % 3 ? "G" : "g");
    };
    for (int round = 0; round < 300; ++round) {
        StoreContent from;
        for (size_t i = random() % 10; i > 0; --i)
            from.m_arrItems.push_back(item());
        for (size_t i = random() % 4; i > 0; --i)
            from.m_arrGroups.push_back("G" + std::to_string(random() % 5));
        StoreContent to = from;
        for (size_t edits = random() % 5; edits > 0; --edits) {
            std::vector<BookmarkItem>& items = to.m_arrItems;
            const size_t at = items.empty() ? 0 : random() % items.size();
            switch (random() % 4) {
            case 0: items.insert(items.begin() + static_cast<std::ptrdiff_t>(random() % (items.size() + 1)), item()); break;
            case 1: if (!items.empty()) items.erase(items.begin() + static_cast<std::ptrdiff_t>(at)); break;
            case 2: if (!items.empty()) items[at] = item(); break;
            default: to.m_arrGroups.push_back("G" + std::to_string(random() % 5));
            }
        }
        ChangeRecord record = DiffCollections(from, to);
        StoreContent applied = from;
        ApplyForward(record, applied.m_arrGroups, applied.m_arrItems);
        ASSERT_EQ(ItemTexts(applied.m_arrItems), ItemTexts(to.m_arrItems)) << round;
        ASSERT_EQ(applied.m_arrGroups, to.m_arrGroups) << round;
        ApplyBackward(record, applied.m_arrGroups, applied.m_arrItems);
        ASSERT_EQ(ItemTexts(applied.m_arrItems), ItemTexts(from.m_arrItems)) << round;
        ASSERT_EQ(applied.m_arrGroups, from.m_arrGroups) << round;
    }

    StoreContent big;
    for (int i = 0; i < 1000; ++i)
        big.m_arrItems.push_back(MakeItem("n" + std::to_string(i), "http://x/", "G"));
    StoreContent merged = big;
    merged.m_arrItems.erase(merged.m_arrItems.begin() + 10);
    merged.m_arrItems[500].m_strName = "changed";
    merged.m_arrItems.push_back(MakeItem("new", "http://new/", "G"));
    const ChangeRecord record = DiffCollections(big, merged);
    EXPECT_EQ(record.items.removed.size(), 1u);
    EXPECT_EQ(record.items.changed.size(), 1u);
    EXPECT_EQ(record.items.added.size(), 1u);
}
