// The real file system on Windows.
#include "exchange/LocalFileSystem.h"

#include "store/PathNames.h"

#include <windows.h>

std::vector<std::string> LocalFileSystem::ListShortcutCandidates(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*.URL").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

bool LocalFileSystem::RemoveFile(const std::string& path)
{
    return DeleteFileA(path.c_str()) != 0;
}

std::string LocalFileSystem::AbsolutePath(const std::string& path)
{
    return FullPathOf(path);
}
