// The panes' colours and choosing them.
#pragma once

#include "settings/ColourScheme.h"
#include "settings/Preferences.h"

#include <cstdint>
#include <vector>

class IPrompt;

struct PaneColourPair {
    uint32_t background;
    uint32_t text;
};

// The system's window colours (COLOR_WINDOW, COLOR_WINDOWTEXT), asked for
// anew by the caller each time.
struct SystemColours {
    uint32_t window;
    uint32_t windowText;
};

// First of system, custom, scheme whose setting applies. A "Scheme" with no
// entry in the table shows the first scheme.
PaneColourPair ChoosePaneColours(const Preferences& prefs, const std::vector<ColourScheme>& schemes,
                                 SystemColours system);

// The built-in schemes, "Space" to "Meadow"; "Scheme" indexes them.
constexpr int kSchemeCount = 7;
// The scheme that carries the radio mark: "Scheme", or the first when
// "Scheme" names none.
int MarkedScheme(const Preferences& prefs);

// The dialog's sixteen custom colours, kept for the run.
extern uint32_t theCustomColours[16];

// "&Background..." (background) and "&Font..." (text): the colour dialog
// starts at the colour now in effect; OK stores it in "BkColour" or
// "TxtColour" and returns true (the caller redraws both panes).
bool ChooseCustomColour(IPrompt& prompt, Preferences& prefs, const std::vector<ColourScheme>& schemes,
                        SystemColours system, bool background);

// GetSysColor on Windows; white and black elsewhere.
SystemColours CurrentSystemColours();
