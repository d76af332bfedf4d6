// Fuzz target: reading a Firefox JSON bookmark backup.
#include "tests/fuzz/BrowserFileCheck.h"

#include "exchange/BrowserFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return CheckBrowserFile(ParseFirefoxBackup, data, size);
}
