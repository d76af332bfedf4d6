// The real file system off Windows.
#include "exchange/LocalFileSystem.h"

#include "store/TextCompare.h"

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

std::vector<std::string> LocalFileSystem::ListShortcutCandidates(const std::string& folder)
{
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir)) {
        struct stat st;
        const std::string name = entry->d_name;
        if (::stat((folder + name).c_str(), &st) == 0 && S_ISREG(st.st_mode))
            names.push_back(name);
    }
    ::closedir(dir);

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
    return ::unlink(path.c_str()) == 0;
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
