#include "store/CollectionMerge.h"

#include "store/TextCompare.h"

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <tuple>

namespace {

// "[A,B] A/name/url B/name/url/description": the group list, then the
// bookmarks, as the tables below write collections.
StoreContent Parse(const std::string& text)
{
    StoreContent content;
    std::istringstream words(text);
    std::string word;
    words >> word;
    std::istringstream groups(word.substr(1, word.size() - 2));
    for (std::string group; std::getline(groups, group, ',');)
        content.m_arrGroups.push_back(group);
    while (words >> word) {
        std::istringstream fields(word);
        BookmarkItem item;
        std::getline(fields, item.m_strGroup, '/');
        std::getline(fields, item.m_strName, '/');
        std::getline(fields, item.m_strURL, '/');
        std::getline(fields, item.m_strDescription, '/');
        content.m_arrItems.push_back(item);
    }
    return content;
}

std::string Show(const StoreContent& content)
{
    std::string text = "[";
    for (size_t g = 0; g < content.m_arrGroups.size(); ++g)
        text += (g ? "," : "") + content.m_arrGroups[g];
    text += "]";
    for (const BookmarkItem& item : content.m_arrItems) {
        text += " " + item.m_strGroup + "/" + item.m_strName + "/" + item.m_strURL;
        if (!item.m_strDescription.empty())
            text += "/" + item.m_strDescription;
    }
    return text;
}

void ExpectCountsAddUp(const StoreContent& ours, const MergeOutcome& outcome)
{
    EXPECT_EQ(outcome.merged.m_arrItems.size(),
              ours.m_arrItems.size() - outcome.removed + outcome.added + outcome.keptTwice);
}

} // namespace

TEST(CollectionMergeTest, ThreeWayRules)
{
    struct Case {
        const char* what;
        const char* base;
        const char* ours;
        const char* theirs;
        const char* merged;
        size_t added, removed, changed, keptTwice;
    };
    const Case cases[] = {
        {"both added the same: once", "[A] A/x/1", "[A] A/x/1 A/y/2", "[A] A/y/2 A/x/1", "[A] A/x/1 A/y/2", 0, 0, 0, 0},
        {"both added different ones", "[A] A/x/1", "[A] A/x/1 A/y/2", "[A] A/x/1 A/z/3", "[A] A/x/1 A/y/2 A/z/3", 1, 0,
         0, 0},
        {"theirs removed one", "[A] A/x/1 A/y/2", "[A] A/x/1 A/y/2", "[A] A/y/2", "[A] A/y/2", 0, 1, 0, 0},
        {"theirs changed one ours kept: in ours' place", "[A] A/x/1 A/y/2", "[A] A/x/1 A/y/2 A/n/9",
         "[A] A/x2/1 A/y/2", "[A] A/x2/1 A/y/2 A/n/9", 0, 0, 1, 0},
        {"ours removed, theirs changed: the change stays", "[A] A/x/1 A/y/2", "[A] A/y/2", "[A] A/x/1/new A/y/2",
         "[A] A/y/2 A/x/1/new", 1, 0, 0, 0},
        {"ours changed, theirs removed: the change stays", "[A] A/x/1", "[A] A/x/5", "[A]", "[A] A/x/5", 0, 0, 0, 0},
        {"both changed alike: once", "[A] A/x/1", "[A] A/x/5", "[A] A/x/5", "[A] A/x/5", 0, 0, 0, 0},
        {"both changed differently: both versions together", "[A] A/x/1 A/y/2", "[A] A/x/5 A/y/2", "[A] A/y/2 A/x/6",
         "[A] A/x/5 A/x/6 A/y/2", 0, 0, 0, 1},
        {"moved on one side, renamed on the other", "[A,B] A/x/1", "[A,B] B/x/1", "[A,B] A/z/1",
         "[A,B] B/x/1 A/z/1", 0, 0, 0, 1},
        {"ours renamed a group: theirs' new one of it follows", "[A,B] A/x/1 B/y/2", "[C,B] C/x/1 B/y/2",
         "[A,B] A/x/1 B/y/2 a/z/3", "[C,B] C/x/1 B/y/2 C/z/3", 1, 0, 0, 0},
        {"theirs renamed a group and changed one: ours' additions follow", "[A] A/x/1 A/y/2",
         "[A] A/x/1 A/y/2 A/n/4", "[C] C/x/1 C/y/9", "[C] C/x/1 C/y/9 C/n/4", 0, 0, 1, 0},
        {"both renamed a group differently: its bookmarks in both", "[A] A/x/1", "[B] B/x/1", "[C] C/x/1",
         "[B,C] B/x/1 C/x/1", 0, 0, 0, 1},
        {"both renamed a group alike", "[A] A/x/1", "[B] B/x/1", "[b] b/x/1", "[B] B/x/1", 0, 0, 0, 0},
        {"ours removed one of two copies", "[A] A/x/1 A/x/1", "[A] A/x/1", "[A] A/x/1 A/x/1", "[A] A/x/1", 0, 0, 0, 0},
        {"both removed one of two copies", "[A] A/x/1 A/x/1", "[A] A/x/1", "[A] A/x/1", "[A] A/x/1", 0, 0, 0, 0},
        {"both added a copy: one more", "[A] A/x/1", "[A] A/x/1 A/x/1", "[A] A/x/1 A/x/1", "[A] A/x/1 A/x/1", 0, 0, 0,
         0},
        {"theirs added two copies, ours one", "[A] A/x/1", "[A] A/x/1 A/x/1", "[A] A/x/1 A/x/1 A/x/1",
         "[A] A/x/1 A/x/1 A/x/1", 1, 0, 0, 0},
        {"empty base", "[]", "[A] A/x/1", "[B] B/y/2", "[A,B] A/x/1 B/y/2", 1, 0, 0, 0},
        {"ours emptied, theirs added: the group stays for it", "[A] A/x/1", "[]", "[A] A/x/1 A/y/2", "[A] A/y/2", 1, 0,
         0, 0},
        {"theirs emptied", "[A] A/x/1", "[A] A/x/1 A/z/3", "[]", "[A] A/z/3", 0, 1, 0, 0},
        {"a group added on both, letter case ignored", "[Web] Web/x/1", "[Web,New] Web/x/1", "[web,new] web/x/1",
         "[Web,New] Web/x/1", 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const StoreContent ours = Parse(c.ours);
        const MergeOutcome outcome = MergeThreeWay(Parse(c.base), ours, Parse(c.theirs));
        EXPECT_EQ(Show(outcome.merged), c.merged);
        EXPECT_EQ(std::make_tuple(outcome.added, outcome.removed, outcome.changed, outcome.keptTwice),
                  std::make_tuple(c.added, c.removed, c.changed, c.keptTwice));
        ExpectCountsAddUp(ours, outcome);
    }
}

TEST(CollectionMergeTest, TwoWayAddsWhatTheOpenOneLacks)
{
    const MergeOutcome outcome =
        MergeTwoWay(Parse("[A] A/x/1 A/x/1"), Parse("[a,B] A/x/1 B/y/2 a/x/1 A/x/1 A/x/1/d"));
    EXPECT_EQ(Show(outcome.merged), "[A,B] A/x/1 A/x/1 B/y/2 A/x/1 A/x/1/d");
    EXPECT_EQ(MergeSummary(outcome), "Merged the collection: 3 bookmarks and 1 group added.");
}

TEST(CollectionMergeTest, SummaryCountsInWords)
{
    MergeOutcome outcome;
    outcome.added = 12;
    outcome.removed = 3;
    outcome.keptTwice = 1;
    EXPECT_EQ(MergeSummary(outcome),
              "Merged the changes made elsewhere: 12 bookmarks added, 3 removed, 1 kept in two versions.");
    outcome.added = 1;
    outcome.changed = 1200;
    outcome.keptTwice = 2;
    EXPECT_EQ(MergeSummary(outcome), "Merged the changes made elsewhere: 1 bookmark added, 3 removed, 1,200 changed, "
                                     "2 kept in two versions.");
}

namespace {

using Key = std::tuple<std::string, std::string, std::string, std::string>;
using Triple = std::tuple<std::string, std::string, std::string>;

std::map<Key, size_t> ItemCounts(const StoreContent& content)
{
    std::map<Key, size_t> counts;
    for (const BookmarkItem& item : content.m_arrItems) {
        std::string group = item.m_strGroup;
        std::transform(group.begin(), group.end(), group.begin(), FoldAscii);
        ++counts[{group, item.m_strName, item.m_strURL, item.m_strDescription}];
    }
    return counts;
}

std::multiset<std::string> GroupCounts(const StoreContent& content)
{
    std::multiset<std::string> groups;
    for (std::string group : content.m_arrGroups) {
        std::transform(group.begin(), group.end(), group.begin(), FoldAscii);
        groups.insert(group);
    }
    return groups;
}

std::set<std::string> FoldedGroups(const StoreContent& content)
{
    const std::multiset<std::string> groups = GroupCounts(content);
    return {groups.begin(), groups.end()};
}

std::set<Triple> Triples(const StoreContent& content)
{
    std::set<Triple> triples;
    for (const BookmarkItem& item : content.m_arrItems)
        triples.insert({item.m_strName, item.m_strURL, item.m_strDescription});
    return triples;
}

// A user's edits, most new texts unique so that a side's own work can be
// found again after the merge.
class Editor {
public:
    explicit Editor(std::mt19937& random) : m_random(random) {}

    StoreContent Collection()
    {
        StoreContent content;
        for (const char* group : {"Web", "Mail", "News", "Empty"})
            content.m_arrGroups.push_back(group);
        for (int n = Pick(12); n >= 0; --n) {
            // Some name their group in other letter case, some come twice.
            const std::string group = content.m_arrGroups[Pick(2)];
            content.m_arrItems.push_back({Fresh("u"), Fresh("n"), Pick(3) ? group : Folded(group), ""});
            if (Pick(5) == 0)
                content.m_arrItems.push_back(content.m_arrItems.back());
        }
        return content;
    }

    void Edit(StoreContent& content)
    {
        std::vector<BookmarkItem>& items = content.m_arrItems;
        std::vector<std::string>& groups = content.m_arrGroups;
        const size_t item = items.empty() ? 0 : Pick(items.size() - 1);
        const size_t group = groups.empty() ? 0 : Pick(groups.size() - 1);
        switch (items.empty() ? 0 : Pick(7)) {
        case 0:
            if (groups.empty())
                groups.push_back(Fresh("G"));
            if (Pick(1))
                items.push_back({Fresh("u"), Fresh("n"), groups[group % groups.size()], ""});
            else  // one the other side may well add too
                items.push_back({"u~" + std::to_string(Pick(1)), "n~", groups[0], ""});
            break;
        case 1: items.erase(items.begin() + item); break;
        case 2: items[item].m_strName = Fresh("n"); break;
        case 3: items[item].m_strURL = Fresh("u"); break;
        case 4: items[item].m_strDescription = Fresh("d"); break;
        case 5:
            if (!groups.empty())
                items[item].m_strGroup = groups[group];
            break;
        case 6: {
            if (groups.empty())
                break;
            const std::string old = groups[group];
            groups[group] = Fresh("G");
            for (BookmarkItem& each : items) {
                if (TextEqual(each.m_strGroup, old))
                    each.m_strGroup = groups[group];
            }
            break;
        }
        default: {
            if (groups.empty())
                break;
            const std::string old = groups[group];
            groups.erase(groups.begin() + group);
            items.erase(std::remove_if(items.begin(), items.end(),
                                       [&old](const BookmarkItem& each) { return TextEqual(each.m_strGroup, old); }),
                        items.end());
        }
        }
    }

private:
    int Pick(size_t most) { return static_cast<int>(std::uniform_int_distribution<size_t>(0, most)(m_random)); }
    // Now and then a text another edit may have made too: both sides then
    // add or change alike.
    std::string Fresh(const char* kind)
    {
        return Pick(3) ? kind + std::to_string(m_serial++) : kind + std::string("~") + std::to_string(Pick(2));
    }
    static std::string Folded(std::string text)
    {
        std::transform(text.begin(), text.end(), text.begin(), FoldAscii);
        return text;
    }

    std::mt19937& m_random;
    size_t m_serial = 0;
};

// What any merge of `ours` and `theirs` since `base` must give.
void ExpectSoundMerge(const StoreContent& base, const StoreContent& ours, const StoreContent& theirs)
{
    const MergeOutcome outcome = MergeThreeWay(base, ours, theirs);
    const StoreContent& merged = outcome.merged;
    ExpectCountsAddUp(ours, outcome);

    // Nothing either side added or changed is lost, nor out of every group.
    const std::set<Triple> before = Triples(base);
    const std::set<Triple> after = Triples(merged);
    for (const StoreContent* side : {&ours, &theirs}) {
        for (const Triple& made : Triples(*side)) {
            if (before.count(made) == 0) {
                EXPECT_EQ(after.count(made), 1u) << std::get<0>(made) << " " << std::get<1>(made) << " lost";
            }
        }
    }
    const std::set<std::string> listed = FoldedGroups(merged);
    for (const auto& [key, count] : ItemCounts(merged))
        EXPECT_EQ(listed.count(std::get<0>(key)), 1u) << std::get<0>(key) << " not listed";

    // In groups neither side renamed, added nor removed: nothing both kept
    // is doubled, nothing both removed comes back.
    const std::set<std::string> baseGroups = FoldedGroups(base);
    std::set<std::string> stable;
    for (const std::string& group : baseGroups) {
        if (FoldedGroups(ours).count(group) && FoldedGroups(theirs).count(group))
            stable.insert(group);
    }
    std::map<Key, size_t> baseCounts = ItemCounts(base), oursCounts = ItemCounts(ours), theirCounts = ItemCounts(theirs),
                          mergedCounts = ItemCounts(merged);
    for (const auto* counts : {&baseCounts, &oursCounts, &theirCounts}) {
        for (const auto& [key, count] : *counts) {
            if (stable.count(std::get<0>(key)) == 0)
                continue;
            const size_t o = oursCounts[key], t = theirCounts[key], m = mergedCounts[key];
            EXPECT_LE(m, std::max(o, t)) << std::get<1>(key) << " doubled";
            if (o == baseCounts[key] && t == o) {
                EXPECT_EQ(m, o) << std::get<1>(key);
            }
        }
    }

    // One side's changes alone come through whole.
    for (const auto& [x, y] : {std::make_pair(&ours, &base), std::make_pair(&base, &ours)}) {
        const StoreContent alone = MergeThreeWay(base, *x, *y).merged;
        EXPECT_EQ(ItemCounts(alone), ItemCounts(ours));
        EXPECT_EQ(GroupCounts(alone), GroupCounts(ours));
    }
}

} // namespace

// Two windows on one file, each saving through the merge now and then: the
// merged file is the next base of the window that saved it.
TEST(CollectionMergeTest, SavesFromTwoWindowsLoseNothingAndDoubleNothing)
{
    for (unsigned seed = 1; seed <= 150; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        Editor editor(random);
        StoreContent file = editor.Collection();
        struct Window {
            StoreContent base, current;
        } windows[2] = {{file, file}, {file, file}};
        for (int step = 0; step < 40 && !HasFailure(); ++step) {
            Window& window = windows[random() % 2];
            if (random() % 4) {
                editor.Edit(window.current);
                continue;
            }
            ExpectSoundMerge(window.base, window.current, file);
            file = MergeThreeWay(window.base, window.current, file).merged;
            window.base = window.current = file;
        }
    }
}
