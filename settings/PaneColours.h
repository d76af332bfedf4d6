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

// The scheme index of a command of the "&Schemes" submenu, or -1.
int SchemeIndexOfCommand(unsigned command);
unsigned SchemeCommandOfIndex(int index);
// The command that carries the radio mark: the one of "Scheme", "&Space"
// when "Scheme" is out of range.
unsigned CheckedSchemeCommand(const Preferences& prefs);
// Sets "Scheme" for a scheme command; false for any other command.
bool ApplySchemeCommand(Preferences& prefs, unsigned command);

// The dialog's sixteen custom colours, kept for the run.
extern uint32_t theCustomColours[16];

// "&Background..." (background) and "&Font..." (text): the colour dialog
// starts at the colour now in effect; OK stores it in "BkColour" or
// "TxtColour" and returns true (the caller redraws both panes).
bool ChooseCustomColour(IPrompt& prompt, Preferences& prefs, const std::vector<ColourScheme>& schemes,
                        SystemColours system, bool background);

// GetSysColor on Windows; white and black elsewhere.
SystemColours CurrentSystemColours();
