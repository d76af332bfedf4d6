#include "store/TextCompare.h"

#include <gtest/gtest.h>

TEST(TextCompare, FoldsOnlyAsciiLetters)
{
    struct Case {
        const char* a;
        const char* b;
        bool equal;
    } cases[] = {
        {"New Group", "new group", true},
        {"HTTP://X.ORG", "http://x.org", true},
        {"\xC4rger", "\xE4rger", false},  // Windows-1252 A/a umlaut: bytes compare as they are
        {"a[", "A{", false},              // '[' and '{' differ by 0x20 but are not letters
        {"abc", "abcd", false},
        {"", "", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextEqual(c.a, c.b), c.equal) << c.a << " / " << c.b;
}

TEST(TextCompare, OrdersLikeTheCaseInsensitiveCLibraryComparison)
{
    EXPECT_LT(CompareNoCase("apple", "Banana"), 0);
    EXPECT_GT(CompareNoCase("Zoo", "apple"), 0);
    // Letters fold to lower case, so '_' (0x5F) sorts before every letter.
    EXPECT_LT(CompareNoCase("_x", "Ax"), 0);
    EXPECT_LT(CompareNoCase("ab", "ABC"), 0);
    // High bytes are unsigned: after all ASCII.
    EXPECT_GT(CompareNoCase("\xE4", "z"), 0);
    EXPECT_EQ(CompareNoCase("MiXeD", "mixed"), 0);
}

TEST(TextCompare, SortIsStableForEqualNames)
{
    const std::vector<std::string> names = {"b", "A", "B", "a", "c"};
    const std::vector<size_t> expected = {1, 3, 0, 2, 4};
    EXPECT_EQ(SortedOrder(names), expected);
}

TEST(TextCompare, HashAgreesWithEquality)
{
    EXPECT_EQ(HashNoCase("HTTP://Example.COM/"), HashNoCase("http://example.com/"));
    EXPECT_NE(HashNoCase("\xC4"), HashNoCase("\xE4"));
}
