// The launcher interface: how a URL leaves the program.
#pragma once

#include <cstdint>
#include <string>

// The two ways a URL leaves the program, so tests can see each call and
// answer for the system.
class ILauncher {
public:
    virtual ~ILauncher() = default;
    // The shell's "open" action on `url`; a result of 32 or less is a failure.
    virtual intptr_t ShellOpen(const std::string& url) = 0;
    // Starts a new process from a whole command line and does not wait for
    // it; false when it could not be started.
    virtual bool StartProcess(const std::string& commandLine) = 0;
    // Whether `path` names an existing file (not a folder).
    virtual bool IsFile(const std::string& path) = 0;
};
