#include "settings/Preferences.h"

#include "res/resource.h"
#include "settings/RegistryKey.h"

Preferences thePreferences;

namespace {

uint32_t ReadNumber(IProfile& profile, const char* entry, uint32_t defaultValue)
{
    return profile.GetProfileInt(kSettingsSection, entry, defaultValue);
}

std::string ReadText(IProfile& profile, const char* entry)
{
    return profile.GetProfileString(kSettingsSection, entry, std::string());
}

void WriteNumber(IProfile& profile, const char* entry, uint32_t value)
{
    profile.WriteProfileInt(kSettingsSection, entry, value);
}

void WriteText(IProfile& profile, const char* entry, const std::string& value)
{
    profile.WriteProfileString(kSettingsSection, entry, value);
}

}  // namespace

uint32_t ReadOneInstanceAtStartUp()
{
    RegistryKey key;
    uint32_t oneInstance = 0;
    if (key.Open(RegistryRoot::CurrentUser, kSettingsKeyPath) == kRegistryOk)
        key.ReadDword("One Instance", oneInstance);
    key.Close();
    return oneInstance;
}

void ReadOpenLastFile(IProfile& profile, Preferences& prefs)
{
    prefs.openLastFile = ReadNumber(profile, "Open Last File", 1);
}

void ReadColourPreferences(IProfile& profile, Preferences& prefs)
{
    prefs.bkColour = ReadNumber(profile, "BkColour", 0);
    prefs.txtColour = ReadNumber(profile, "TxtColour", 255);
    prefs.scheme = ReadNumber(profile, "Scheme", 0);
}

void ReadPaneWidthPreferences(IProfile& profile, Preferences& prefs)
{
    prefs.bSaveLeftWidth = ReadNumber(profile, "bSaveLeftWidth", 0);
    prefs.leftPaneWidth = ReadNumber(profile, "LeftPaneWidth", kDefaultLeftPaneWidth);
}

uint32_t InitialLeftPaneWidth(const Preferences& prefs)
{
    return prefs.bSaveLeftWidth ? prefs.leftPaneWidth : kDefaultLeftPaneWidth;
}

void ReadViewModePreference(IProfile& profile, Preferences& prefs)
{
    prefs.viewMode = ReadNumber(profile, "View Mode", 0);
}

void ReadOtherPreferences(IProfile& profile, Preferences& prefs)
{
    prefs.bDeleteSourceFile = ReadNumber(profile, "bDeleteSourceFile", 0);
    prefs.quickEdit = ReadNumber(profile, "Quick Edit", 0);
    prefs.useSystemColours = ReadNumber(profile, "Use System Colours", 1);
    prefs.useCustomColours = ReadNumber(profile, "Use Custom Colours", 0);
    prefs.msiePath = ReadText(profile, "MSIE Path");
    prefs.nnPath = ReadText(profile, "NN Path");
    prefs.customPath = ReadText(profile, "Custom Path");
    prefs.oneInstance = ReadNumber(profile, "One Instance", 0);
    prefs.bCreateNewProcess = ReadNumber(profile, "bCreateNewProcess", 1);
    prefs.trayIcon = ReadNumber(profile, "TrayIcon", 0);
}

unsigned ViewModeCommand(uint32_t viewMode)
{
    switch (viewMode) {
    case 0: return ID_VIEW_LARGE_ICONS;
    case 1: return ID_VIEW_DETAILS;
    case 2: return ID_VIEW_SMALL_ICONS;
    default: return ID_VIEW_LIST;
    }
}

uint32_t ViewModeOfStyle(uint32_t listViewStyle)
{
    return listViewStyle & 3;
}

void WritePreferences(IProfile& profile, const Preferences& prefs)
{
    WriteNumber(profile, "View Mode", prefs.viewMode);
    WriteNumber(profile, "bCreateNewProcess", prefs.bCreateNewProcess);
    WriteNumber(profile, "bDeleteSourceFile", prefs.bDeleteSourceFile);
    WriteNumber(profile, "Quick Edit", prefs.quickEdit);
    WriteNumber(profile, "TrayIcon", prefs.trayIcon);
    WriteNumber(profile, "LeftPaneWidth", prefs.leftPaneWidth);
    WriteNumber(profile, "bSaveLeftWidth", prefs.bSaveLeftWidth);
    WriteNumber(profile, "Open Last File", prefs.openLastFile);
    WriteNumber(profile, "Scheme", prefs.scheme);
    WriteNumber(profile, "Use System Colours", prefs.useSystemColours);
    WriteNumber(profile, "Use Custom Colours", prefs.useCustomColours);
    WriteText(profile, "MSIE Path", prefs.msiePath);
    WriteText(profile, "NN Path", prefs.nnPath);
    WriteText(profile, "Custom Path", prefs.customPath);
    WriteNumber(profile, "One Instance", prefs.oneInstance);
    WriteNumber(profile, "BkColour", prefs.bkColour);
    WriteNumber(profile, "TxtColour", prefs.txtColour);
}

namespace {

// One table for the flipping and the checking, whatever the constness.
template <typename Prefs>
auto ToggleOf(Prefs& prefs, unsigned command) -> decltype(&prefs.trayIcon)
{
    switch (command) {
    case ID_PREF_DELETE_SOURCE: return &prefs.bDeleteSourceFile;
    case ID_PREF_SAVE_LEFT_WIDTH: return &prefs.bSaveLeftWidth;
    case ID_PREF_QUICK_EDIT: return &prefs.quickEdit;
    case ID_PREF_MINIMISE_TO_TRAY: return &prefs.trayIcon;
    case ID_PREF_OPEN_LAST_FILE: return &prefs.openLastFile;
    case ID_PREF_ONE_INSTANCE: return &prefs.oneInstance;
    case ID_COLOUR_USE_SYSTEM: return &prefs.useSystemColours;
    case ID_COLOUR_USE_CUSTOM: return &prefs.useCustomColours;
    default: return nullptr;
    }
}

}  // namespace

uint32_t* ToggleVariable(Preferences& prefs, unsigned command)
{
    return ToggleOf(prefs, command);
}

void FlipToggle(uint32_t& value)
{
    value = value ? 0 : 1;
}

bool FlipToggleCommand(Preferences& prefs, unsigned command)
{
    uint32_t* variable = ToggleVariable(prefs, command);
    if (!variable)
        return false;
    FlipToggle(*variable);
    return true;
}

bool ToggleChecked(const Preferences& prefs, unsigned command)
{
    const uint32_t* variable = ToggleOf(prefs, command);
    return variable && *variable != 0;
}
