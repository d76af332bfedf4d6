// The address book import: CSV rows into e-mail bookmarks.
#pragma once

#include "store/BookmarkItem.h"

#include <string>
#include <string_view>
#include <vector>

class CBookmarkDoc;
class IPrompt;

// Reads a comma-separated address book into "mailto:" candidates of
// `group`. False when the first line is not an address book's header; a text
// without any line is an address book without entries. Throws
// std::bad_alloc past kMaxImportItems entries.
bool ParseAddressBook(std::string_view text, const std::string& group, std::vector<BookmarkItem>& candidates);

// Imports the address book at `path` into a new group named after the file.
// False when the file could not be opened or read or is no address book
// (reported through `prompt`; the store is then unchanged).
bool ImportAddressBook(const std::string& path, CBookmarkDoc& doc, IPrompt& prompt);
