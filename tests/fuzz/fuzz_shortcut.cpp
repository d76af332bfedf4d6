// Fuzz target: reading shortcut files.
#include "exchange/IniFileReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    IniFileValue(reinterpret_cast<const char*>(data), size, "InternetShortcut", "URL");
    return 0;
}
