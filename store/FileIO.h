// Reading whole files and writing them through the safe save.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class IFileLayer;

// Reading and writing files' bytes (FileIO_posix.cpp and FileIO_win.cpp
// supply the platform's part, writes through store/FileLayer.h); every
// failure throws FileError. Folders are listed and
// files deleted through exchange/IFileSystem.h, shortcut files read through
// exchange/ShortcutFile.h.

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

private:
    std::string m_path;
    intptr_t m_handle;
    uint64_t m_size = 0;
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
    void Commit();

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

// Writes `content` to `path` through SafeFileWriter.
void WriteWholeFile(const std::string& path, const std::string& content);

// Reads a whole file; a file larger than `limit` bytes fails with Generic
// before anything is allocated.
std::string ReadWholeFile(const std::string& path, uint64_t limit);
std::string ReadWholeFile(InputFile& file, uint64_t limit);
