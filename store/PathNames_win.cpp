#include "store/PathNames.h"

#include <windows.h>

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
