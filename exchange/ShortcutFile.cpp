// Internet shortcut files read and written.
#include "exchange/ShortcutFile.h"

#include "exchange/ImportFile.h"
#include "exchange/IniFileReader.h"
#include "exchange/TextModeOutput.h"
#include "store/FileError.h"
#include "store/FileIO.h"
#include "store/FileOperation.h"
#include "store/Prompt.h"
#include "store/CodePage.h"
#include "store/TextCompare.h"

#include <cstdio>

const uint64_t kMaxShortcutFileSize = uint64_t{16} << 20;

namespace {

// For readers of the 8-bit line only: what the legacy code page cannot hold
// as UTF-8 escapes, which browsers read back, rather than '?'.
std::string EscapedForLegacy(const std::string& url)
{
    std::string out;
    for (size_t i = 0; i < url.size();) {
        const size_t start = i;
        NextCodePoint(url, i);
        const std::string character = url.substr(start, i - start);
        std::string legacy;
        if (Utf8ToCodePage(character, LegacyCodePage(), legacy)) {
            out += legacy;
            continue;
        }
        for (char byte : character) {
            char escape[4];
            std::snprintf(escape, sizeof escape, "%%%02X", static_cast<unsigned>(static_cast<unsigned char>(byte)));
            out += escape;
        }
    }
    return out;
}

} // namespace

std::string ShortcutFileText(const std::string& url)
{
    std::string legacy;
    if (IsAscii(url) || Utf8ToCodePage(url, LegacyCodePage(), legacy))
        return TextModeBytes("[InternetShortcut]\nURL=" + (legacy.empty() ? url : legacy) + "\n");
    // As Windows writes a URL its code page cannot hold: the Unicode form in
    // a section of its own, in UTF-7.
    std::string utf7;
    Utf8ToCodePage(url, kCodePageUtf7, utf7);
    return TextModeBytes("[InternetShortcut]\nURL=" + EscapedForLegacy(url) + "\n[InternetShortcut.W]\nURL=" + utf7 +
                         "\n");
}

std::string ReadShortcutURL(const std::string& path)
{
    std::string content;
    try {
        content = ReadWholeFile(path, kMaxShortcutFileSize);
    } catch (const FileError&) {
        return std::string();
    }
    const std::string wide = IniFileValue(content.data(), content.size(), "InternetShortcut.W", "URL");
    std::string url;
    if (!wide.empty() && CodePageToUtf8(wide.data(), wide.size(), kCodePageUtf7, url) && !url.empty())
        return url;
    return IniFileValue(content.data(), content.size(), "InternetShortcut", "URL");
}

std::string ShortcutFilePath(const std::string& chosen)
{
    return WithExtension(chosen, "url");
}

bool SaveShortcutFile(const std::string& path, const std::string& url, IPrompt& prompt)
{
    return RunFileOperation(prompt, path, FileReport::General, [&] { WriteWholeFile(path, ShortcutFileText(url)); });
}

bool IsShortcutFileName(const std::string& path)
{
    const std::string name = FileTitleOf(path);
    const size_t dot = name.find_last_of('.');
    return dot != std::string::npos && TextEqual(name.substr(dot), ".url");
}

std::string ShortcutBaseName(const std::string& path)
{
    const std::string name = FileTitleOf(path);
    return name.substr(0, name.find_last_of('.'));
}
