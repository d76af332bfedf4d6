// Tests of the store's text comparison.
#include "store/TextCompare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

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

TEST(TextCompare, IndexSortAgreesWithTheComparisonBothWays)
{
    // Short alphabets make long common prefixes, equal texts, texts that are
    // prefixes of others and zero bytes inside the first eight.
    std::mt19937 random(7);
    const std::string alphabet("aAbB_\xE4\0", 7);
    std::vector<std::string> texts;
    for (size_t i = 0; i < 3000; ++i) {
        std::string text(random() % 12, ' ');
        for (char& c : text)
            c = alphabet[random() % alphabet.size()];
        texts.push_back(text);
    }
    for (const bool ascending : {true, false}) {
        std::vector<size_t> indices(texts.size());
        std::iota(indices.begin(), indices.end(), size_t{0});
        std::shuffle(indices.begin(), indices.end(), random);
        SortIndicesNoCase(indices, [&](size_t i) -> const std::string& { return texts[i]; }, ascending);
        for (size_t i = 1; i < indices.size(); ++i) {
            const int order = CompareNoCase(texts[indices[i - 1]], texts[indices[i]]);
            ASSERT_TRUE(ascending ? order <= 0 : order >= 0) << i;
            if (order == 0) {
                ASSERT_LT(indices[i - 1], indices[i]) << i;
            }
        }
    }
}

TEST(TextCompare, PrefixComparisonFindsTheRunOfNamesBeginningWithIt)
{
    const struct {
        const char* text;
        const char* prefix;
        int sign;
    } cases[] = {{"Banana", "ba", 0}, {"ba", "BA", 0},  {"b", "ba", -1},     {"apple", "ba", -1},
                 {"bz", "ba", 1},     {"anything", "", 0}, {"\xC4x", "\xE4", -1}, {"Bread", "Ban", 1}};
    for (const auto& c : cases) {
        const int result = CompareNoCasePrefix(c.text, c.prefix);
        EXPECT_EQ((result > 0) - (result < 0), c.sign) << c.text << " " << c.prefix;
        EXPECT_EQ(result == 0, StartsWithNoCase(c.text, c.prefix)) << c.text << " " << c.prefix;
    }
}
