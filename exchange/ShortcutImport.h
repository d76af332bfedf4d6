#pragma once

#include <string>
#include <vector>

class CBookmarkDoc;
class IFileSystem;

// Dropped shortcut files become bookmarks of the current group ("New Group"
// is made first when there is no group); other files are passed over.
// With bDeleteSourceFile each file is deleted once it is a bookmark.
// Returns the paths that became bookmarks.
std::vector<std::string> DropShortcutFiles(CBookmarkDoc& doc, IFileSystem& files, const std::vector<std::string>& paths,
                                           bool bDeleteSourceFile);

// Every shortcut file of `folderPath` (ending in a separator, and the new
// group's name) becomes a bookmark of a new group. With no shortcut file
// there it shows "Sorry, no URLs here. Try another folder." and returns
// false with nothing changed. `imported` receives the files' paths. Making
// the folder the current directory is left to the folder command itself.
bool ImportShortcutFolder(CBookmarkDoc& doc, IFileSystem& files, const std::string& folderPath, bool bDeleteSourceFile,
                          std::vector<std::string>* imported = nullptr);
