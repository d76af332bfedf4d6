// The prompt and clipboard the fuzz targets use.
#pragma once

#include "launch/ILauncher.h"
#include "store/Prompt.h"

#include <string>

// Answers every message box with its first button and counts them.
class FuzzPrompt : public IPrompt {
public:
    MessageAnswer ShowMessage(const std::string&, MessageStyle style) override
    {
        ++shown;
        return style == MessageStyle::ExclamationYesNoCancel ? MessageAnswer::Yes : MessageAnswer::Ok;
    }
    int shown = 0;
};

// Starts nothing; remembers the last command line. No file exists unless it
// is named "C:\\Program Files\\Browser\\browser.exe".
class FuzzLauncher : public ILauncher {
public:
    intptr_t ShellOpen(const std::string&) override { return 33; }
    bool StartProcess(const std::string& commandLine) override
    {
        started = commandLine;
        return true;
    }
    bool IsFile(const std::string& path) override { return path == "C:\\Program Files\\Browser\\browser.exe"; }
    std::string started;
};
