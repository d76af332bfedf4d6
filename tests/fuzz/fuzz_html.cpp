// Fuzz target: the HTML import.
#include "exchange/HtmlImport.h"

#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* text = reinterpret_cast<const char*>(data);
    std::vector<LinkSpan> links;
    try {
        ScanHtmlLinks(text, size, links);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    // Every span lies inside the text, the URL on one line starting "http://".
    for (const LinkSpan& link : links) {
        if (link.urlBegin + link.urlLength > size || link.nameBegin + link.nameLength > size || link.urlLength < 7)
            __builtin_trap();
        for (size_t i = link.urlBegin; i < link.urlBegin + link.urlLength; ++i) {
            if (text[i] == '\n' || text[i] == '"')
                __builtin_trap();
        }
    }
    return 0;
}
