// Fuzz target: the settings read from the registry.
#include "launch/BrowserCommand.h"
#include "launch/OpenUrl.h"
#include "settings/ColourScheme.h"
#include "settings/PaneColours.h"
#include "settings/Preferences.h"
#include "settings/RegistryKey.h"
#include "settings/RegistryProfile.h"
#include "tests/fuzz/FuzzFakes.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// The registry as a text of lines: "Name=dword:HEX" stores a number,
// "Name=TEXT" a text; "[Settings]", "[Recent File List]" and "[ftp]" (the
// machine-wide browser command) choose the key the lines below go to, and
// the line after "[url]" is the address to open.
void FillRegistry(const std::string& text, std::string& url)
{
    bool urlLines = false;
    RegistryKey key;
    key.Open(RegistryRoot::CurrentUser, kSettingsKeyPath);
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        if (urlLines) {
            url = line;
            urlLines = false;
            continue;
        }
        if (line == "[url]")
            urlLines = true;
        else if (line == "[Settings]")
            key.Open(RegistryRoot::CurrentUser, kSettingsKeyPath);
        else if (line == "[Recent File List]")
            key.Open(RegistryRoot::CurrentUser, RegistryProfile().SectionPath(kRecentFileSection));
        else if (line == "[ftp]")
            key.Open(RegistryRoot::LocalMachine, "Software\\CLASSES\\ftp\\shell\\open\\command");
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        const std::string name = line.substr(0, equals);
        const std::string value = line.substr(equals + 1);
        if (value.compare(0, 6, "dword:") == 0)
            key.WriteDword(name, static_cast<uint32_t>(std::strtoul(value.c_str() + 6, nullptr, 16)));
        else
            key.WriteString(name, value);
    }
}

void ReadAll(IProfile& profile, Preferences& prefs)
{
    ReadOpenLastFile(profile, prefs);
    ReadColourPreferences(profile, prefs);
    ReadPaneWidthPreferences(profile, prefs);
    ReadViewModePreference(profile, prefs);
    ReadOtherPreferences(profile, prefs);
}

bool Same(const Preferences& a, const Preferences& b)
{
    return a.bDeleteSourceFile == b.bDeleteSourceFile && a.quickEdit == b.quickEdit &&
           a.useSystemColours == b.useSystemColours && a.useCustomColours == b.useCustomColours &&
           a.msiePath == b.msiePath && a.nnPath == b.nnPath && a.customPath == b.customPath &&
           a.oneInstance == b.oneInstance && a.bCreateNewProcess == b.bCreateNewProcess && a.trayIcon == b.trayIcon &&
           a.bkColour == b.bkColour && a.txtColour == b.txtColour && a.scheme == b.scheme &&
           a.bSaveLeftWidth == b.bSaveLeftWidth && a.leftPaneWidth == b.leftPaneWidth && a.viewMode == b.viewMode &&
           a.openLastFile == b.openLastFile;
}

// Splits a command line as the C runtime of a started program does, for its
// last argument.
std::string LastArgument(const std::string& line)
{
    std::string argument;
    bool quoted = false;
    size_t backslashes = 0;
    for (const char c : line) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            argument.append(backslashes / 2, '\\');
            if (backslashes % 2)
                argument += '"';
            else
                quoted = !quoted;
            backslashes = 0;
            continue;
        }
        argument.append(backslashes, '\\');
        backslashes = 0;
        if (!quoted && (c == ' ' || c == '\t')) {
            argument.clear();
            continue;
        }
        argument += c;
    }
    argument.append(backslashes, '\\');
    return argument;
}

// The command line ends in a blank and the URL as one argument, whatever the
// program part before it holds.
bool EndsWithUrl(const std::string& line, const std::string& url)
{
    const std::string tail = " " + QuoteArgument(url);
    return line.size() >= tail.size() && line.compare(line.size() - tail.size(), tail.size(), tail) == 0 &&
           LastArgument(tail) == url;
}

} // namespace

// The preferences, colours and browser commands as the program reads them
// back from a registry someone else may have written: every value reads
// without harm, the colours and views land in range, the browser gets the
// URL as one argument, and saving what was read reads back the same.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    RegistryKey::ResetMemoryRegistry();
    std::string url = "http://a b/\"q\"\\";
    FillRegistry(std::string(reinterpret_cast<const char*>(data), size), url);

    RegistryProfile profile;
    Preferences prefs;
    const uint32_t oneInstance = ReadOneInstanceAtStartUp();
    ReadAll(profile, prefs);
    if (oneInstance != prefs.oneInstance)
        __builtin_trap();
    for (const std::string* path : {&prefs.msiePath, &prefs.nnPath, &prefs.customPath}) {
        if (path->find('\0') != std::string::npos)
            __builtin_trap();
    }
    profile.GetProfileString(kRecentFileSection, "File1", "");

    std::vector<ColourScheme> schemes;
    BuildColourSchemes(schemes);
    ChoosePaneColours(prefs, schemes, CurrentSystemColours());
    Preferences schemeOnly = prefs;
    schemeOnly.useSystemColours = 0;
    schemeOnly.useCustomColours = 0;
    ChoosePaneColours(schemeOnly, schemes, CurrentSystemColours());
    if (MarkedScheme(prefs) < 0 || MarkedScheme(prefs) >= kSchemeCount || static_cast<uint32_t>(ViewModeOf(prefs.viewMode)) > 3)
        __builtin_trap();
    InitialLeftPaneWidth(prefs);

    FuzzPrompt prompt;
    FuzzLauncher launcher;
    for (const bool newProcess : {true, false}) {
        launcher.started.clear();
        if (OpenInBrowserOrShell(launcher, prompt, url, newProcess) && newProcess && !EndsWithUrl(launcher.started, url))
            __builtin_trap();
    }
    for (const std::string* path : {&prefs.msiePath, &prefs.nnPath, &prefs.customPath}) {
        launcher.started.clear();
        if (StartNamedBrowser(launcher, *path, url) && !EndsWithUrl(launcher.started, url))
            __builtin_trap();
    }

    WritePreferences(profile, prefs);
    Preferences again;
    ReadAll(profile, again);
    if (!Same(prefs, again))
        __builtin_trap();
    RegistryKey::ResetMemoryRegistry();
    return 0;
}
