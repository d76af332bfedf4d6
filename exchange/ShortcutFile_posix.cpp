#include "exchange/ShortcutFile.h"

#include "exchange/ProfileString.h"
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
    return ProfileString(content.data(), content.size(), "InternetShortcut", "URL");
}
