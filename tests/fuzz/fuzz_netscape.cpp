#include "exchange/NetscapeImport.h"

#include <cstddef>
#include <cstdint>
#include <new>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    NetscapeFile file;
    try {
        file = ParseNetscapeFile(reinterpret_cast<const char*>(data), size, "top.htm");
    } catch (const std::bad_alloc&) {
        return 0;
    }
    // Every link has an address and a group; texts are trimmed and no
    // longer than the file (references never grow, code pages never widen
    // a character), a group at most a path of them.
    for (const NetscapeFile::Link& link : file.links) {
        const std::string& url = link.item.m_strURL;
        if (url.empty() || link.group >= file.groups.size() || url.size() > size || link.item.m_strName.size() > size ||
            link.item.m_strDescription.size() > size)
            __builtin_trap();
        if (!link.item.m_strGroup.empty())
            __builtin_trap();
    }
    return 0;
}
