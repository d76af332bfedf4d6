#include "store/DataFile.h"
#include "store/FileError.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The first byte picks the 2.0 layout, the rest is the file.
    if (size == 0)
        return 0;
    Version20Mode = (data[0] & 1) != 0;
    StoreContent content;
    try {
        ReadDataBytes(reinterpret_cast<const char*>(data + 1), size - 1, content);
    } catch (const FileError&) {
    }
    return 0;
}
