#include "store/FileIO.h"

#include "store/FileError.h"

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
