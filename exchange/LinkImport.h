// What the HTML and address-book imports share once their file is read.
#pragma once

#include "store/BookmarkItem.h"

#include <functional>
#include <string>
#include <vector>

class CBookmarkDoc;
class IPrompt;

// What the HTML and address-book imports do once their file is read: the new
// group goes in and becomes current, and each candidate is added unless the
// store already holds its URL, with one notice per stored item that does.
// `noUrlsMessage` is shown instead when there is no candidate. The index and
// the room in the store are taken before anything changes, so running out of
// memory there leaves the store untouched.
void CommitLinks(CBookmarkDoc& doc, IPrompt& prompt, const std::string& group, const std::vector<BookmarkItem>& candidates,
                 const char* noUrlsMessage);

enum class UrlDuplicate : unsigned char { None, Stored, Repeated };

// For each of `urls`, whether the store holds the same address already
// (SameAddress, not the store's rule), or else an earlier entry of `urls`.
std::vector<UrlDuplicate> DuplicateUrls(const CBookmarkDoc& doc, const std::vector<const std::string*>& urls);

// Opens an import's file and reads it whole, then hands the text to `scan`,
// which returns false after a message of its own. A file that cannot be
// opened gets the standard file-error text; a failure while reading or
// scanning (memory included) gets `readFailure`. True when `scan` ran through.
bool ReadAndImport(const std::string& path, IPrompt& prompt, const char* readFailure,
                   const std::function<bool(const std::string& text)>& scan);
