#include "store/PathNames.h"

#include <unistd.h>

#include <vector>

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
