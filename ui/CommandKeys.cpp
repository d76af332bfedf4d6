// Command ids mapped to the core's keys.
#include "ui/CommandKeys.h"

#include "launch/SearchEngines.h"
#include "res/resource.h"
#include "settings/PaneColours.h"

namespace {

const struct {
    UINT command;
    Toggle toggle;
} kToggleCommands[] = {
    {ID_PREF_DELETE_SOURCE, Toggle::DeleteSourceFile}, {ID_PREF_SAVE_LEFT_WIDTH, Toggle::SaveLeftWidth},
    {ID_PREF_QUICK_EDIT, Toggle::QuickEdit},           {ID_PREF_MINIMISE_TO_TRAY, Toggle::MinimiseToTray},
    {ID_PREF_OPEN_LAST_FILE, Toggle::OpenLastFile},    {ID_PREF_ONE_INSTANCE, Toggle::OneInstance},
    {ID_COLOUR_USE_SYSTEM, Toggle::UseSystemColours},  {ID_COLOUR_USE_CUSTOM, Toggle::UseCustomColours},
    {ID_PREF_KEEP_BACKUPS, Toggle::KeepBackups},
};

// In menu order, which is the order of the core's tables.
const UINT kSchemeCommands[kSchemeCount] = {
    ID_SCHEME_SPACE, ID_SCHEME_NAVY, ID_SCHEME_AQUARIUM, ID_SCHEME_GREEN_FIELD,
    ID_SCHEME_TWILIGHT, ID_SCHEME_SEA, ID_SCHEME_MEADOW,
};
const UINT kSearchEngineCommands[kSearchEngineCount] = {
    ID_SEARCH_APORT, ID_SEARCH_RAMBLER, ID_SEARCH_YANDEX, ID_SEARCH_ALTAVISTA,
    ID_SEARCH_EUROSEEK, ID_SEARCH_HOTBOT, ID_SEARCH_INFOSEEK,
};

template <size_t N>
int IndexOf(const UINT (&commands)[N], UINT id)
{
    for (size_t index = 0; index < N; ++index) {
        if (commands[index] == id)
            return static_cast<int>(index);
    }
    return -1;
}

}  // namespace

bool ToggleOfCommand(UINT id, Toggle& toggle)
{
    for (const auto& row : kToggleCommands) {
        if (row.command == id) {
            toggle = row.toggle;
            return true;
        }
    }
    return false;
}

int SchemeOfCommand(UINT id)
{
    return IndexOf(kSchemeCommands, id);
}

UINT SchemeCommand(int scheme)
{
    return scheme >= 0 && scheme < kSchemeCount ? kSchemeCommands[scheme] : 0;
}

int SearchEngineOfCommand(UINT id)
{
    return IndexOf(kSearchEngineCommands, id);
}

UINT ViewModeCommand(ViewMode mode)
{
    switch (mode) {
    case ViewMode::LargeIcons: return ID_VIEW_LARGE_ICONS;
    case ViewMode::Details: return ID_VIEW_DETAILS;
    case ViewMode::SmallIcons: return ID_VIEW_SMALL_ICONS;
    case ViewMode::List: break;
    }
    return ID_VIEW_LIST;
}
