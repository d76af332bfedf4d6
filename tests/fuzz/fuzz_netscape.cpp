// Fuzz target: reading a browser's bookmark file.
#include "exchange/IconFilter.h"
#include "exchange/NetscapeImport.h"
#include "store/CodePage.h"

#include <cstddef>
#include <cstdint>
#include <new>
#include <string>

namespace {

bool SameLinks(const NetscapeFile& a, const NetscapeFile& b)
{
    if (a.links.size() != b.links.size() || a.skipped != b.skipped || a.recognised != b.recognised)
        return false;
    for (size_t i = 0; i < a.links.size(); ++i) {
        const BookmarkItem& x = a.links[i].item;
        const BookmarkItem& y = b.links[i].item;
        if (x.m_strURL != y.m_strURL || x.m_strName != y.m_strName || x.m_strDescription != y.m_strDescription ||
            a.groups[a.links[i].group].name != b.groups[b.links[i].group].name)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* text = reinterpret_cast<const char*>(data);
    NetscapeFile file;
    try {
        file = ParseNetscapeFile(text, size, "top.htm");
    } catch (const std::bad_alloc&) {
        return 0;
    }
    // Every link has an address and a group; texts are well-formed UTF-8,
    // trimmed and no longer than the file in UTF-8 (a byte of a code page
    // takes three at most; a reference shrinks), a group at most a path of
    // them.
    for (const NetscapeFile::Link& link : file.links) {
        const BookmarkItem& item = link.item;
        const std::string& url = item.m_strURL;
        if (url.empty() || link.group >= file.groups.size() || url.size() > 3 * size || item.m_strName.size() > 3 * size ||
            item.m_strDescription.size() > 3 * size)
            __builtin_trap();
        if (!IsWellFormedUtf8(url) || !IsWellFormedUtf8(item.m_strName) || !IsWellFormedUtf8(item.m_strDescription) ||
            !IsWellFormedUtf8(file.groups[link.group].name))
            __builtin_trap();
        if (!link.item.m_strGroup.empty())
            __builtin_trap();
    }

    // Without its icons, fed in two pieces cut anywhere, the file reads the
    // same. Icons are ASCII in real files; a byte beyond it dropped with one
    // may change how a file naming no charset is guessed, so such a file is
    // only required to be read at all.
    const size_t cut = size == 0 ? 0 : data[0] % size;
    IconFilter filter;
    std::string kept;
    filter.Feed(text, cut, kept);
    filter.Feed(text + cut, size - cut, kept);
    if (kept.size() > size)
        __builtin_trap();
    const auto beyondAscii = [](const char* from, size_t count) {
        size_t n = 0;
        for (size_t i = 0; i < count; ++i)
            n += static_cast<unsigned char>(from[i]) >= 0x80;
        return n;
    };
    const bool droppedOnlyAscii = beyondAscii(text, size) == beyondAscii(kept.data(), kept.size());
    try {
        const NetscapeFile filtered = ParseNetscapeFile(kept.data(), kept.size(), "top.htm");
        if (droppedOnlyAscii && !SameLinks(file, filtered))
            __builtin_trap();
    } catch (const std::bad_alloc&) {
    }
    return 0;
}
