// Opening a bookmark in a browser or mail program.
#pragma once

#include <string>

class ILauncher;
class IPrompt;

// The browser registered for ftp, the default value of
// HKEY_LOCAL_MACHINE\Software\CLASSES\ftp\shell\open\command. When none is
// (missing, unreadable or empty), shows "There is no programme for internet
// browsing.\nCannot connect" and returns false.
bool LookUpBrowser(IPrompt& prompt, std::string& command);

// The lookup, then either a new process of the registered browser with the
// URL as its one argument, or the shell's "open" action (its failure shows
// "Cannot open URL.\nPlease contact the author of the programme!"). True
// when the URL was handed over. No e-mail test: callers decide the way.
bool OpenInBrowserOrShell(ILauncher& launcher, IPrompt& prompt, const std::string& url, bool newProcess);

// A configured browser started as a new process with the URL as its one
// argument; false when the path is empty or the process did not start.
bool StartNamedBrowser(ILauncher& launcher, const std::string& path, const std::string& url);
