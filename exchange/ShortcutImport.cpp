#include "exchange/ShortcutImport.h"

#include "exchange/IFileSystem.h"
#include "exchange/ShortcutFile.h"
#include "store/CBookmarkDoc.h"
#include "store/Prompt.h"

namespace {

void AddShortcut(CBookmarkDoc& doc, IFileSystem& files, const std::string& path, bool bDeleteSourceFile)
{
    BookmarkItem item;
    item.m_strName = ShortcutBaseName(path);
    item.m_strURL = ReadShortcutURL(path);
    item.m_strGroup = doc.Selection().currentGroup;
    doc.AddItem(item);
    doc.SetModifiedFlag(true);
    // A file that stays behind is no loss; it is not reported.
    if (bDeleteSourceFile)
        files.RemoveFile(path);
}

} // namespace

std::vector<std::string> DropShortcutFiles(CBookmarkDoc& doc, IFileSystem& files, const std::vector<std::string>& paths,
                                           bool bDeleteSourceFile)
{
    if (doc.m_arrGroups.empty()) {
        const std::string group = MakeUniqueName("New Group", doc.m_arrGroups);
        doc.m_arrGroups.push_back(group);
        doc.Selection().currentGroup = group;
        doc.Commit(nullptr);
    }
    std::vector<std::string> imported;
    for (const std::string& path : paths) {
        if (!IsShortcutFileName(path))
            continue;
        AddShortcut(doc, files, path, bDeleteSourceFile);
        imported.push_back(path);
    }
    doc.Commit(doc.GroupPane());
    return imported;
}

bool ImportShortcutFolder(CBookmarkDoc& doc, IFileSystem& files, const std::string& folderPath, bool bDeleteSourceFile,
                          std::vector<std::string>* imported)
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
    for (const std::string& path : paths)
        AddShortcut(doc, files, path, bDeleteSourceFile);
    doc.Commit(doc.GroupPane());
    if (imported)
        *imported = paths;
    return true;
}
