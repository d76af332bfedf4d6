// Fuzz target: reading shortcut files, their Unicode form too.
#include "exchange/IniFileReader.h"
#include "store/CodePage.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* text = reinterpret_cast<const char*>(data);
    const std::string url = IniFileValue(text, size, "InternetShortcut", "URL");
    // The Unicode section's UTF-7 comes in well-formed, and whatever comes in
    // goes out in UTF-7 and back unchanged.
    const std::string wide = IniFileValue(text, size, "InternetShortcut.W", "URL");
    std::string decoded;
    std::string utf7;
    std::string again;
    for (const std::string* value : {&url, &wide}) {
        if (!IsWellFormedUtf8(*value))
            __builtin_trap();
        if (CodePageToUtf8(value->data(), value->size(), kCodePageUtf7, decoded) && !IsWellFormedUtf8(decoded))
            __builtin_trap();
        if (!Utf8ToCodePage(*value, kCodePageUtf7, utf7) ||
            !CodePageToUtf8(utf7.data(), utf7.size(), kCodePageUtf7, again) || again != *value)
            __builtin_trap();
    }
    return 0;
}
