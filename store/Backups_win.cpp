// The backups' folders on Windows.
#include "store/Backups.h"

#include "store/FileError.h"
#include "store/PathNames.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

namespace {

std::string Narrow(const wchar_t* text, int length)
{
    const int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return std::string();
    std::string narrow(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, &narrow[0], size, nullptr, nullptr);
    return narrow;
}

std::wstring Wide(const std::string& text)
{
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (size <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], size);
    return wide;
}

} // namespace

std::string BackupBaseFolder()
{
    wchar_t own[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"LINKHIVE_BACKUP_DIR", own, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        return Narrow(own, static_cast<int>(length));
    PWSTR local = nullptr;
    std::string base;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &local)) && local != nullptr && *local != L'\0')
        base = Narrow(local, static_cast<int>(wcslen(local))) + "\\Linkhive\\Backups";
    CoTaskMemFree(local);
    return base;
}

std::string BackupPathKey(const std::string& path)
{
    // The file system ignores letter case, in every script.
    std::wstring full = Wide(FullPathOf(path));
    if (full.empty())
        return path;
    LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, full.data(), static_cast<int>(full.size()), &full[0],
                 static_cast<int>(full.size()));
    return Narrow(full.data(), static_cast<int>(full.size()));
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/')
        return folder + name;
    return folder + "\\" + name;
}

void MakeFolders(const std::string& folder)
{
    // The root and a share's name fail harmlessly; the folder itself answers.
    DWORD error = ERROR_PATH_NOT_FOUND;
    for (size_t cut = folder.find_first_of("\\/", 1);; cut = folder.find_first_of("\\/", cut + 1)) {
        const std::string part = folder.substr(0, cut);
        if (!part.empty() && part.back() != ':' && !CreateDirectoryA(part.c_str(), nullptr))
            error = GetLastError();
        if (cut == std::string::npos)
            break;
    }
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        throw FileError(error == ERROR_ACCESS_DENIED ? FileError::AccessDenied : FileError::BadPath, folder);
}

std::vector<std::string> FileNamesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(JoinPath(folder, "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

bool RemoveFileAt(const std::string& path)
{
    return DeleteFileA(path.c_str()) != 0;
}
