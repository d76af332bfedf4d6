// The limits of an import and reading its file within them.
#pragma once

#include "store/PathNames.h"

#include <cstdint>
#include <string>
#include <string_view>

class InputFile;

// The largest file an import reads into memory and the most bookmarks it
// makes of one; beyond them it fails as when memory runs out, rather than
// exhausting the address space (a line of a few bytes costs a whole item).
extern const uint64_t kMaxImportFileSize;
extern const size_t kMaxImportItems;

// Throws std::bad_alloc once `count` items reach kMaxImportItems.
void CheckImportItems(size_t count);

// The whole content of an opened file, in binary; throws FileError (Generic
// when the file exceeds `limit`) and std::bad_alloc.
std::string ReadImportFile(InputFile& file, uint64_t limit = kMaxImportFileSize);

// Walks a text line by line: a line ends at a line feed, a carriage return
// just before it is dropped, and a last line without a line end counts.
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : m_text(text) {}
    bool Next(std::string_view& line);

private:
    std::string_view m_text;
    size_t m_pos = 0;
};
