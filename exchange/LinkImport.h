#pragma once

#include "store/BookmarkItem.h"

#include <string>
#include <vector>

class CMB15Doc;
class IPrompt;

// What the HTML and address-book imports do once their file is read: the new
// group goes in and becomes current, and each candidate is added unless the
// store already holds its URL, with one notice per stored item that does.
// `noUrlsMessage` is shown instead when there is no candidate. The index and
// the room in the store are taken before anything changes, so running out of
// memory there leaves the store untouched.
void CommitLinks(CMB15Doc& doc, IPrompt& prompt, const std::string& group, const std::vector<BookmarkItem>& candidates,
                 const char* noUrlsMessage);
