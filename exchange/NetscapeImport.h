// The import of a browser's bookmark file.
#pragma once

#include "exchange/NetscapeReader.h"
#include "store/CoreText.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CBookmarkDoc;
class IPrompt;

// Imports the bookmark file at `path` whole: each folder holding links
// becomes a group (one the store has already receives them), links the
// store holds or the file repeats are skipped, outside folders the group is
// named after the file. The store is committed once and the first group that
// received a bookmark becomes current; one message sums it up. The file's
// icons are left out as it is read (IconFilter); what remains may be
// kMaxImportFileSize bytes. False when the file could not be read, holds
// more or is no bookmark file (reported through `prompt`, the limit in
// megabytes; the store is then unchanged).
bool ImportNetscapeFile(const std::string& path, CBookmarkDoc& doc, IPrompt& prompt);

// As above with another limit than kMaxImportFileSize.
bool ImportNetscapeFile(const std::string& path, CBookmarkDoc& doc, IPrompt& prompt, uint64_t limit);

// The rules above for a file of another kind: `parse` reads its bytes,
// `notOfKind` is the message for a file it does not recognise; the icons
// are left out only for `withoutIcons` (their filter knows HTML alone).
using BookmarkFileParser = NetscapeFile (*)(const char* data, size_t size, const std::string& topGroup);
bool ImportBookmarkFile(const std::string& path, CBookmarkDoc& doc, IPrompt& prompt, uint64_t limit,
                        BookmarkFileParser parse, CoreText notOfKind, bool withoutIcons);
