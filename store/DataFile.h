#pragma once

#include "store/BookmarkItem.h"

#include <string>
#include <vector>

// Set only by the version-2.0 import: the next read takes three strings per
// item instead of four and turns the switch off again, whatever its outcome.
extern bool Version20Mode;

struct StoreContent {
    std::vector<std::string> m_arrGroups;
    std::vector<BookmarkItem> m_arrItems;
};

class InputFile;

// Both append to `content` (callers empty it first) and throw FileError:
// EndOfFile when the layout runs past the end, BadFormat for damage no
// writer produces.
void ReadDataFile(InputFile& file, StoreContent& content);
void ReadDataBytes(const char* data, size_t size, StoreContent& content);

// The file through SafeFileWriter, or the bytes it would hold.
void WriteDataFile(const std::string& path, const StoreContent& content);
std::string EncodeDataFile(const StoreContent& content);

std::string EncodeCountedString(const std::string& text);
