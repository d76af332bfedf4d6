// Fuzz target: the address book import.
#include "exchange/AddressBookImport.h"

#include <cstddef>
#include <cstdint>
#include <new>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<BookmarkItem> candidates;
    try {
        ParseAddressBook(std::string_view(reinterpret_cast<const char*>(data), size), "book.csv", candidates);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    for (const BookmarkItem& candidate : candidates) {
        if (candidate.m_strName.empty() || !candidate.IsMail())
            __builtin_trap();
    }
    return 0;
}
