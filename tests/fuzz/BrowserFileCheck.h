// What every reader of a browser's own file keeps to, whatever the input.
#pragma once

#include "exchange/NetscapeImport.h"
#include "store/CodePage.h"

#include <cstddef>
#include <cstdint>
#include <new>
#include <string>

inline int CheckBrowserFile(BookmarkFileParser parse, const uint8_t* data, size_t size)
{
    NetscapeFile file;
    try {
        file = parse(reinterpret_cast<const char*>(data), size, "top");
    } catch (const std::bad_alloc&) {
        return 0;
    }
    if (!file.recognised && (!file.links.empty() || file.skipped != 0))
        __builtin_trap();
    // Texts are well-formed UTF-8 and, an escape never growing into more
    // than it took, within three times the file; a group is a path of them.
    for (const NetscapeFile::Link& link : file.links) {
        const BookmarkItem& item = link.item;
        if (link.group >= file.groups.size() || !item.m_strGroup.empty())
            __builtin_trap();
        const std::string& group = file.groups[link.group].name;
        if (item.m_strURL.size() > 3 * size || item.m_strName.size() > 3 * size ||
            item.m_strDescription.size() > 3 * size || group.size() > 3 * size + 4)
            __builtin_trap();
        if (!IsWellFormedUtf8(item.m_strURL) || !IsWellFormedUtf8(item.m_strName) ||
            !IsWellFormedUtf8(item.m_strDescription) || !IsWellFormedUtf8(group))
            __builtin_trap();
    }
    return 0;
}
