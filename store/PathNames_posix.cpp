// Path rules off Windows.
#include "store/PathNames.h"

#include <unistd.h>

#include <vector>

std::string FileTitleOf(const std::string& path)
{
    return AfterLastOf(path, "\\/");
}

std::string GroupNameOfPath(const std::string& path)
{
    return AfterLastOf(path, "\\/");
}

std::string FolderOf(const std::string& path)
{
    const size_t cut = path.find_last_of('/');
    if (cut == std::string::npos)
        return ".";
    return cut == 0 ? path.substr(0, 1) : path.substr(0, cut);
}

std::string FullPathOf(const std::string& path)
{
    if (!path.empty() && path[0] == '/')
        return path;
    std::vector<char> folder(256);
    while (getcwd(folder.data(), folder.size()) == nullptr) {
        if (folder.size() >= 65536)
            return path;
        folder.resize(folder.size() * 2);
    }
    const std::string base = folder.data();
    return path.empty() ? base : (base == "/" ? "" : base) + "/" + path;
}
