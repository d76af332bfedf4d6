// Tests of FormatText.
#include "store/TextFormat.h"

#include <gtest/gtest.h>

namespace {

TEST(TextFormatTest, NumberedArgumentsInOnePass)
{
    const struct {
        const char* pattern;
        std::initializer_list<std::string> args;
        const char* text;
    } cases[] = {
        {"Save changes to %1?", {"a.lkh"}, "Save changes to a.lkh?"},
        {"%1 and %1", {"x"}, "x and x"},                          // every one
        {"%1 bookmarks share %2 addresses", {"3", "2"}, "3 bookmarks share 2 addresses"},
        {"%2 before %1", {"a", "b"}, "b before a"},
        {"%1", {"%2"}, "%2"},                                      // an argument is never read again
        {"%2 %3", {"a", "b"}, "b %3"},                             // no such argument
        {"100% sure, %0, %", {"a"}, "100% sure, %0, %"},           // not an argument
        {"%d more...", {"4"}, "4 more..."},                        // the older texts' %1
        {"%d", {}, "%d"},
        {"%%1", {"a"}, "%a"},
        {"", {"a"}, ""},
        {"%1", {""}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, FormatText(c.pattern, c.args)) << c.pattern;
}

} // namespace
