// The file system as the shortcut imports reach it.
#pragma once

#include <string>
#include <vector>

// The little of the file system that the shortcut imports need, so tests can
// stand in for it.
class IFileSystem {
public:
    virtual ~IFileSystem() = default;
    // Names (not paths) of the files in `folder` that may be shortcut files,
    // in the order an import takes them; empty when the folder cannot be
    // listed. `folder` ends in a separator.
    virtual std::vector<std::string> ListShortcutCandidates(const std::string& folder) = 0;
    // False when the file could not be deleted.
    virtual bool RemoveFile(const std::string& path) = 0;
};
