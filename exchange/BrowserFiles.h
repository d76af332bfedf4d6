// Bookmark files that browsers keep in their own formats: a Chromium-family
// browser's JSON `Bookmarks`, a Firefox JSON backup and XBEL.
#pragma once

#include "exchange/NetscapeReader.h"

#include <cstddef>
#include <string>

struct StoreContent;

// Readers as ParseNetscapeFile: folders joined into groups, links outside
// every folder (a Chromium root's, a Firefox built-in folder's) in
// `topGroup`, "place:" queries and links without an address skipped. Not
// `recognised` unless the file parses as its format. Throw std::bad_alloc
// past the import limits.
NetscapeFile ParseChromiumFile(const char* data, size_t size, const std::string& topGroup);
NetscapeFile ParseFirefoxBackup(const char* data, size_t size, const std::string& topGroup);
NetscapeFile ParseXbelFile(const char* data, size_t size, const std::string& topGroup);

// The collection as a `Bookmarks` file a Chromium-family browser reads: the
// groups as folders of the bookmark bar (cut at " / " as the Netscape export
// cuts them), ids from 1 with the three roots first, the browser's checksum.
std::string ChromiumBookmarkFile(const StoreContent& content);
// The checksum a Chromium-family browser keeps in `Bookmarks`: MD5 over each
// node in order, its id, its title in UTF-16LE, then "url" and the address
// or "folder".
class Md5;
void ChecksumUrlNode(Md5& md5, const std::string& id, const std::string& title, const std::string& url);
void ChecksumFolderNode(Md5& md5, const std::string& id, const std::string& title);

// The collection as XBEL 1.0, UTF-8, the descriptions as <desc>.
std::string XbelBookmarkFile(const StoreContent& content);
