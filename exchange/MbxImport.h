// The import of the predecessor's data file.
#pragma once

#include "store/DataFile.h"

#include <string>
#include <string_view>

class CBookmarkDoc;
class IPrompt;

// Reads the predecessor's text format into `content` (groups and items in
// file order). False when an item comes before the first group line; throws
// std::bad_alloc past kMaxImportItems lines.
bool ParseMbx(std::string_view text, StoreContent& content);

// Replaces the document with the collection at `path` (".mbx" appended
// unless the name has that extension) as a new, modified "Untitled"
// document. A titled document is saved to its file first, an unsaved one is
// offered the save prompt. False when the file was unusable ("Wrong file
// format."), the save failed or the user cancelled: nothing has changed then.
// A file without group lines ends it silently, true and unchanged.
bool ImportMbx(const std::string& path, CBookmarkDoc& doc, IPrompt& prompt);
