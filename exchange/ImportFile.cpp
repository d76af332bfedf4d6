// The limits of an import and reading its file within them.
#include "exchange/ImportFile.h"

#include "store/FileError.h"
#include "store/FileIO.h"
#include "store/TextCompare.h"

#include <cstring>
#include <new>

// A 32-bit process rarely finds room for much more than this.
const uint64_t kMaxImportFileSize = sizeof(void*) >= 8 ? (uint64_t{256} << 20) : (uint64_t{128} << 20);
const size_t kMaxImportItems = sizeof(void*) >= 8 ? (size_t{8} << 20) : (size_t{2} << 20);

void CheckImportItems(size_t count)
{
    if (count >= kMaxImportItems)
        throw std::bad_alloc();
}

std::string ReadImportFile(InputFile& file, uint64_t limit)
{
    return ReadWholeFile(file, limit);
}

bool LineCursor::Next(std::string_view& line)
{
    if (m_pos >= m_text.size())
        return false;
    const char* start = m_text.data() + m_pos;
    const size_t rest = m_text.size() - m_pos;
    const void* feed = std::memchr(start, '\n', rest);
    if (!feed) {
        line = std::string_view(start, rest);
        m_pos = m_text.size();
        return true;
    }
    size_t length = static_cast<size_t>(static_cast<const char*>(feed) - start);
    m_pos += length + 1;
    if (length > 0 && start[length - 1] == '\r')
        --length;
    line = std::string_view(start, length);
    return true;
}

