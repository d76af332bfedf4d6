// Tests of Find's search a slice at a time.
#include "query/IncrementalSearch.h"
#include "store/DataFile.h"
#include "tests/support/Fakes.h"

#include <gtest/gtest.h>

namespace {

// Runs a scan to its end in slices of `slice`.
std::vector<size_t> ScanToEnd(IncrementalSearch& search, const StoreContent& content, size_t slice)
{
    while (search.Scan(content, slice)) {
    }
    return search.Finish();
}

TEST(IncrementalSearchTest, SlicesGiveWhatOneScanGives)
{
    StoreContent content;
    for (const char* name : {"x", "needle", "y", "NEEDLE", "z", "needle"})
        content.m_arrItems.push_back(MakeItem(name, "http://a/", name[0] == 'N' ? "Mail" : "Web"));
    for (const size_t slice : {size_t(1), size_t(2), size_t(4), size_t(100)}) {
        IncrementalSearch search;
        ASSERT_TRUE(search.Start("needle", false, "", false, {}));
        EXPECT_TRUE(search.Scanning());
        EXPECT_EQ(FindBookmarks(content, "needle"), ScanToEnd(search, content, slice)) << slice;
        EXPECT_FALSE(search.Scanning());
        ASSERT_TRUE(search.Start("needle", true, "web", false, {}));
        EXPECT_EQ((std::vector<size_t>{1, 5}), ScanToEnd(search, content, slice)) << slice;
    }
    IncrementalSearch search;
    EXPECT_FALSE(search.Start("", false, "", false, {1, 2}));
    EXPECT_FALSE(search.Scanning());
    EXPECT_TRUE(search.Finish().empty());
}

// Narrowing looks only through the rows shown, so a bookmark left out of
// them tells which scan ran.
TEST(IncrementalSearchTest, NarrowsOnlyALongerTextOfTheShownSearchUnderItsTerms)
{
    StoreContent content;
    for (const char* name : {"needles", "needles", "needles"})
        content.m_arrItems.push_back(MakeItem(name, "http://a/", "Web"));
    const std::vector<size_t> shown = {0, 2, 7};  // 7: gone since, skipped
    const struct {
        const char* text;
        bool groupOnly;
        const char* group;
        bool narrowing;
        bool forget;
        std::vector<size_t> found;
    } cases[] = {
        {"needles", false, "", true, false, {0, 2}},
        {"needl", false, "", true, false, {0, 1, 2}},     // shorter: a new scan
        {"needles", false, "", false, false, {0, 1, 2}},  // not asked to narrow
        {"needles", false, "", true, true, {0, 1, 2}},    // the collection changed
        {"needles", true, "Web", true, false, {0, 1, 2}}, // other terms
    };
    for (const auto& c : cases) {
        IncrementalSearch search;
        ASSERT_TRUE(search.Start("needle", false, "", false, {}));
        search.Finish();
        if (c.forget)
            search.Forget();
        ASSERT_TRUE(search.Start(c.text, c.groupOnly, c.group, c.narrowing, shown));
        EXPECT_EQ(c.found, ScanToEnd(search, content, 1)) << c.text << c.narrowing << c.forget << c.groupOnly;
    }
    // A stopped scan leaves the shown search as it was.
    IncrementalSearch search;
    search.Start("need", false, "", false, {});
    search.Finish();
    search.Start("x", false, "", false, {});
    search.Stop();
    ASSERT_TRUE(search.Start("needles", false, "", true, shown));
    EXPECT_EQ((std::vector<size_t>{0, 2}), ScanToEnd(search, content, 2));
}

} // namespace
