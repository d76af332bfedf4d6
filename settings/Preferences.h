// The program-wide preferences, read and saved.
#pragma once

#include "settings/Profile.h"

#include <cstdint>
#include <string>

constexpr uint32_t kDefaultQuickOpenKey = 0x0600 | 'B';  // Ctrl+Alt+B

// The program-wide preferences, named after their registry values. On/off
// values hold 0 or 1; colours are 0x00BBGGRR.
struct Preferences {
    uint32_t bDeleteSourceFile = 0;
    uint32_t quickEdit = 0;          // "Quick Edit"
    uint32_t useSystemColours = 1;   // "Use System Colours"
    uint32_t useCustomColours = 0;   // "Use Custom Colours"
    std::string msiePath;            // "MSIE Path"
    std::string nnPath;              // "NN Path"
    std::string customPath;          // "Custom Path"
    uint32_t oneInstance = 0;        // "One Instance"
    uint32_t bCreateNewProcess = 1;
    uint32_t trayIcon = 0;           // "TrayIcon"
    uint32_t bkColour = 0;           // "BkColour"
    uint32_t txtColour = 255;        // "TxtColour"
    uint32_t scheme = 0;             // "Scheme"
    uint32_t bSaveLeftWidth = 0;
    uint32_t leftPaneWidth = 150;    // "LeftPaneWidth"
    uint32_t viewMode = 0;           // "View Mode": 0 large icons, 1 details, 2 small icons, 3 list
    uint32_t openLastFile = 1;       // "Open Last File"
    uint32_t keepBackups = 1;        // "Keep Backups": each save keeps the file it replaces
    // "Quick Open Key": a hot key's virtual key in the low byte, its
    // modifiers (1 Shift, 2 Ctrl, 4 Alt, 8 extended key) in the next; 0 none.
    uint32_t quickOpenKey = kDefaultQuickOpenKey;
};

extern Preferences thePreferences;

constexpr uint32_t kDefaultLeftPaneWidth = 150;

// Loading, in the order the main window needs them.
// Start-up, before any window: "One Instance" straight from the settings key
// (0 when missing), then "Open Last File" through the profile.
uint32_t ReadOneInstanceAtStartUp();
void ReadOpenLastFile(IProfile& profile, Preferences& prefs);
// Before the scheme table is built: "BkColour", "TxtColour", "Scheme".
void ReadColourPreferences(IProfile& profile, Preferences& prefs);
// After the splitter: "bSaveLeftWidth", "LeftPaneWidth".
void ReadPaneWidthPreferences(IProfile& profile, Preferences& prefs);
// "LeftPaneWidth" when "bSaveLeftWidth" is on, else 150.
uint32_t InitialLeftPaneWidth(const Preferences& prefs);
// After the bars: "View Mode"; apply it with ViewModeCommand.
void ReadViewModePreference(IProfile& profile, Preferences& prefs);
// Then the rest: "bDeleteSourceFile" ... "TrayIcon", "Keep Backups", "Quick Open Key".
void ReadOtherPreferences(IProfile& profile, Preferences& prefs);

// The item pane's four views, numbered as "View Mode" stores them.
enum class ViewMode : uint32_t { LargeIcons = 0, Details = 1, SmallIcons = 2, List = 3 };
// The view a stored "View Mode" shows: anything past 2 is the list.
ViewMode ViewModeOf(uint32_t viewMode);
// The "View Mode" to save for a list view's window style (its low two bits).
uint32_t ViewModeOfStyle(uint32_t listViewStyle);

// Writes every preference, in the saving order. The frame sets `viewMode`
// and `leftPaneWidth` from its windows first.
void WritePreferences(IProfile& profile, const Preferences& prefs);

// The on/off preferences that a command flips.
enum class Toggle {
    DeleteSourceFile,  // "bDeleteSourceFile"
    SaveLeftWidth,     // "bSaveLeftWidth"
    QuickEdit,         // "Quick Edit"
    MinimiseToTray,    // "TrayIcon"
    OpenLastFile,      // "Open Last File"
    OneInstance,       // "One Instance"
    UseSystemColours,  // "Use System Colours"
    UseCustomColours,  // "Use Custom Colours"
    KeepBackups,       // "Keep Backups"
};
uint32_t& ToggleVariable(Preferences& prefs, Toggle toggle);
// Zero becomes 1, anything else 0.
void FlipToggle(uint32_t& value);
void FlipToggle(Preferences& prefs, Toggle toggle);
// Whether its check mark shows: any non-zero value is on.
bool ToggleOn(const Preferences& prefs, Toggle toggle);
