// Reading whole files and writing them through the safe save.
#include "store/FileIO.h"

#include "store/FileError.h"
#include "store/FileLayer.h"

namespace {

IFileLayer* g_layer = nullptr;

} // namespace

IFileLayer& CurrentFileLayer()
{
    return g_layer ? *g_layer : PlatformFileLayer();
}

FileLayerScope::FileLayerScope(IFileLayer& layer) : m_previous(g_layer)
{
    g_layer = &layer;
}

FileLayerScope::~FileLayerScope()
{
    g_layer = m_previous;
}

SafeFileWriter::SafeFileWriter(const std::string& path)
    : m_layer(CurrentFileLayer()), m_path(path), m_handle(IFileLayer::kNoFile)
{
    Run([this] {
        m_target = m_layer.Target(m_path);
        m_handle = m_layer.CreateBeside(m_target, m_tempPath);
    });
}

SafeFileWriter::~SafeFileWriter()
{
    if (!m_committed)
        Discard();
}

// A failed step throws away what the save has made so far and reports the
// path the caller gave, not the one a link led to or the temporary one.
template <typename Step> void SafeFileWriter::Run(Step step)
{
    try {
        step();
    } catch (const FileError& error) {
        Discard();
        throw FileError(error.cause(), m_path);
    } catch (...) {
        Discard();
        throw;
    }
}

void SafeFileWriter::Discard() noexcept
{
    m_layer.Abandon(m_handle, m_tempPath);
    m_handle = IFileLayer::kNoFile;
    m_tempPath.clear();
}

void SafeFileWriter::Write(const char* data, size_t size)
{
    Run([&] {
        // After a failed write the file is gone, so no later Commit can put a
        // half-written one in the target's place.
        if (m_handle == IFileLayer::kNoFile)
            throw FileError(FileError::Generic, m_path);
        while (size > 0) {
            const size_t written = m_layer.Write(m_handle, data, size);
            if (written == 0 || written > size)
                throw FileError(written == 0 ? FileError::DiskFull : FileError::Generic, m_path);
            data += written;
            size -= written;
        }
    });
}

bool SafeFileWriter::Commit(const std::function<bool()>& unchanged)
{
    bool replaced = false;
    Run([&] {
        if (m_handle == IFileLayer::kNoFile)
            throw FileError(FileError::Generic, m_path);
        m_layer.Flush(m_handle);
        const intptr_t handle = m_handle;
        m_handle = IFileLayer::kNoFile;
        m_layer.Close(handle);
        if (unchanged && !unchanged())
            return;
        m_layer.Replace(m_tempPath, m_target);
        replaced = true;
    });
    if (!replaced) {
        Discard();
        return false;
    }
    m_tempPath.clear();
    m_committed = true;
    return true;
}

void WriteWholeFile(const std::string& path, const std::string& content)
{
    SafeFileWriter writer(path);
    writer.Write(content.data(), content.size());
    writer.Commit();
}

std::string ReadWholeFile(const std::string& path, uint64_t limit)
{
    InputFile file(path);
    return ReadWholeFile(file, limit);
}

std::string ReadWholeFile(InputFile& file, uint64_t limit)
{
    if (file.Size() > limit)
        throw FileError(FileError::Generic, file.Path());
    std::string content(static_cast<size_t>(file.Size()), '\0');
    size_t got = 0;
    while (got < content.size()) {
        const size_t n = file.Read(&content[got], content.size() - got);
        if (n == 0)
            break;
        got += n;
    }
    content.resize(got);
    return content;
}
