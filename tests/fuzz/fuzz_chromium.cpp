// Fuzz target: reading a Chromium-family browser's Bookmarks file.
#include "tests/fuzz/BrowserFileCheck.h"

#include "exchange/BrowserFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return CheckBrowserFile(ParseChromiumFile, data, size);
}
