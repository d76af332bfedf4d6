// The safe save's steps and file reading on Windows.
#include "store/FileIO.h"

#include "store/Backups.h"
#include "store/CodePage.h"
#include "store/FileError.h"
#include "store/FileLayer.h"

#include <windows.h>

namespace {

FileError::Cause CauseOf(DWORD err)
{
    switch (err) {
    case ERROR_FILE_NOT_FOUND: return FileError::NotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BAD_NETPATH: return FileError::BadPath;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return FileError::AccessDenied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_UNABLE_TO_REMOVE_REPLACED: return FileError::SharingViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return FileError::DiskFull;
    default: return FileError::Generic;
    }
}

[[noreturn]] void ThrowLastError(const std::string& path)
{
    throw FileError(CauseOf(GetLastError()), path);
}

HANDLE AsHandle(intptr_t h)
{
    return reinterpret_cast<HANDLE>(h);
}

FileStamp StampOfHandle(HANDLE h)
{
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(h, &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return FileStamp();
    FileStamp stamp;
    stamp.exists = true;
    stamp.size = (static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    stamp.written = static_cast<int64_t>((static_cast<uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) |
                                         info.ftLastWriteTime.dwLowDateTime);
    stamp.file = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    stamp.volume = info.dwVolumeSerialNumber;
    return stamp;
}

} // namespace

FileStamp StampOf(const std::string& path)
{
    if (path.empty())
        return FileStamp();
    // No access asked and every sharing allowed: a writer at work is not disturbed.
    HANDLE h = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return FileStamp();
    const FileStamp stamp = StampOfHandle(h);
    CloseHandle(h);
    return stamp;
}

// A mutex named after the file, as the backups name its folder: another
// Linkhive saving the same collection waits for it.
FileSaveLock::FileSaveLock(const std::string& path, unsigned waitMs) : m_handle(0)
{
    const std::string name = "Local\\Linkhive-save-" + BackupFolderName(path);
    HANDLE mutex = CreateMutexA(nullptr, FALSE, name.c_str());
    if (mutex == nullptr)
        return;
    m_handle = reinterpret_cast<intptr_t>(mutex);
    const DWORD waited = WaitForSingleObject(mutex, waitMs);
    m_held = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

FileSaveLock::~FileSaveLock()
{
    HANDLE mutex = reinterpret_cast<HANDLE>(m_handle);
    if (mutex == nullptr)
        return;
    if (m_held)
        ReleaseMutex(mutex);
    CloseHandle(mutex);
}

InputFile::InputFile(const std::string& path) : m_path(path), m_handle(reinterpret_cast<intptr_t>(INVALID_HANDLE_VALUE))
{
    if (path.empty())
        throw FileError(FileError::BadPath, path);
    // Another program may replace the file meanwhile (this handle goes on
    // reading the old one), never write into it.
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        ThrowLastError(path);
    LARGE_INTEGER size;
    if (!GetFileSizeEx(h, &size) || GetFileType(h) != FILE_TYPE_DISK) {
        CloseHandle(h);
        throw FileError(FileError::Generic, path);
    }
    m_handle = reinterpret_cast<intptr_t>(h);
    m_size = static_cast<uint64_t>(size.QuadPart);
    m_stamp = StampOfHandle(h);
}

InputFile::~InputFile()
{
    if (AsHandle(m_handle) != INVALID_HANDLE_VALUE)
        CloseHandle(AsHandle(m_handle));
}

size_t InputFile::Read(char* buffer, size_t size)
{
    const DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
    DWORD got = 0;
    if (!ReadFile(AsHandle(m_handle), buffer, chunk, &got, nullptr))
        ThrowLastError(m_path);
    return got;
}

namespace {

class Win32FileLayer : public IFileLayer {
public:
    std::string Target(const std::string& path) override
    {
        if (path.empty() || path.back() == '\\' || path.back() == '/')
            throw FileError(FileError::BadPath, path);
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
            throw FileError(FileError::AccessDenied, path);
        return path;
    }

    intptr_t CreateBeside(const std::string& target, std::string& tempPath) override
    {
        const std::string folder = FolderOf(target);
        const DWORD folderAttributes = GetFileAttributesA(folder.c_str());
        if (folderAttributes == INVALID_FILE_ATTRIBUTES || !(folderAttributes & FILE_ATTRIBUTE_DIRECTORY))
            throw FileError(FileError::BadPath, target);
        // In UTF-16: a folder of MAX_PATH characters holds more bytes than
        // the ANSI call's buffer.
        const std::u16string wideFolder = Utf8ToUtf16(folder);
        wchar_t temp[MAX_PATH];
        if (GetTempFileNameW(reinterpret_cast<LPCWSTR>(wideFolder.c_str()), L"lkh", 0, temp) == 0)
            ThrowLastError(target);
        HANDLE h = CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            const DWORD err = GetLastError();
            DeleteFileW(temp);
            throw FileError(CauseOf(err), target);
        }
        tempPath = Utf16ToUtf8(reinterpret_cast<const char16_t*>(temp), wcslen(temp));
        return reinterpret_cast<intptr_t>(h);
    }

    size_t Write(intptr_t file, const char* data, size_t size) override
    {
        const DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(AsHandle(file), data, chunk, &written, nullptr))
            ThrowLastError("");
        return written;
    }

    void Flush(intptr_t file) override
    {
        if (!FlushFileBuffers(AsHandle(file)))
            ThrowLastError("");
    }

    void Close(intptr_t file) override
    {
        if (!CloseHandle(AsHandle(file)))
            ThrowLastError("");
    }

    void Replace(const std::string& tempPath, const std::string& target) override
    {
        if (GetFileAttributesA(target.c_str()) == INVALID_FILE_ATTRIBUTES) {
            if (!MoveFileExA(tempPath.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH))
                ThrowLastError(target);
            return;
        }
        // ReplaceFile keeps the old file's creation time and security. It
        // wants full paths (Wine refuses relative ones), and a backup name:
        // without one, a failure half way leaves the old file under a name
        // nobody knows.
        const std::string fullTarget = FullPathOf(target);
        const std::string backup = FullPathOf(tempPath) + ".old";
        if (ReplaceFileA(fullTarget.c_str(), FullPathOf(tempPath).c_str(), backup.c_str(),
                         REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
            DeleteFileA(backup.c_str());
            return;
        }
        const DWORD err = GetLastError();
        if (err == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)
            MoveFileExA(backup.c_str(), fullTarget.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        else
            DeleteFileA(backup.c_str());
        throw FileError(CauseOf(err), target);
    }

    void Abandon(intptr_t file, const std::string& tempPath) noexcept override
    {
        if (file != kNoFile)
            CloseHandle(AsHandle(file));
        if (!tempPath.empty())
            DeleteFileA(tempPath.c_str());
    }
};

} // namespace

IFileLayer& PlatformFileLayer()
{
    static Win32FileLayer layer;
    return layer;
}
