// Tests of Find's text search.
#include "query/BookmarkSearch.h"
#include "store/DataFile.h"
#include "tests/support/Fakes.h"

#include <gtest/gtest.h>

namespace {

TEST(BookmarkSearchTest, AsciiLettersWithoutRegardToCaseAtEveryPlace)
{
    EXPECT_TRUE(TextSearch("EXAMPLE").FoundIn("www.Example.com"));
    EXPECT_TRUE(TextSearch("e.c").FoundIn("www.Example.COM"));
    EXPECT_TRUE(TextSearch("").FoundIn(""));
    EXPECT_FALSE(TextSearch("abcd").FoundIn("abc"));
    EXPECT_FALSE(TextSearch("xyz").FoundIn(""));
    // Only ASCII letters fold: other bytes, also 0xC0-0xFF, are compared as they are.
    EXPECT_FALSE(TextSearch("\xC4").FoundIn("\xE4"));
    EXPECT_TRUE(TextSearch("\xC4x").FoundIn("a\xC4X"));
    EXPECT_FALSE(TextSearch("@").FoundIn("`"));
    EXPECT_FALSE(TextSearch("[").FoundIn("{"));
    // Many near misses before the match, of both anchor kinds.
    EXPECT_TRUE(TextSearch("aab").FoundIn("AaAaAaAaAAB"));
    EXPECT_TRUE(TextSearch("a.b").FoundIn("a.a.A.a.A.B"));
    EXPECT_FALSE(TextSearch("aab").FoundIn("AaAaAaAaAA"));
    EXPECT_TRUE(TextSearch("ab").FoundIn("xxAB"));   // at the very end
    EXPECT_TRUE(TextSearch("ab").FoundIn("Abxx"));   // at the very start
    EXPECT_FALSE(TextSearch("ab").FoundIn("xxxA"));  // cut off by the end
    EXPECT_FALSE(TextSearch("b/").FoundIn("xxb"));
    // A NUL byte is a byte like any other.
    EXPECT_TRUE(TextSearch(std::string("a\0b", 3)).FoundIn(std::string("xA\0B", 4)));
    EXPECT_FALSE(TextSearch("ab").FoundIn(std::string("a\0b", 3)));
}

TEST(BookmarkSearchTest, FindsInNameUrlAndDescriptionInStoreOrder)
{
    StoreContent content;
    content.m_arrGroups = {"Web"};
    content.m_arrItems = {
        MakeItem("Needle in the name", "http://a/", "Web"),
        MakeItem("b", "http://NEEDLE.example/", "web"),
        MakeItem("c", "http://c/", "Other", "a needle here"),
        MakeItem("d", "http://d/", "Web", "nothing"),
        MakeItem("e", "http://e/", "needle"),  // the group is not searched
    };
    EXPECT_EQ((std::vector<size_t>{0, 1, 2}), FindBookmarks(content, "nEEdle"));
    const std::string web = "WEB";
    EXPECT_EQ((std::vector<size_t>{0, 1}), FindBookmarks(content, "needle", &web));
    EXPECT_EQ((std::vector<size_t>{0, 1, 3}), FindBookmarks(content, "", &web));
    EXPECT_TRUE(FindBookmarks(content, "haystack").empty());
    const std::string none = "None";
    EXPECT_TRUE(FindBookmarks(content, "needle", &none).empty());
}

TEST(BookmarkSearchTest, SlicesAndNextMatchWrap)
{
    StoreContent content;
    for (const char* name : {"x", "needle", "y", "NEEDLE", "z", "needle"})
        content.m_arrItems.push_back(MakeItem(name, "http://a/", name[0] == 'N' ? "Mail" : "Web"));
    const TextSearch search("needle");

    // Slices in any cut add up to the whole scan; one past the end is cut short.
    const struct {
        size_t begin;
        size_t end;
        std::vector<size_t> found;
    } slices[] = {{0, 2, {1}}, {2, 2, {}}, {2, 4, {3}}, {4, 99, {5}}, {6, 10, {}}, {99, 9, {}}};
    std::vector<size_t> found = {42};  // appended to, never cleared
    std::vector<size_t> whole = {42};
    for (const auto& slice : slices) {
        std::vector<size_t> one;
        FindBookmarksIn(content, search, slice.begin, slice.end, one);
        EXPECT_EQ(slice.found, one) << slice.begin << ".." << slice.end;
        FindBookmarksIn(content, search, slice.begin, slice.end, found);
        whole.insert(whole.end(), slice.found.begin(), slice.found.end());
    }
    EXPECT_EQ(whole, found);
    const std::string mail = "mail";
    std::vector<size_t> inMail;
    FindBookmarksIn(content, search, 0, 6, inMail, &mail);
    EXPECT_EQ((std::vector<size_t>{3}), inMail);

    const struct {
        size_t after;
        size_t next;
    } steps[] = {{kNoBookmark, 1}, {0, 1}, {1, 3}, {3, 5}, {4, 5}, {5, 1}, {6, 1}, {99, 1}};
    for (const auto& step : steps)
        EXPECT_EQ(step.next, FindNextBookmark(content, search, step.after)) << step.after;
    EXPECT_EQ(kNoBookmark, FindNextBookmark(content, TextSearch("haystack"), 2));
    EXPECT_EQ(3u, FindNextBookmark(content, search, 3, &mail));
    EXPECT_EQ(kNoBookmark, FindNextBookmark(StoreContent{}, search, kNoBookmark));
    content.m_arrItems.resize(2);
    EXPECT_EQ(1u, FindNextBookmark(content, search, 1));  // the only match comes round to itself
}

} // namespace
