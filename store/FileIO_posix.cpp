#include "store/FileIO.h"

#include "store/FileError.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

FileError::Cause CauseOf(int err)
{
    switch (err) {
    case ENOENT: return FileError::NotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
    case ELOOP: return FileError::BadPath;
    case EACCES:
    case EPERM:
    case EROFS: return FileError::AccessDenied;
    case EBUSY:
    case ETXTBSY: return FileError::SharingViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return FileError::DiskFull;
    default: return FileError::Generic;
    }
}

[[noreturn]] void ThrowErrno(const std::string& path)
{
    throw FileError(CauseOf(errno), path);
}

// The file a save through `path` must replace: symbolic links followed to
// their last target, which need not exist yet. Replacing the link itself
// would cut it loose and leave the file it names old.
std::string FinalTarget(const std::string& path)
{
    std::string current = path;
    for (int hops = 0;; ++hops) {
        struct stat st;
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        if (hops == 40)
            throw FileError(FileError::BadPath, path);
        std::string target(static_cast<size_t>(st.st_size) + 1, '\0');
        const ssize_t n = ::readlink(current.c_str(), &target[0], target.size());
        if (n < 0)
            ThrowErrno(path);
        // The link was replaced while being read; look at it again.
        if (static_cast<size_t>(n) == target.size())
            continue;
        target.resize(static_cast<size_t>(n));
        if (target.empty() || target[0] == '/') {
            current = target;
        } else {
            const std::string folder = FolderOf(current);
            current = (folder == "/" ? folder : folder + "/") + target;
        }
    }
}

mode_t CurrentUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

} // namespace

InputFile::InputFile(const std::string& path) : m_path(path), m_handle(-1)
{
    if (path.empty())
        throw FileError(FileError::BadPath, path);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        ThrowErrno(path);
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw FileError(FileError::Generic, path);
    }
    m_handle = fd;
    m_size = static_cast<uint64_t>(st.st_size);
}

InputFile::~InputFile()
{
    if (m_handle >= 0)
        ::close(static_cast<int>(m_handle));
}

size_t InputFile::Read(char* buffer, size_t size)
{
    for (;;) {
        const ssize_t n = ::read(static_cast<int>(m_handle), buffer, size);
        if (n >= 0)
            return static_cast<size_t>(n);
        if (errno != EINTR)
            ThrowErrno(m_path);
    }
}

SafeFileWriter::SafeFileWriter(const std::string& path) : m_path(path), m_handle(-1)
{
    if (path.empty() || path.back() == '/')
        throw FileError(FileError::BadPath, path);
    // From here on the writer works on the file the link names.
    m_path = FinalTarget(path);

    struct stat old;
    const bool exists = ::stat(m_path.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode))
        throw FileError(FileError::AccessDenied, path);
    // Renaming over a file needs no write access to it; refuse as Windows does.
    if (exists && (old.st_mode & S_IWUSR) == 0)
        throw FileError(FileError::AccessDenied, path);

    // Beside the target, so that the rename stays on one file system.
    std::string pattern = FolderOf(m_path) + "/.lkh-save-XXXXXX";
    const int fd = ::mkstemp(&pattern[0]);
    if (fd < 0)
        ThrowErrno(path);
    m_handle = fd;
    m_tempPath = pattern;
    const mode_t mode = exists ? (old.st_mode & 07777) : (0666 & ~CurrentUmask());
    if (::fchmod(fd, mode) != 0) {
        const int err = errno;
        Discard();
        errno = err;
        ThrowErrno(path);
    }
}

SafeFileWriter::~SafeFileWriter()
{
    if (!m_committed)
        Discard();
}

void SafeFileWriter::Discard()
{
    if (m_handle >= 0) {
        ::close(static_cast<int>(m_handle));
        m_handle = -1;
    }
    if (!m_tempPath.empty()) {
        ::unlink(m_tempPath.c_str());
        m_tempPath.clear();
    }
}

void SafeFileWriter::Write(const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(static_cast<int>(m_handle), data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(m_path);
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
}

void SafeFileWriter::Commit()
{
    const int fd = static_cast<int>(m_handle);
    if (::fsync(fd) != 0)
        ThrowErrno(m_path);
    m_handle = -1;
    if (::close(fd) != 0)
        ThrowErrno(m_path);
    if (::rename(m_tempPath.c_str(), m_path.c_str()) != 0)
        ThrowErrno(m_path);
    m_tempPath.clear();
    m_committed = true;
}
