// Command ids mapped to the core's keys.
#pragma once

#include "settings/Preferences.h"

#include <windows.h>

// Where a command id meets the core's own keys: the preference it flips,
// the scheme, the search engine or the view it picks. The core never sees
// a command id.

// False for a command that flips no preference.
bool ToggleOfCommand(UINT id, Toggle& toggle);
// The scheme of a "&Schemes" command, -1 for any other; and back (0 for none).
int SchemeOfCommand(UINT id);
UINT SchemeCommand(int scheme);
// The engine of a Tools menu command, -1 for any other.
int SearchEngineOfCommand(UINT id);
// The view command (ID_VIEW_LARGE_ICONS..ID_VIEW_DETAILS) of a view.
UINT ViewModeCommand(ViewMode mode);
