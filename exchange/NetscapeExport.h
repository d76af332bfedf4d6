// The collection as a browser's bookmark file.
#pragma once

#include <string>

class CBookmarkDoc;
struct StoreContent;

// The whole collection as a Netscape bookmark file, the format browsers and
// bookmark managers exchange: the entries of the group list in the group
// pane's order, each holding the bookmarks whose group equals it (the
// whole-collection page's rule, GroupedItems), then the group names in no
// entry, in order of first appearance. A group is a path of folders, its
// name cut at each " / " as the import joins them. Texts converted from the
// store's code page to UTF-8 (which the META names, as browsers expect) and
// escaped (& < > "), blanks at either end written as character references
// so that a reader's trimming keeps them; lines end in CR LF.
std::string NetscapeBookmarkFile(const StoreContent& content);

// ".html" appended only when the chosen name has no extension.
std::string NetscapeFilePath(const std::string& chosen);

// Writes the file to `path` as given through the safe write; a failure is
// reported with the standard file-error text and returns false.
bool SaveNetscapeFile(CBookmarkDoc& doc, const std::string& path);
