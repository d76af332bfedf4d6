// Tests of windows' places kept in the settings.
#include "settings/WindowRect.h"

#include "settings/MemoryProfile.h"

#include <gtest/gtest.h>

TEST(WindowRect, OnlyFourNumbersGivingASensibleSizeAreRead)
{
    const struct {
        const char* text;
        bool read;
        WindowRect rect;
    } cases[] = {
        {"10,20,410,320", true, {10, 20, 410, 320}},
        {"-1920,-5,-1000,700", true, {-1920, -5, -1000, 700}},  // a monitor left of the main one
        {"0,0,100000,1", true, {0, 0, 100000, 1}},
        {"", false, {}},
        {"10,20,410", false, {}},
        {"10,20,410,320,5", false, {}},
        {"10, 20,410,320", false, {}},
        {"10,20,410,320 ", false, {}},
        {"10,20,10,320", false, {}},   // no width
        {"10,20,5,320", false, {}},    // right of left
        {"0,0,100001,10", false, {}},  // larger than any screen
        {"1000001,0,1000002,10", false, {}},
        {"99999999999999999999,0,1,1", false, {}},
        {"--1,0,1,1", false, {}},
        {"a,b,c,d", false, {}},
    };
    for (const auto& c : cases) {
        WindowRect rect = {7, 7, 7, 7};
        EXPECT_EQ(ParseWindowRect(c.text, rect), c.read) << c.text;
        const WindowRect expected = c.read ? c.rect : WindowRect{7, 7, 7, 7};
        EXPECT_EQ(FormatWindowRect(rect), FormatWindowRect(expected)) << c.text;
    }

    MemoryProfile profile;
    WindowRect rect;
    EXPECT_FALSE(ReadWindowRect(profile, kFindWindowEntry, rect));
    WriteWindowRect(profile, kFindWindowEntry, {-30, 40, 500, 600});
    const std::pair<std::string, std::string> entry = {"Settings", "Find Window"};
    EXPECT_EQ(profile.texts[entry], "-30,40,500,600");
    ASSERT_TRUE(ReadWindowRect(profile, kFindWindowEntry, rect));
    EXPECT_EQ(FormatWindowRect(rect), "-30,40,500,600");
}
