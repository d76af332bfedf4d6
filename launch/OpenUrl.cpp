// Opening a bookmark in a browser or mail program.
#include "launch/OpenUrl.h"

#include "launch/BrowserCommand.h"
#include "launch/ILauncher.h"
#include "settings/RegistryKey.h"
#include "store/CoreText.h"
#include "store/Prompt.h"

namespace {

constexpr const char* kBrowserKey = "Software\\CLASSES\\ftp\\shell\\open\\command";

// Results up to 32 are the shell's error codes.
constexpr intptr_t kShellLastError = 32;

}  // namespace

bool LookUpBrowser(IPrompt& prompt, std::string& command)
{
    command.clear();
    // Read-only: a lookup that created the key would leave it behind.
    RegistryKey key;
    if (key.OpenForReading(RegistryRoot::LocalMachine, kBrowserKey) == kRegistryOk)
        key.ReadString("", command);
    key.Close();
    if (!command.empty())
        return true;
    prompt.ShowMessage(UserText(CoreText::NoBrowser), MessageStyle::StopOk);
    return false;
}

bool OpenInBrowserOrShell(ILauncher& launcher, IPrompt& prompt, const std::string& url, bool newProcess)
{
    std::string command;
    if (!LookUpBrowser(prompt, command))
        return false;
    if (newProcess) {
        const std::string program = RegisteredProgram(command, launcher);
        // With no program the URL would open the command line and be started
        // as the program itself.
        return !program.empty() && launcher.StartProcess(BrowserCommandLine(program, url));
    }
    if (launcher.ShellOpen(url) > kShellLastError)
        return true;
    prompt.ShowMessage(UserText(CoreText::CannotOpenUrl), MessageStyle::StopOk);
    return false;
}

bool StartNamedBrowser(ILauncher& launcher, const std::string& path, const std::string& url)
{
    if (path.empty())
        return false;
    return launcher.StartProcess(BrowserCommandLine(ProgramText(path, launcher), url));
}
