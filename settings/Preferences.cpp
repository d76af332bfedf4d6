// The program-wide preferences, read and saved.
#include "settings/Preferences.h"

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
    prefs.keepBackups = ReadNumber(profile, "Keep Backups", 1);
    prefs.quickOpenKey = ReadNumber(profile, "Quick Open Key", kDefaultQuickOpenKey);
}

ViewMode ViewModeOf(uint32_t viewMode)
{
    return viewMode <= 2 ? static_cast<ViewMode>(viewMode) : ViewMode::List;
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
    WriteNumber(profile, "Keep Backups", prefs.keepBackups);
    WriteNumber(profile, "Quick Open Key", prefs.quickOpenKey);
}

uint32_t& ToggleVariable(Preferences& prefs, Toggle toggle)
{
    switch (toggle) {
    case Toggle::DeleteSourceFile: return prefs.bDeleteSourceFile;
    case Toggle::SaveLeftWidth: return prefs.bSaveLeftWidth;
    case Toggle::QuickEdit: return prefs.quickEdit;
    case Toggle::MinimiseToTray: return prefs.trayIcon;
    case Toggle::OpenLastFile: return prefs.openLastFile;
    case Toggle::OneInstance: return prefs.oneInstance;
    case Toggle::UseSystemColours: return prefs.useSystemColours;
    case Toggle::KeepBackups: return prefs.keepBackups;
    case Toggle::UseCustomColours: break;
    }
    return prefs.useCustomColours;
}

void FlipToggle(uint32_t& value)
{
    value = value ? 0 : 1;
}

void FlipToggle(Preferences& prefs, Toggle toggle)
{
    FlipToggle(ToggleVariable(prefs, toggle));
}

bool ToggleOn(const Preferences& prefs, Toggle toggle)
{
    return ToggleVariable(const_cast<Preferences&>(prefs), toggle) != 0;
}
