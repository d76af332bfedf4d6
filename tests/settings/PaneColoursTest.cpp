#include "settings/PaneColours.h"

#include "res/resource.h"
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
        unsigned command;
        uint32_t text;
        uint32_t background;
    } expected[] = {
        {"Space", ID_SCHEME_SPACE, 0xFFFFFF, 0x000000},     {"Navy", ID_SCHEME_NAVY, 0x00C7FF, 0x800000},
        {"Aquarium", ID_SCHEME_AQUARIUM, 0x800000, 0xF0CB00}, {"Green Field", ID_SCHEME_GREEN_FIELD, 0x00E0DC, 0x008200},
        {"Twilight", ID_SCHEME_TWILIGHT, 0xC8C8C8, 0x464646}, {"Sea", ID_SCHEME_SEA, 0x00C9C9, 0x4F4F00},
        {"Meadow", ID_SCHEME_MEADOW, 0x783425, 0x9B9B00},
    };
    ASSERT_EQ(schemes.size(), 7u);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(schemes[i].name, expected[i].name);
        EXPECT_EQ(schemes[i].textColour, expected[i].text) << i;
        EXPECT_EQ(schemes[i].backgroundColour, expected[i].background) << i;
        EXPECT_EQ(SchemeCommandOfIndex(i), expected[i].command);
        EXPECT_EQ(SchemeIndexOfCommand(expected[i].command), i);
    }
    EXPECT_EQ(SchemeIndexOfCommand(32855), -1);
    EXPECT_EQ(SchemeCommandOfIndex(7), 0u);
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

TEST(PaneColours, SchemeCommandsMoveTheRadioMarkOnly)
{
    Preferences prefs;
    EXPECT_EQ(CheckedSchemeCommand(prefs), unsigned(ID_SCHEME_SPACE));
    EXPECT_TRUE(ApplySchemeCommand(prefs, ID_SCHEME_NAVY));
    EXPECT_EQ(prefs.scheme, 1u);
    EXPECT_EQ(CheckedSchemeCommand(prefs), unsigned(ID_SCHEME_NAVY));
    EXPECT_EQ(prefs.useSystemColours, 1u);
    EXPECT_TRUE(ApplySchemeCommand(prefs, ID_SCHEME_MEADOW));
    EXPECT_EQ(prefs.scheme, 6u);
    EXPECT_FALSE(ApplySchemeCommand(prefs, ID_COLOUR_USE_CUSTOM));
    EXPECT_EQ(prefs.scheme, 6u);
    prefs.scheme = 9;
    EXPECT_EQ(CheckedSchemeCommand(prefs), unsigned(ID_SCHEME_SPACE));
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
