#pragma once

#include <string>

class CBookmarkDoc;
struct StoreContent;

// The name of the code page the store's texts are in, as a charset label:
// "windows-NNNN" for the active code page on Windows, "windows-1252" for
// the native build (whose texts are Windows-1252, see store/CodePage.h).
std::string CodePageName();

// The whole collection as a Netscape bookmark file, the format browsers and
// bookmark managers exchange: one folder per entry of the group list in the
// group pane's order, holding the bookmarks whose group equals it (the
// whole-collection page's rule, GroupedItems), then one folder per group
// name in no entry, in order of first appearance. Texts escaped (& < > ")
// and otherwise as stored; lines end in CR LF. `charset` names the code page
// of the texts.
std::string NetscapeBookmarkFile(const StoreContent& content, const std::string& charset);

// Writes the file to `path` as given through the safe write; a failure is
// reported with the standard file-error text and returns false.
bool SaveNetscapeFile(CBookmarkDoc& doc, const std::string& path);
