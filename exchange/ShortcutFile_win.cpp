// Internet shortcut files on Windows.
#include "exchange/ShortcutFile.h"

#include "store/PathNames.h"

#include <windows.h>

#include <vector>

std::string ReadShortcutURL(const std::string& path)
{
    // A bare file name would be looked for in the Windows folder.
    const std::string full = FullPathOf(path);

    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(full.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return std::string();
    const uint64_t size = (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    if (size > kMaxShortcutFileSize)
        return std::string();

    // The reader cuts the value to the buffer, and a cut quoted value may lose
    // one more character, so only a value two short of the buffer is whole. No
    // value is longer than twice the file (UTF-8 may become DBCS).
    const DWORD largest = static_cast<DWORD>(2 * size + 2);
    DWORD capacity = 1024;
    for (;;) {
        std::vector<char> value(capacity);
        const DWORD got = GetPrivateProfileStringA("InternetShortcut", "URL", "", value.data(), capacity, full.c_str());
        if (got + 2 < capacity || capacity >= largest)
            return std::string(value.data(), got);
        capacity = capacity > largest / 2 ? largest : capacity * 2;
    }
}
