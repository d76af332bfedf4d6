// The real file system on Windows.
#include "exchange/LocalFileSystem.h"

#include "store/Backups.h"
#include "store/PathNames.h"

std::vector<std::string> LocalFileSystem::ListShortcutCandidates(const std::string& folder)
{
    return FileNamesIn(folder);
}

bool LocalFileSystem::RemoveFile(const std::string& path)
{
    return RemoveFileAt(path);
}

std::string LocalFileSystem::AbsolutePath(const std::string& path)
{
    return FullPathOf(path);
}
