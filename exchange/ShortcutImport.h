// Shortcut files and folders dropped or imported as bookmarks.
#pragma once

#include <string>
#include <vector>

class CBookmarkDoc;
class IFileSystem;

// Dropped shortcut files become bookmarks of the current group ("New Group"
// is made first when there is no group); other files are passed over.
// A file whose URL could not be read, or is empty, still gives a bookmark
// but is never deleted: it may be the only copy of the address. The others
// are deleted with bDeleteSourceFile and returned, for a caller that deletes
// the sources itself.
std::vector<std::string> DropShortcutFiles(CBookmarkDoc& doc, IFileSystem& files, const std::vector<std::string>& paths,
                                           bool bDeleteSourceFile);

// Every shortcut file of `folderPath` (ending in a separator, and the new
// group's name) becomes a bookmark of a new group. With no shortcut file
// there it shows "Sorry, no URLs here. Try another folder." and returns
// false with nothing changed. Sources are deleted, and `deletable` filled,
// as by a drop. Making the folder the current directory is left to the
// folder command itself.
bool ImportShortcutFolder(CBookmarkDoc& doc, IFileSystem& files, const std::string& folderPath, bool bDeleteSourceFile,
                          std::vector<std::string>* deletable = nullptr);
