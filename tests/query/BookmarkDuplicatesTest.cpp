// Tests of the duplicate sets.
#include "query/BookmarkDuplicates.h"
#include "store/DataFile.h"
#include "tests/support/Fakes.h"

#include <gtest/gtest.h>

namespace {

StoreContent WithURLs(const std::vector<std::string>& urls)
{
    StoreContent content;
    for (size_t i = 0; i < urls.size(); ++i)
        content.m_arrItems.push_back(MakeItem(std::to_string(i), urls[i], "G"));
    return content;
}

// The sets as store indices, one vector per set.
std::vector<std::vector<size_t>> Sets(const DuplicateSets& sets)
{
    std::vector<std::vector<size_t>> result;
    for (size_t s = 0; s < sets.setStarts.size(); ++s) {
        const size_t end = s + 1 < sets.setStarts.size() ? sets.setStarts[s + 1] : sets.items.size();
        result.emplace_back(sets.items.begin() + static_cast<ptrdiff_t>(sets.setStarts[s]),
                            sets.items.begin() + static_cast<ptrdiff_t>(end));
    }
    return result;
}

TEST(BookmarkDuplicatesTest, SetsOfOneUrlInUrlOrderThenStoreOrder)
{
    const struct {
        const char* name;
        std::vector<std::string> urls;
        std::vector<std::vector<size_t>> sets;
    } cases[] = {
        {"empty store", {}, {}},
        {"no URL shared", {"http://a/", "http://b/", "http://a"}, {}},
        {"scheme and host folded", {"http://x/", "HTTP://X/", "http://y/", "Http://x/"}, {{0, 1, 3}}},
        // Two short links, two video ids: by bytes, sets of one folded URL too.
        {"path as it is",
         {"https://sho.rt/abc", "https://sho.rt/AbC", "http://v/?id=Q", "HTTPS://SHO.RT/AbC", "http://v/?id=q",
          "https://sho.rt/abc"},
         {{1, 3}, {0, 5}}},
        // Only ASCII letters fold; 0xC4 and 0xE4 are different bytes.
        {"other bytes as they are", {"http://\xC4/", "http://\xE4/", "http://\xC4/"}, {{0, 2}}},
        // By the folded bytes: "_" (0x5F) sorts before "z" (0x7A) though after "Z" (0x5A).
        {"sets by folded URL",
         {"http://Z/", "http://_/", "http://b/", "http://z/", "http://_/", "http://B/", "http://\xE4/", "http://\xE4/"},
         {{1, 4}, {2, 5}, {0, 3}, {6, 7}}},
        {"a prefix sorts first", {"http://ab", "http://a", "http://AB", "http://A"}, {{1, 3}, {0, 2}}},
        {"empty URLs are one URL", {"", "http://a/", ""}, {{0, 2}}},
    };
    for (const auto& c : cases) {
        const DuplicateSets sets = FindDuplicates(WithURLs(c.urls));
        EXPECT_EQ(c.sets, Sets(sets)) << c.name;
    }
}

TEST(BookmarkDuplicatesTest, ExtraCopiesAreAllButTheFirstOfEachSet)
{
    const DuplicateSets sets =
        FindDuplicates(WithURLs({"http://b/", "http://a/", "http://B/", "http://c/", "http://A/", "http://b/"}));
    ASSERT_EQ((std::vector<size_t>{1, 4, 0, 2, 5}), sets.items);
    EXPECT_EQ((std::vector<size_t>{1, 3, 4}), ExtraCopies(sets));
    EXPECT_TRUE(ExtraCopies(DuplicateSets{}).empty());
}

} // namespace
