// Runs a file operation and reports its failure through the prompt.
#pragma once

#include "store/FileError.h"

#include <functional>
#include <string>

class IPrompt;

// Runs `body`. A FileError, or memory running out (a general failure of
// `path`), ends it: `cleanUp` runs first (releasing what the body built),
// then the failure is shown as `report` says, and the result is false.
bool RunFileOperation(IPrompt& prompt, const std::string& path, FileReport report, const std::function<void()>& body,
                      const std::function<void()>& cleanUp = {});

// As above, but every failure shows the command's own `message`, stop icon.
bool RunFileOperation(IPrompt& prompt, const char* message, const std::function<void()>& body);
