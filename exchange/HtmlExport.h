#pragma once

#include <string>

class CBookmarkDoc;
struct StoreContent;

// The whole collection as a page: every group a heading with a list of its
// links, in group-list order; bytes as the file holds them (CR LF).
std::string CollectionPage(const StoreContent& content);

// One group's links as paragraphs, with no title and no heading.
std::string GroupPage(const StoreContent& content, const std::string& group);

// The whole-collection page appends ".html" unless the extension is "html";
// the group page only when the name has no extension at all.
std::string CollectionPagePath(const std::string& chosen);
std::string GroupPagePath(const std::string& chosen);

// Settle the chosen path by its rule and write the page through the safe
// write; a failure is reported with the standard file-error text and
// returns false. The group page shows the current group.
bool SaveCollectionPage(CBookmarkDoc& doc, const std::string& chosen);
bool SaveGroupPage(CBookmarkDoc& doc, const std::string& chosen);
