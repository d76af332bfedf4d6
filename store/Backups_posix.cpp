// The backups' folders off Windows.
#include "store/Backups.h"

#include "store/FileError.h"
#include "store/PathNames.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

std::string BackupBaseFolder()
{
    const char* own = std::getenv("LINKHIVE_BACKUP_DIR");
    if (own != nullptr && *own != '\0')
        return own;
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && *data == '/')
        return std::string(data) + "/linkhive/backups";
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home == '/')
        return std::string(home) + "/.local/share/linkhive/backups";
    return std::string();
}

std::string BackupPathKey(const std::string& path)
{
    // The folder's real path, so that one file reached through a link or
    // "..", or before it exists, keeps one shelf.
    const std::string full = FullPathOf(path);
    char* real = ::realpath(FolderOf(full).c_str(), nullptr);
    if (real == nullptr)
        return full;
    const std::string folder = real;
    std::free(real);
    return JoinPath(folder, FileTitleOf(full));
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty() || folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

void MakeFolders(const std::string& folder)
{
    for (size_t cut = folder.find('/', 1);; cut = folder.find('/', cut + 1)) {
        const std::string part = folder.substr(0, cut);
        // Only their owner reads the versions of a collection.
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            throw FileError(errno == EACCES || errno == EROFS ? FileError::AccessDenied : FileError::BadPath, folder);
        if (cut == std::string::npos)
            break;
    }
    struct stat st;
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        throw FileError(FileError::BadPath, folder);
}

std::vector<std::string> FileNamesIn(const std::string& folder)
{
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return names;
    while (const dirent* entry = ::readdir(dir)) {
        struct stat st;
        const std::string name = entry->d_name;
        if (::stat(JoinPath(folder, name).c_str(), &st) == 0 && S_ISREG(st.st_mode))
            names.push_back(name);
    }
    ::closedir(dir);
    return names;
}

bool RemoveFileAt(const std::string& path)
{
    return ::unlink(path.c_str()) == 0;
}
