// Tests of a group's list patched after a change.
#include "query/GroupRows.h"
#include "store/CDocument.h"
#include "tests/support/Fakes.h"

#include <gtest/gtest.h>

namespace {

// The group "Web" listed by name, the store as it is after each change.
struct GroupRowsTest : testing::Test {
    std::vector<BookmarkItem> items;
    std::vector<size_t> placed;

    bool Patch(std::vector<size_t>& rows, const UpdateHint& hint)
    {
        const auto byName = [this](size_t a, size_t b) { return items[a].m_strName < items[b].m_strName; };
        return PatchGroupRows(rows, hint, items, "web", byName, placed);
    }
};

TEST_F(GroupRowsTest, RemovesThenPlacesChangedAndAddedOfTheGroupOnly)
{
    // Before: 0 "d" Web, 1 "x" Mail, 2 "c" Web, listed c, d. Then 1 went,
    // "c" (now 1) was renamed "e", "b" and a Mail bookmark were added.
    std::vector<size_t> rows = {2, 0};
    items = {MakeItem("d", "http://d/", "Web"), MakeItem("e", "http://c/", "Web"),
             MakeItem("b", "http://b/", "WEB"), MakeItem("a", "http://a/", "Mail")};
    EXPECT_TRUE(Patch(rows, ItemsHint({1}, {1}, 2)));
    EXPECT_EQ((std::vector<size_t>{2, 0, 1}), rows);
    EXPECT_EQ((std::vector<size_t>{1, 2}), placed);
}

TEST_F(GroupRowsTest, ABookmarkChangedIntoAnotherGroupLeavesAndTooManyRefill)
{
    items = {MakeItem("a", "http://a/", "Web"), MakeItem("b", "http://b/", "Mail")};
    std::vector<size_t> rows = {0, 1};
    EXPECT_TRUE(Patch(rows, ItemsHint({}, {1}, 0)));
    EXPECT_EQ((std::vector<size_t>{0}), rows);
    EXPECT_TRUE(placed.empty());

    for (size_t i = 0; i < 65; ++i)
        items.push_back(MakeItem("x", "http://x/", "Web"));
    const std::vector<size_t> before = rows;
    EXPECT_FALSE(Patch(rows, ItemsHint({}, {}, 65)));
    EXPECT_FALSE(Patch(rows, ItemsHint({}, {}, items.size() + 1)));  // more added than there are
    EXPECT_EQ(before, rows);
}

} // namespace
