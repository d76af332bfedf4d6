// The .lkh codec and the content it reads into.
#pragma once

#include "store/BookmarkItem.h"

#include <string>
#include <vector>

// Set through Version20Scope only (the version-2.0 import, linkhive-cli's
// --v20): the next read takes three strings per item instead of four and
// turns the switch off again, whatever its outcome.
extern bool Version20Mode;

// Sets Version20Mode (on, or as `on` says) for the guard's lifetime and
// turns it off when the guard ends, also when the read in between threw or
// never happened.
class Version20Scope {
public:
    explicit Version20Scope(bool on = true) { Version20Mode = on; }
    ~Version20Scope() { Version20Mode = false; }
    Version20Scope(const Version20Scope&) = delete;
    Version20Scope& operator=(const Version20Scope&) = delete;
};

struct StoreContent {
    std::vector<std::string> m_arrGroups;
    std::vector<BookmarkItem> m_arrItems;
};

class InputFile;

// Both append to `content` (callers empty it first) and throw FileError:
// EndOfFile when the layout runs past the end, BadFormat for damage no
// writer produces. `bytes`, when given, receives the bytes the collection
// was read from (not what follows it in the file).
void ReadDataFile(InputFile& file, StoreContent& content, std::string* bytes = nullptr);
void ReadDataBytes(const char* data, size_t size, StoreContent& content);

// The file through SafeFileWriter, or the bytes it would hold.
void WriteDataFile(const std::string& path, const StoreContent& content);
std::string EncodeDataFile(const StoreContent& content);

std::string EncodeCountedString(const std::string& text);
