// The real file system for the shortcut imports.
#pragma once

#include "exchange/IFileSystem.h"

// The real file system: every plain file of the folder, in the order
// Windows lists them; off Windows sorted as the group pane sorts, a Linux
// folder having no order.
class LocalFileSystem : public IFileSystem {
public:
    std::vector<std::string> ListShortcutCandidates(const std::string& folder) override;
    bool RemoveFile(const std::string& path) override;

    // `path` made absolute against the current directory.
    static std::string AbsolutePath(const std::string& path);
};
