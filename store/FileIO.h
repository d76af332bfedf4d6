// Reading whole files and writing them through the safe save.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

class IFileLayer;

// Reading and writing files' bytes (FileIO_posix.cpp and FileIO_win.cpp
// supply the platform's part, writes through store/FileLayer.h); every
// failure throws FileError. Folders are listed and
// files deleted through exchange/IFileSystem.h, shortcut files read through
// exchange/ShortcutFile.h.

// Tells one version of a file from another without reading it: its size,
// last write, and which file of the file system it is (a file replaced by
// another is another file). Equal stamps are one version as far as the file
// system can tell.
struct FileStamp {
    bool exists = false;
    uint64_t size = 0;
    int64_t written = 0;   // the last write, in the platform's units
    int64_t changed = 0;   // the last change of the file's record, where the platform keeps one
    uint64_t file = 0;     // the file's number on its volume
    uint64_t volume = 0;

    bool operator==(const FileStamp& other) const
    {
        return exists == other.exists && size == other.size && written == other.written &&
               changed == other.changed && file == other.file && volume == other.volume;
    }
    bool operator!=(const FileStamp& other) const { return !(*this == other); }
};

// The stamp of the file at `path`; one that does not exist (or cannot be
// looked at) has `exists` false. Never throws.
FileStamp StampOf(const std::string& path);

class InputFile {
public:
    explicit InputFile(const std::string& path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Reads up to `size` bytes; 0 at the end of the file.
    size_t Read(char* buffer, size_t size);
    uint64_t Size() const { return m_size; }
    const std::string& Path() const { return m_path; }
    // The stamp of the file as it was opened.
    const FileStamp& Stamp() const { return m_stamp; }

private:
    std::string m_path;
    intptr_t m_handle;
    uint64_t m_size = 0;
    FileStamp m_stamp;
};

// Writes a new file beside the target and puts it in the target's place only
// on Commit, so a failed save never leaves a half-written file behind; the
// replaced file's access rights (and on Windows its creation time) carry over.
// Every failure names `path`, also when a link led elsewhere.
class SafeFileWriter {
public:
    explicit SafeFileWriter(const std::string& path);
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    void Write(const char* data, size_t size);
    // Puts the file in the target's place, unless `unchanged` (asked once
    // the file is written, just before) says the target is no longer as the
    // caller saw it: then nothing is replaced and the result is false.
    bool Commit(const std::function<bool()>& unchanged = {});

private:
    template <typename Step> void Run(Step step);
    void Discard() noexcept;

    IFileLayer& m_layer;
    std::string m_path;
    std::string m_target;
    std::string m_tempPath;
    intptr_t m_handle;
    bool m_committed = false;
};

// While it lives, no other save of `path` through a lock of its own, in
// this process or another on this computer, gets past its constructor: the
// look at the file, the merge and the replace of one save are not mixed with
// another's. It waits at most `waitMs` for the other to finish, then goes
// on without the lock rather than hang on a stuck program.
class FileSaveLock {
public:
    explicit FileSaveLock(const std::string& path, unsigned waitMs = 30000);
    ~FileSaveLock();
    FileSaveLock(const FileSaveLock&) = delete;
    FileSaveLock& operator=(const FileSaveLock&) = delete;

    bool Held() const { return m_held; }

private:
    intptr_t m_handle;
    bool m_held = false;
};

// Writes `content` to `path` through SafeFileWriter.
void WriteWholeFile(const std::string& path, const std::string& content);

// Reads a whole file; a file larger than `limit` bytes fails with Generic
// before anything is allocated.
std::string ReadWholeFile(const std::string& path, uint64_t limit);
std::string ReadWholeFile(InputFile& file, uint64_t limit);
