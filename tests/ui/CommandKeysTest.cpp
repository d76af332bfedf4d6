// Tests of the command id to key mapping.
#include "ui/CommandKeys.h"

#include "launch/SearchEngines.h"
#include "res/resource.h"
#include "settings/PaneColours.h"

#include <gtest/gtest.h>

TEST(CommandKeys, EachPreferenceCommandNamesItsToggle)
{
    const struct {
        UINT command;
        uint32_t Preferences::*variable;
    } toggles[] = {
        {ID_PREF_DELETE_SOURCE, &Preferences::bDeleteSourceFile},
        {ID_PREF_SAVE_LEFT_WIDTH, &Preferences::bSaveLeftWidth},
        {ID_PREF_QUICK_EDIT, &Preferences::quickEdit},
        {ID_PREF_MINIMISE_TO_TRAY, &Preferences::trayIcon},
        {ID_PREF_OPEN_LAST_FILE, &Preferences::openLastFile},
        {ID_PREF_ONE_INSTANCE, &Preferences::oneInstance},
        {ID_COLOUR_USE_SYSTEM, &Preferences::useSystemColours},
        {ID_COLOUR_USE_CUSTOM, &Preferences::useCustomColours},
        {ID_PREF_KEEP_BACKUPS, &Preferences::keepBackups},
    };
    for (const auto& t : toggles) {
        Toggle toggle;
        ASSERT_TRUE(ToggleOfCommand(t.command, toggle)) << t.command;
        Preferences prefs;
        EXPECT_EQ(&ToggleVariable(prefs, toggle), &(prefs.*t.variable)) << t.command;
    }
    Toggle toggle;
    EXPECT_FALSE(ToggleOfCommand(ID_PREF_OPEN_NEW_WINDOW, toggle));
    EXPECT_FALSE(ToggleOfCommand(ID_GROUP_ADD, toggle));
}

TEST(CommandKeys, SchemesEnginesAndViewsInMenuOrder)
{
    const UINT schemes[] = {ID_SCHEME_SPACE,    ID_SCHEME_NAVY, ID_SCHEME_AQUARIUM, ID_SCHEME_GREEN_FIELD,
                            ID_SCHEME_TWILIGHT, ID_SCHEME_SEA,  ID_SCHEME_MEADOW};
    ASSERT_EQ(std::size(schemes), size_t(kSchemeCount));
    for (int i = 0; i < kSchemeCount; ++i) {
        EXPECT_EQ(SchemeCommand(i), schemes[i]);
        EXPECT_EQ(SchemeOfCommand(schemes[i]), i);
    }
    EXPECT_EQ(SchemeOfCommand(32855), -1);
    EXPECT_EQ(SchemeCommand(7), 0u);

    const UINT engines[] = {ID_SEARCH_APORT,    ID_SEARCH_RAMBLER, ID_SEARCH_YANDEX,  ID_SEARCH_ALTAVISTA,
                            ID_SEARCH_EUROSEEK, ID_SEARCH_HOTBOT,  ID_SEARCH_INFOSEEK};
    ASSERT_EQ(std::size(engines), size_t(kSearchEngineCount));
    for (int i = 0; i < kSearchEngineCount; ++i)
        EXPECT_EQ(SearchEngineOfCommand(engines[i]), i);
    EXPECT_EQ(SearchEngineOfCommand(ID_SCHEME_SPACE), -1);

    EXPECT_EQ(ViewModeCommand(ViewMode::LargeIcons), UINT(ID_VIEW_LARGE_ICONS));
    EXPECT_EQ(ViewModeCommand(ViewMode::Details), UINT(ID_VIEW_DETAILS));
    EXPECT_EQ(ViewModeCommand(ViewMode::SmallIcons), UINT(ID_VIEW_SMALL_ICONS));
    EXPECT_EQ(ViewModeCommand(ViewMode::List), UINT(ID_VIEW_LIST));
}
