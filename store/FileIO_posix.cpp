// The safe save's steps and file reading off Windows.
#include "store/FileIO.h"

#include "store/FileError.h"
#include "store/FileLayer.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
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

int64_t Nanoseconds(const struct timespec& time)
{
    return static_cast<int64_t>(time.tv_sec) * 1000000000 + time.tv_nsec;
}

FileStamp StampOfStat(const struct stat& st)
{
    FileStamp stamp;
    stamp.exists = true;
    stamp.size = static_cast<uint64_t>(st.st_size);
    stamp.written = Nanoseconds(st.st_mtim);
    stamp.changed = Nanoseconds(st.st_ctim);
    stamp.file = static_cast<uint64_t>(st.st_ino);
    stamp.volume = static_cast<uint64_t>(st.st_dev);
    return stamp;
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
    m_stamp = StampOfStat(st);
}

FileStamp StampOf(const std::string& path)
{
    struct stat st;
    if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return FileStamp();
    return StampOfStat(st);
}

// The lock is the folder's: a file beside the collection would travel with
// it to the other computers.
FileSaveLock::FileSaveLock(const std::string& path, unsigned waitMs) : m_handle(-1)
{
    std::string folder;
    try {
        folder = FolderOf(FinalTarget(path));
    } catch (const FileError&) {
        return;  // the save itself reports the path
    }
    const int fd = ::open(folder.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    m_handle = fd;
    for (unsigned waited = 0;; waited += 10) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            m_held = true;
            return;
        }
        if ((errno != EWOULDBLOCK && errno != EINTR) || waited >= waitMs)
            return;
        const struct timespec pause = {0, 10 * 1000000};
        ::nanosleep(&pause, nullptr);
    }
}

FileSaveLock::~FileSaveLock()
{
    if (m_handle >= 0)
        ::close(static_cast<int>(m_handle));
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

namespace {

class PosixFileLayer : public IFileLayer {
public:
    std::string Target(const std::string& path) override
    {
        if (path.empty() || path.back() == '/')
            throw FileError(FileError::BadPath, path);
        const std::string target = FinalTarget(path);
        struct stat old;
        if (::stat(target.c_str(), &old) == 0) {
            // Renaming over a file needs no write access to it; refuse as
            // Windows does.
            if (!S_ISREG(old.st_mode) || (old.st_mode & S_IWUSR) == 0)
                throw FileError(FileError::AccessDenied, path);
        }
        return target;
    }

    intptr_t CreateBeside(const std::string& target, std::string& tempPath) override
    {
        struct stat old;
        const bool exists = ::stat(target.c_str(), &old) == 0;
        // Beside the target, so that the rename stays on one file system.
        std::string pattern = FolderOf(target) + "/.lkh-save-XXXXXX";
        const int fd = ::mkstemp(&pattern[0]);
        if (fd < 0) {
            // The folder is gone: a path that leads nowhere, as on Windows.
            if (errno == ENOENT)
                throw FileError(FileError::BadPath, target);
            ThrowErrno(target);
        }
        const mode_t mode = exists ? (old.st_mode & 07777) : (0666 & ~CurrentUmask());
        if (::fchmod(fd, mode) != 0) {
            const int err = errno;
            Abandon(fd, pattern);
            errno = err;
            ThrowErrno(target);
        }
        tempPath = pattern;
        return fd;
    }

    size_t Write(intptr_t file, const char* data, size_t size) override
    {
        for (;;) {
            const ssize_t n = ::write(static_cast<int>(file), data, size);
            if (n >= 0)
                return static_cast<size_t>(n);
            if (errno != EINTR)
                ThrowErrno("");
        }
    }

    void Flush(intptr_t file) override
    {
        if (::fsync(static_cast<int>(file)) != 0)
            ThrowErrno("");
    }

    void Close(intptr_t file) override
    {
        if (::close(static_cast<int>(file)) != 0)
            ThrowErrno("");
    }

    void Replace(const std::string& tempPath, const std::string& target) override
    {
        if (::rename(tempPath.c_str(), target.c_str()) != 0)
            ThrowErrno(target);
    }

    void Abandon(intptr_t file, const std::string& tempPath) noexcept override
    {
        if (file != kNoFile)
            ::close(static_cast<int>(file));
        if (!tempPath.empty())
            ::unlink(tempPath.c_str());
    }
};

} // namespace

IFileLayer& PlatformFileLayer()
{
    static PosixFileLayer layer;
    return layer;
}
