#include "exchange/BookmarkSearch.h"
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

} // namespace
