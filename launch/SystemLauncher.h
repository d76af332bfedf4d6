// The system's launcher.
#pragma once

#include "launch/ILauncher.h"

// The system's own: ShellExecuteA and CreateProcessA on Windows
// (SystemLauncher_win.cpp). Elsewhere there is no shell or browser
// registration to hand a URL to, and both fail (SystemLauncher_posix.cpp).
class SystemLauncher : public ILauncher {
public:
    intptr_t ShellOpen(const std::string& url) override;
    bool StartProcess(const std::string& commandLine) override;
    bool IsFile(const std::string& path) override;
};
