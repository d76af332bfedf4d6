// Internet shortcut files read and written.
#include "exchange/ShortcutFile.h"

#include "exchange/ImportFile.h"
#include "exchange/TextModeOutput.h"
#include "store/FileError.h"
#include "store/FileIO.h"
#include "store/FileOperation.h"
#include "store/Prompt.h"
#include "store/TextCompare.h"

const uint64_t kMaxShortcutFileSize = uint64_t{16} << 20;

std::string ShortcutFileText(const std::string& url)
{
    return TextModeBytes("[InternetShortcut]\nURL=" + url + "\n");
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
