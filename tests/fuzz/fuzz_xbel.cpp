// Fuzz target: reading an XBEL bookmark file.
#include "tests/fuzz/BrowserFileCheck.h"

#include "exchange/BrowserFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return CheckBrowserFile(ParseXbelFile, data, size);
}
