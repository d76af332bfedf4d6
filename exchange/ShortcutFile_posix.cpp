// Internet shortcut files off Windows.
#include "exchange/ShortcutFile.h"

#include "exchange/IniFileReader.h"
#include "store/FileError.h"
#include "store/FileIO.h"

#include <new>

std::string ReadShortcutURL(const std::string& path)
{
    std::string content;
    try {
        content = ReadWholeFile(path, kMaxShortcutFileSize);
    } catch (const FileError&) {
        return std::string();
    }
    return IniFileValue(content.data(), content.size(), "InternetShortcut", "URL");
}
