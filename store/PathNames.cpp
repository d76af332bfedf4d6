#include "store/PathNames.h"

#include "store/TextCompare.h"

namespace {

std::string AfterLastOf(const std::string& path, const char* separators)
{
    const size_t cut = path.find_last_of(separators);
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

} // namespace

std::string FileTitleOf(const std::string& path)
{
#ifdef _WIN32
    return AfterLastOf(path, "\\/:");
#else
    return AfterLastOf(path, "\\/");
#endif
}

std::string GroupNameOfPath(const std::string& path)
{
#ifdef _WIN32
    return AfterLastOf(path, "\\");
#else
    return AfterLastOf(path, "\\/");
#endif
}

std::string WithExtension(const std::string& path, const char* extension)
{
    const std::string name = FileTitleOf(path);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && TextEqual(name.substr(dot + 1), extension))
        return path;
    return path + "." + extension;
}

std::string FolderOf(const std::string& path)
{
#ifdef _WIN32
    const size_t cut = path.find_last_of("\\/:");
    if (cut != std::string::npos && path[cut] == ':')
        return path.substr(0, cut + 1);
#else
    const size_t cut = path.find_last_of('/');
#endif
    if (cut == std::string::npos)
        return ".";
    return cut == 0 ? path.substr(0, 1) : path.substr(0, cut);
}
