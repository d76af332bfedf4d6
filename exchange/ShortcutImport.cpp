// Shortcut files and folders dropped or imported as bookmarks.
#include "exchange/ShortcutImport.h"

#include "exchange/IFileSystem.h"
#include "exchange/ShortcutFile.h"
#include "store/CBookmarkDoc.h"
#include "store/Prompt.h"

#include <utility>

namespace {

// True when the file's URL was read, so that the file may be deleted.
bool AddShortcut(CBookmarkDoc& doc, IFileSystem& files, const std::string& path, bool bDeleteSourceFile)
{
    BookmarkItem item;
    item.m_strName = ShortcutBaseName(path);
    item.m_strURL = ReadShortcutURL(path);
    item.m_strGroup = doc.Selection().currentGroup;
    doc.AddItem(item);
    doc.SetModifiedFlag(true);
    // Without its URL the bookmark is empty and the file is the only place
    // the address is left. A file that stays behind is not reported.
    if (item.m_strURL.empty())
        return false;
    if (bDeleteSourceFile)
        files.RemoveFile(path);
    return true;
}

} // namespace

std::vector<std::string> DropShortcutFiles(CBookmarkDoc& doc, IFileSystem& files, const std::vector<std::string>& paths,
                                           bool bDeleteSourceFile)
{
    if (doc.m_arrGroups.empty())
        doc.AddGroup();
    std::vector<std::string> deletable;
    for (const std::string& path : paths) {
        if (IsShortcutFileName(path) && AddShortcut(doc, files, path, bDeleteSourceFile))
            deletable.push_back(path);
    }
    doc.Commit(doc.GroupPane());
    return deletable;
}

bool ImportShortcutFolder(CBookmarkDoc& doc, IFileSystem& files, const std::string& folderPath, bool bDeleteSourceFile,
                          std::vector<std::string>* deletable)
{
    // "*.URL" also finds names whose short alias matches, such as "a.urls".
    std::vector<std::string> paths;
    for (const std::string& name : files.ListShortcutCandidates(folderPath)) {
        if (IsShortcutFileName(name))
            paths.push_back(folderPath + name);
    }
    if (paths.empty()) {
        doc.Prompt().ShowMessage("Sorry, no URLs here. Try another folder.", MessageStyle::StopOk);
        return false;
    }

    const std::string group = MakeUniqueName(folderPath, doc.m_arrGroups);
    doc.m_arrGroups.push_back(group);
    doc.Selection().currentGroup = group;
    doc.Commit(nullptr);
    std::vector<std::string> read;
    for (const std::string& path : paths) {
        if (AddShortcut(doc, files, path, bDeleteSourceFile))
            read.push_back(path);
    }
    doc.Commit(doc.GroupPane());
    if (deletable)
        *deletable = std::move(read);
    return true;
}
