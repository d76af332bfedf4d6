#include "store/FileIO.h"

#include "store/FileError.h"

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

} // namespace

InputFile::InputFile(const std::string& path) : m_path(path), m_handle(reinterpret_cast<intptr_t>(INVALID_HANDLE_VALUE))
{
    if (path.empty())
        throw FileError(FileError::BadPath, path);
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        ThrowLastError(path);
    LARGE_INTEGER size;
    if (!GetFileSizeEx(h, &size) || GetFileType(h) != FILE_TYPE_DISK) {
        CloseHandle(h);
        throw FileError(FileError::Generic, path);
    }
    m_handle = reinterpret_cast<intptr_t>(h);
    m_size = static_cast<uint64_t>(size.QuadPart);
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

SafeFileWriter::SafeFileWriter(const std::string& path) : m_path(path), m_handle(reinterpret_cast<intptr_t>(INVALID_HANDLE_VALUE))
{
    if (path.empty() || path.back() == '\\' || path.back() == '/')
        throw FileError(FileError::BadPath, path);

    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        throw FileError(FileError::AccessDenied, path);

    const std::string folder = FolderOf(path);
    const DWORD folderAttributes = GetFileAttributesA(folder.c_str());
    if (folderAttributes == INVALID_FILE_ATTRIBUTES || !(folderAttributes & FILE_ATTRIBUTE_DIRECTORY))
        throw FileError(FileError::BadPath, path);

    char temp[MAX_PATH];
    if (GetTempFileNameA(folder.c_str(), "lkh", 0, temp) == 0)
        ThrowLastError(path);
    m_tempPath = temp;
    HANDLE h = CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD err = GetLastError();
        Discard();
        throw FileError(CauseOf(err), path);
    }
    m_handle = reinterpret_cast<intptr_t>(h);
}

SafeFileWriter::~SafeFileWriter()
{
    if (!m_committed)
        Discard();
}

void SafeFileWriter::Discard()
{
    if (AsHandle(m_handle) != INVALID_HANDLE_VALUE) {
        CloseHandle(AsHandle(m_handle));
        m_handle = reinterpret_cast<intptr_t>(INVALID_HANDLE_VALUE);
    }
    if (!m_tempPath.empty()) {
        DeleteFileA(m_tempPath.c_str());
        m_tempPath.clear();
    }
}

void SafeFileWriter::Write(const char* data, size_t size)
{
    while (size > 0) {
        const DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(AsHandle(m_handle), data, chunk, &written, nullptr))
            ThrowLastError(m_path);
        if (written == 0)
            throw FileError(FileError::DiskFull, m_path);
        data += written;
        size -= written;
    }
}

void SafeFileWriter::Commit()
{
    HANDLE h = AsHandle(m_handle);
    if (!FlushFileBuffers(h))
        ThrowLastError(m_path);
    m_handle = reinterpret_cast<intptr_t>(INVALID_HANDLE_VALUE);
    if (!CloseHandle(h))
        ThrowLastError(m_path);

    // ReplaceFile keeps the old file's creation time and security; a new
    // target has nothing to keep.
    const bool exists = GetFileAttributesA(m_path.c_str()) != INVALID_FILE_ATTRIBUTES;
    // ReplaceFile wants full paths (Wine refuses relative ones).
    const BOOL moved = exists
        ? ReplaceFileA(FullPathOf(m_path).c_str(), FullPathOf(m_tempPath).c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                       nullptr, nullptr)
        : MoveFileExA(m_tempPath.c_str(), m_path.c_str(), MOVEFILE_WRITE_THROUGH);
    if (!moved)
        ThrowLastError(m_path);
    m_tempPath.clear();
    m_committed = true;
}
