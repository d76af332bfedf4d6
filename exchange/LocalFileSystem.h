// The real file system for the shortcut imports.
#pragma once

#include "exchange/IFileSystem.h"

// The real file system: LocalFileSystem_win.cpp searches for "*.URL" and
// keeps the search's order; LocalFileSystem_posix.cpp lists every file and
// sorts the names as the group pane does, a Linux folder having no order.
class LocalFileSystem : public IFileSystem {
public:
    std::vector<std::string> ListShortcutCandidates(const std::string& folder) override;
    bool RemoveFile(const std::string& path) override;

    // `path` made absolute against the current directory.
    static std::string AbsolutePath(const std::string& path);
};
