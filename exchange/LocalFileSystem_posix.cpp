// The real file system off Windows.
#include "exchange/LocalFileSystem.h"

#include "store/Backups.h"
#include "store/TextCompare.h"

#include <algorithm>
#include <unistd.h>

std::vector<std::string> LocalFileSystem::ListShortcutCandidates(const std::string& folder)
{
    std::vector<std::string> names = FileNamesIn(folder);
    // Byte order first, so that names equal but for case come in a fixed order.
    std::sort(names.begin(), names.end());
    std::vector<std::string> ordered;
    ordered.reserve(names.size());
    for (size_t index : SortedOrder(names))
        ordered.push_back(names[index]);
    return ordered;
}

bool LocalFileSystem::RemoveFile(const std::string& path)
{
    return RemoveFileAt(path);
}

std::string LocalFileSystem::AbsolutePath(const std::string& path)
{
    if (!path.empty() && path[0] == '/')
        return path;
    std::string folder(4096, '\0');
    while (!::getcwd(&folder[0], folder.size())) {
        if (folder.size() >= (1u << 20))
            return path;
        folder.resize(folder.size() * 2);
    }
    folder.resize(folder.find('\0'));
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder + path;
}
