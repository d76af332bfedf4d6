// Fuzz target: reading a data file.
#include "store/CodePage.h"
#include "store/DataFile.h"
#include "store/FileError.h"

#include <cstddef>
#include <cstdint>

// A current data file. Whatever reads without damage must save and read back
// to the same store: a save that lost or shifted a string would show here.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    StoreContent content;
    try {
        ReadDataBytes(reinterpret_cast<const char*>(data), size, content);
    } catch (const FileError&) {
        return 0;
    }
    // Texts come in as well-formed UTF-8, whichever form the file used.
    for (const std::string& group : content.m_arrGroups) {
        if (!IsWellFormedUtf8(group))
            __builtin_trap();
    }
    for (const BookmarkItem& item : content.m_arrItems) {
        if (!IsWellFormedUtf8(item.m_strName) || !IsWellFormedUtf8(item.m_strURL) || !IsWellFormedUtf8(item.m_strGroup) ||
            !IsWellFormedUtf8(item.m_strDescription))
            __builtin_trap();
    }
    const std::string saved = EncodeDataFile(content);
    StoreContent again;
    ReadDataBytes(saved.data(), saved.size(), again);
    if (again.m_arrGroups != content.m_arrGroups || again.m_arrItems.size() != content.m_arrItems.size())
        __builtin_trap();
    for (size_t i = 0; i < content.m_arrItems.size(); ++i) {
        const BookmarkItem& a = content.m_arrItems[i];
        const BookmarkItem& b = again.m_arrItems[i];
        if (a.m_strName != b.m_strName || a.m_strURL != b.m_strURL || a.m_strGroup != b.m_strGroup ||
            a.m_strDescription != b.m_strDescription)
            __builtin_trap();
    }
    return 0;
}
