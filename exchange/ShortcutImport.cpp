// Shortcut files and folders dropped or imported as bookmarks.
#include "exchange/ShortcutImport.h"

#include "exchange/IFileSystem.h"
#include "exchange/ShortcutFile.h"
#include "store/CBookmarkDoc.h"
#include "store/CoreText.h"
#include "store/Prompt.h"

#include <utility>

namespace {

// The bookmark of each shortcut file of `paths` in `group`, and the files
// whose URL was read, so that they may be deleted.
std::vector<BookmarkItem> ReadShortcuts(const std::vector<std::string>& paths, const std::string& group,
                                        std::vector<std::string>& read)
{
    std::vector<BookmarkItem> items;
    for (const std::string& path : paths) {
        BookmarkItem item;
        item.m_strName = ShortcutBaseName(path);
        item.m_strURL = ReadShortcutURL(path);
        item.m_strGroup = group;
        // Without its URL the bookmark is empty and the file is the only
        // place the address is left. A file that stays behind is not reported.
        if (!item.m_strURL.empty())
            read.push_back(path);
        items.push_back(std::move(item));
    }
    return items;
}

void RemoveFiles(IFileSystem& files, const std::vector<std::string>& paths, bool bDeleteSourceFile)
{
    if (!bDeleteSourceFile)
        return;
    for (const std::string& path : paths)
        files.RemoveFile(path);
}

} // namespace

std::vector<std::string> DropShortcutFiles(CBookmarkDoc& doc, IFileSystem& files, const std::vector<std::string>& paths,
                                           bool bDeleteSourceFile)
{
    if (doc.Groups().empty())
        doc.AddGroup();
    std::vector<std::string> shortcuts;
    for (const std::string& path : paths) {
        if (IsShortcutFileName(path))
            shortcuts.push_back(path);
    }
    std::vector<std::string> deletable;
    doc.AddItems(ReadShortcuts(shortcuts, doc.Selection().currentGroup, deletable), {}, doc.GroupPane());
    RemoveFiles(files, deletable, bDeleteSourceFile);
    return deletable;
}

bool ImportShortcutFolder(CBookmarkDoc& doc, IFileSystem& files, const std::string& folderPath, bool bDeleteSourceFile,
                          std::vector<std::string>* deletable)
{
    std::vector<std::string> paths;
    for (const std::string& name : files.ListShortcutCandidates(folderPath)) {
        if (IsShortcutFileName(name))
            paths.push_back(folderPath + name);
    }
    if (paths.empty()) {
        doc.Prompt().ShowMessage(UserText(CoreText::NoShortcutUrls), MessageStyle::StopOk);
        return false;
    }

    const std::string group = MakeUniqueName(folderPath, doc.Groups());
    std::vector<std::string> read;
    doc.AddItems(ReadShortcuts(paths, group, read), {group}, nullptr, &group, true);
    RemoveFiles(files, read, bDeleteSourceFile);
    if (deletable)
        *deletable = std::move(read);
    return true;
}
