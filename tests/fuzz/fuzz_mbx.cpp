// Fuzz target: the predecessor's data file.
#include "exchange/MbxImport.h"

#include <cstddef>
#include <cstdint>
#include <new>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    StoreContent content;
    try {
        if (ParseMbx(std::string_view(reinterpret_cast<const char*>(data), size), content) &&
            !content.m_arrItems.empty() && content.m_arrGroups.empty())
            __builtin_trap();  // every item needs a group line above it
    } catch (const std::bad_alloc&) {
    }
    return 0;
}
