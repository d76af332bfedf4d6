// The HTML import: a page's http:// links as a new group.
#pragma once

#include "store/CodePage.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CBookmarkDoc;
class IPrompt;

// Where one link's URL and name lie in the scanned text.
struct LinkSpan {
    size_t urlBegin;
    size_t urlLength;
    size_t nameBegin;
    size_t nameLength;
};

// How a page's bytes are read: as the page's own export says, or as guessed
// (a UTF-8 byte-order mark is dropped from `page`).
TextEncoding HtmlPageEncoding(std::string_view& page);

// The fixed link scan: per line, the first "http://" up to the next double
// quote is the URL, and the text after the next ">" up to "<" the name.
// Throws std::bad_alloc past kMaxImportItems links.
void ScanHtmlLinks(const char* text, size_t size, std::vector<LinkSpan>& links);

// Imports the links of the page at `path` into a new group named after the
// file. False when the file could not be opened or read (reported through
// `prompt`; the store is then unchanged).
bool ImportHtml(const std::string& path, CBookmarkDoc& doc, IPrompt& prompt);
