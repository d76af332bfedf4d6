// Tests of the preferences.
#include "settings/Preferences.h"

#include "settings/MemoryProfile.h"

#include <gtest/gtest.h>

namespace {

Preferences LoadAll(MemoryProfile& profile)
{
    Preferences prefs;
    ReadOpenLastFile(profile, prefs);
    ReadColourPreferences(profile, prefs);
    ReadPaneWidthPreferences(profile, prefs);
    ReadViewModePreference(profile, prefs);
    ReadOtherPreferences(profile, prefs);
    return prefs;
}

}  // namespace

TEST(Preferences, EmptyProfileGivesTheDefaultsInLoadingOrder)
{
    MemoryProfile profile;
    Preferences prefs;
    // Start from values other than the defaults, so every read must set its own.
    prefs.useSystemColours = 7;
    prefs.txtColour = 7;
    prefs.leftPaneWidth = 7;
    prefs.openLastFile = 7;
    prefs.bCreateNewProcess = 7;
    prefs.msiePath = "x";
    ReadOpenLastFile(profile, prefs);
    ReadColourPreferences(profile, prefs);
    ReadPaneWidthPreferences(profile, prefs);
    ReadViewModePreference(profile, prefs);
    ReadOtherPreferences(profile, prefs);

    const std::vector<std::string> order = {
        "Open Last File", "BkColour", "TxtColour", "Scheme", "bSaveLeftWidth", "LeftPaneWidth", "View Mode",
        "bDeleteSourceFile", "Quick Edit", "Use System Colours", "Use Custom Colours", "MSIE Path", "NN Path",
        "Custom Path", "One Instance", "bCreateNewProcess", "TrayIcon", "Keep Backups",
        "Quick Open Key",
    };
    EXPECT_EQ(profile.reads, order);

    EXPECT_EQ(prefs.bDeleteSourceFile, 0u);
    EXPECT_EQ(prefs.quickEdit, 0u);
    EXPECT_EQ(prefs.useSystemColours, 1u);
    EXPECT_EQ(prefs.useCustomColours, 0u);
    EXPECT_EQ(prefs.msiePath, "");
    EXPECT_EQ(prefs.nnPath, "");
    EXPECT_EQ(prefs.customPath, "");
    EXPECT_EQ(prefs.oneInstance, 0u);
    EXPECT_EQ(prefs.bCreateNewProcess, 1u);
    EXPECT_EQ(prefs.trayIcon, 0u);
    EXPECT_EQ(prefs.bkColour, 0u);
    EXPECT_EQ(prefs.txtColour, 255u);
    EXPECT_EQ(prefs.scheme, 0u);
    EXPECT_EQ(prefs.bSaveLeftWidth, 0u);
    EXPECT_EQ(prefs.leftPaneWidth, 150u);
    EXPECT_EQ(prefs.viewMode, 0u);
    EXPECT_EQ(prefs.openLastFile, 1u);
    EXPECT_EQ(prefs.keepBackups, 1u);
    EXPECT_EQ(prefs.quickOpenKey, 0x0642u);
    EXPECT_EQ(InitialLeftPaneWidth(prefs), 150u);
    EXPECT_EQ(ViewModeOf(prefs.viewMode), ViewMode::LargeIcons);
}

TEST(Preferences, WritesEveryValueInSavingOrderAndReadsThemBack)
{
    Preferences saved;
    saved.bDeleteSourceFile = 1;
    saved.quickEdit = 1;
    saved.useSystemColours = 0;
    saved.useCustomColours = 1;
    saved.msiePath = "C:\\Program Files\\ie.exe";
    saved.nnPath = "C:\\nn.exe";
    saved.customPath = std::string(300, 'c');
    saved.oneInstance = 1;
    saved.bCreateNewProcess = 0;
    saved.trayIcon = 1;
    saved.bkColour = 0x123456;
    saved.txtColour = 0xABCDEF;
    saved.scheme = 5;
    saved.bSaveLeftWidth = 1;
    saved.leftPaneWidth = 321;
    saved.viewMode = 3;
    saved.openLastFile = 0;
    saved.keepBackups = 0;
    saved.quickOpenKey = 0;

    MemoryProfile profile;
    WritePreferences(profile, saved);
    const std::vector<std::string> order = {
        "View Mode", "bCreateNewProcess", "bDeleteSourceFile", "Quick Edit", "TrayIcon", "LeftPaneWidth",
        "bSaveLeftWidth", "Open Last File", "Scheme", "Use System Colours", "Use Custom Colours", "MSIE Path",
        "NN Path", "Custom Path", "One Instance", "BkColour", "TxtColour", "Keep Backups",
        "Quick Open Key",
    };
    EXPECT_EQ(profile.writes, order);
    EXPECT_EQ(profile.texts.size(), 3u);
    for (const auto& entry : profile.numbers)
        EXPECT_EQ(entry.first.first, "Settings");

    const Preferences loaded = LoadAll(profile);
    EXPECT_EQ(loaded.bDeleteSourceFile, 1u);
    EXPECT_EQ(loaded.quickEdit, 1u);
    EXPECT_EQ(loaded.useSystemColours, 0u);
    EXPECT_EQ(loaded.useCustomColours, 1u);
    EXPECT_EQ(loaded.msiePath, saved.msiePath);
    EXPECT_EQ(loaded.nnPath, saved.nnPath);
    EXPECT_EQ(loaded.customPath, saved.customPath);
    EXPECT_EQ(loaded.oneInstance, 1u);
    EXPECT_EQ(loaded.bCreateNewProcess, 0u);
    EXPECT_EQ(loaded.trayIcon, 1u);
    EXPECT_EQ(loaded.bkColour, 0x123456u);
    EXPECT_EQ(loaded.txtColour, 0xABCDEFu);
    EXPECT_EQ(loaded.scheme, 5u);
    EXPECT_EQ(loaded.leftPaneWidth, 321u);
    EXPECT_EQ(loaded.viewMode, 3u);
    EXPECT_EQ(loaded.openLastFile, 0u);
    EXPECT_EQ(loaded.keepBackups, 0u);
    EXPECT_EQ(loaded.quickOpenKey, 0u);
    EXPECT_EQ(InitialLeftPaneWidth(loaded), 321u);
}

TEST(Preferences, LeftPaneWidthIsUsedOnlyWhenSavingItIsOn)
{
    MemoryProfile profile;
    Preferences prefs;
    prefs.leftPaneWidth = 400;
    WritePreferences(profile, prefs);  // written although bSaveLeftWidth is 0
    Preferences loaded = LoadAll(profile);
    EXPECT_EQ(loaded.leftPaneWidth, 400u);
    EXPECT_EQ(InitialLeftPaneWidth(loaded), 150u);
    loaded.bSaveLeftWidth = 1;
    EXPECT_EQ(InitialLeftPaneWidth(loaded), 400u);
}

TEST(Preferences, ViewModeMapsToItsViewAndBack)
{
    const struct {
        uint32_t stored;
        ViewMode view;
    } cases[] = {
        {0, ViewMode::LargeIcons}, {1, ViewMode::Details}, {2, ViewMode::SmallIcons},
        {3, ViewMode::List},       {7, ViewMode::List},    {0xFFFFFFFF, ViewMode::List},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ViewModeOf(c.stored), c.view) << c.stored;
    // Saved from the list view's style: its low two bits, whatever else is set.
    EXPECT_EQ(ViewModeOfStyle(0x50000000u | 1u), 1u);
    EXPECT_EQ(ViewModeOfStyle(0x50000000u | 3u), 3u);
    EXPECT_EQ(ViewModeOfStyle(0x50000004u), 0u);
}

TEST(Preferences, TogglesFlipTheirVariable)
{
    const struct {
        Toggle toggle;
        uint32_t Preferences::*variable;
    } toggles[] = {
        {Toggle::DeleteSourceFile, &Preferences::bDeleteSourceFile},
        {Toggle::SaveLeftWidth, &Preferences::bSaveLeftWidth},
        {Toggle::QuickEdit, &Preferences::quickEdit},
        {Toggle::MinimiseToTray, &Preferences::trayIcon},
        {Toggle::OpenLastFile, &Preferences::openLastFile},
        {Toggle::OneInstance, &Preferences::oneInstance},
        {Toggle::UseSystemColours, &Preferences::useSystemColours},
        {Toggle::UseCustomColours, &Preferences::useCustomColours},
        {Toggle::KeepBackups, &Preferences::keepBackups},
    };
    for (const auto& t : toggles) {
        Preferences prefs;
        prefs.*t.variable = 0;
        FlipToggle(prefs, t.toggle);
        EXPECT_EQ(prefs.*t.variable, 1u);
        EXPECT_TRUE(ToggleOn(prefs, t.toggle));
        // Any non-zero stored value counts as on and flips to 0.
        prefs.*t.variable = 42;
        EXPECT_TRUE(ToggleOn(prefs, t.toggle));
        FlipToggle(prefs, t.toggle);
        EXPECT_EQ(prefs.*t.variable, 0u);
        EXPECT_FALSE(ToggleOn(prefs, t.toggle));
        EXPECT_EQ(prefs.bCreateNewProcess, 1u);
    }
}
