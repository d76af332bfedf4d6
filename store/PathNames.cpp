// Parts of paths: file titles, folders, extensions.
#include "store/PathNames.h"

#include "store/TextCompare.h"

std::string AfterLastOf(const std::string& path, const char* separators)
{
    const size_t cut = path.find_last_of(separators);
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string WithExtension(const std::string& path, const char* extension)
{
    const std::string name = FileTitleOf(path);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && TextEqual(name.substr(dot + 1), extension))
        return path;
    return path + "." + extension;
}

std::string WithDefaultExtension(const std::string& path, const char* extension)
{
    const std::string name = FileTitleOf(path);
    const size_t dot = name.find_last_of('.');
    if (dot == std::string::npos || dot + 1 == name.size())
        return path + "." + extension;
    return path;
}
