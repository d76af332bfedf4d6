// Tests of the pane colours.
#include "settings/PaneColours.h"

#include "store/Prompt.h"

#include <gtest/gtest.h>

namespace {

const SystemColours kSystem = {0xEEEEEE, 0x111111};

std::vector<ColourScheme> Schemes()
{
    std::vector<ColourScheme> schemes;
    BuildColourSchemes(schemes);
    return schemes;
}

// Answers the colour dialog with a fixed colour and records where it started.
class ColourPrompt : public IPrompt {
public:
    MessageAnswer ShowMessage(const std::string&, MessageStyle) override { return MessageAnswer::Ok; }
    bool ChooseColour(uint32_t& colour, uint32_t custom[16]) override
    {
        startedAt = colour;
        customSeen = custom;
        if (!ok)
            return false;
        colour = answer;
        return true;
    }
    bool ok = true;
    uint32_t answer = 0x0A0B0C;
    uint32_t startedAt = 0;
    uint32_t* customSeen = nullptr;
};

}  // namespace

TEST(PaneColours, SchemeTableInMenuOrder)
{
    std::vector<ColourScheme> schemes = Schemes();
    BuildColourSchemes(schemes);  // a second build does not grow the table
    const struct {
        const char* name;
        uint32_t text;
        uint32_t background;
    } expected[] = {
        {"Space", 0xFFFFFF, 0x000000},     {"Navy", 0x00C7FF, 0x800000},
        {"Aquarium", 0x800000, 0xF0CB00}, {"Green Field", 0x00E0DC, 0x008200},
        {"Twilight", 0xC8C8C8, 0x464646}, {"Sea", 0x00C9C9, 0x4F4F00},
        {"Meadow", 0x783425, 0x9B9B00},
    };
    ASSERT_EQ(schemes.size(), 7u);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(schemes[i].name, expected[i].name);
        EXPECT_EQ(schemes[i].textColour, expected[i].text) << i;
        EXPECT_EQ(schemes[i].backgroundColour, expected[i].background) << i;
    }
    EXPECT_EQ(kSchemeCount, 7);
}

TEST(PaneColours, FirstApplyingSourceWins)
{
    const std::vector<ColourScheme> schemes = Schemes();
    const struct {
        uint32_t system, custom, scheme;
        uint32_t background, text;
    } cases[] = {
        {1, 0, 0, 0xEEEEEE, 0x111111},  // first start: system colours
        {1, 1, 1, 0xEEEEEE, 0x111111},
        {0, 0, 0, 0x000000, 0xFFFFFF},  // "Space": white on black
        {0, 1, 0, 0x000000, 0x0000FF},  // custom, nothing chosen yet: red on black
        {0, 0, 1, 0x800000, 0x00C7FF},  // "Navy"
        {0, 0, 6, 0x9B9B00, 0x783425},
        {0, 0, 7, 0x000000, 0xFFFFFF},  // out of range: "Space"
        {0, 0, 0xFFFFFFFF, 0x000000, 0xFFFFFF},
        {5, 0, 0, 0xEEEEEE, 0x111111},  // any non-zero is on
    };
    for (const auto& c : cases) {
        Preferences prefs;
        prefs.useSystemColours = c.system;
        prefs.useCustomColours = c.custom;
        prefs.scheme = c.scheme;
        const PaneColourPair pair = ChoosePaneColours(prefs, schemes, kSystem);
        EXPECT_EQ(pair.background, c.background) << c.system << c.custom << c.scheme;
        EXPECT_EQ(pair.text, c.text) << c.system << c.custom << c.scheme;
    }
    Preferences prefs;
    prefs.useSystemColours = 0;
    const PaneColourPair noTable = ChoosePaneColours(prefs, {}, kSystem);
    EXPECT_EQ(noTable.background, kSystem.window);
}

TEST(PaneColours, TheRadioMarkFollowsSchemeAndFallsBackToTheFirst)
{
    Preferences prefs;
    EXPECT_EQ(MarkedScheme(prefs), 0);
    prefs.scheme = 6;
    EXPECT_EQ(MarkedScheme(prefs), 6);
    prefs.scheme = 9;
    EXPECT_EQ(MarkedScheme(prefs), 0);
}

TEST(PaneColours, CustomColourDialogStartsAtTheColourInEffect)
{
    const std::vector<ColourScheme> schemes = Schemes();
    Preferences prefs;
    prefs.useSystemColours = 0;
    prefs.scheme = 2;  // "Aquarium"
    ColourPrompt prompt;

    ASSERT_TRUE(ChooseCustomColour(prompt, prefs, schemes, kSystem, true));
    EXPECT_EQ(prompt.startedAt, 0xF0CB00u);
    EXPECT_EQ(prompt.customSeen, theCustomColours);
    EXPECT_EQ(prefs.bkColour, 0x0A0B0Cu);
    // Custom colours stay off: the panes still show the scheme.
    EXPECT_EQ(prefs.useCustomColours, 0u);
    EXPECT_EQ(ChoosePaneColours(prefs, schemes, kSystem).background, 0xF0CB00u);

    prefs.useSystemColours = 1;
    ASSERT_TRUE(ChooseCustomColour(prompt, prefs, schemes, kSystem, false));
    EXPECT_EQ(prompt.startedAt, kSystem.windowText);
    EXPECT_EQ(prefs.txtColour, 0x0A0B0Cu);

    prompt.ok = false;
    prefs.useSystemColours = 0;
    prefs.useCustomColours = 1;
    EXPECT_FALSE(ChooseCustomColour(prompt, prefs, schemes, kSystem, true));
    EXPECT_EQ(prompt.startedAt, 0x0A0B0Cu);
    EXPECT_EQ(prefs.bkColour, 0x0A0B0Cu);
}
