// Path rules on Windows.
#include "store/PathNames.h"

#include <windows.h>

std::string FileTitleOf(const std::string& path)
{
    return AfterLastOf(path, "\\/:");
}

std::string GroupNameOfPath(const std::string& path)
{
    return AfterLastOf(path, "\\");
}

std::string FolderOf(const std::string& path)
{
    const size_t cut = path.find_last_of("\\/:");
    if (cut != std::string::npos && path[cut] == ':')
        return path.substr(0, cut + 1);
    if (cut == std::string::npos)
        return ".";
    return cut == 0 ? path.substr(0, 1) : path.substr(0, cut);
}

std::string FullPathOf(const std::string& path)
{
    const DWORD need = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (need == 0)
        return path;
    std::string full(need, '\0');
    const DWORD got = GetFullPathNameA(path.c_str(), need, &full[0], nullptr);
    if (got == 0 || got >= need)
        return path;
    full.resize(got);
    return full;
}
