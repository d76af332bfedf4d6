// The platform's steps of a safe save.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The platform's share of a safe save, one call per step (FileIO_posix.cpp,
// FileIO_win.cpp). SafeFileWriter (FileIO.cpp) puts the steps in order and
// cleans up after the one that fails, so tests can fail each in turn through
// FileLayerScope. Every step throws FileError and leaves nothing of its own
// behind when it does.
class IFileLayer {
public:
    static constexpr intptr_t kNoFile = -1;

    virtual ~IFileLayer() = default;
    // The file a save to `path` replaces; refused when that is a folder or
    // read-only.
    virtual std::string Target(const std::string& path) = 0;
    // A new empty file in the target's folder, set up to take the target's
    // place; its path goes to `tempPath`.
    virtual intptr_t CreateBeside(const std::string& target, std::string& tempPath) = 0;
    // Writes part of `data`; returns how many bytes, 0 when none could be.
    virtual size_t Write(intptr_t file, const char* data, size_t size) = 0;
    virtual void Flush(intptr_t file) = 0;
    // The file is closed also when this throws.
    virtual void Close(intptr_t file) = 0;
    // Puts the written file in the target's place; the target is as it was
    // when this throws.
    virtual void Replace(const std::string& tempPath, const std::string& target) = 0;
    // Closes `file` (unless kNoFile) and deletes `tempPath` (unless empty).
    virtual void Abandon(intptr_t file, const std::string& tempPath) noexcept = 0;
};

IFileLayer& PlatformFileLayer();
// The layer saves go through: the platform's unless a FileLayerScope is open.
IFileLayer& CurrentFileLayer();

// Sends every save through `layer` for its lifetime.
class FileLayerScope {
public:
    explicit FileLayerScope(IFileLayer& layer);
    ~FileLayerScope();
    FileLayerScope(const FileLayerScope&) = delete;
    FileLayerScope& operator=(const FileLayerScope&) = delete;

private:
    IFileLayer* m_previous;
};
