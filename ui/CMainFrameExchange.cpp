// The frame's imports, exports, shortcut files and clipboard commands: each
// asks for its file or folder and hands it to its operation in exchange/.

#include "ui/CMainFrame.h"

#include "exchange/AddressBookImport.h"
#include "exchange/BrowserImport.h"
#include "exchange/ClipboardCommands.h"
#include "exchange/HtmlExport.h"
#include "exchange/HtmlImport.h"
#include "exchange/LocalFileSystem.h"
#include "exchange/MbxImport.h"
#include "exchange/NetscapeExport.h"
#include "exchange/NetscapeImport.h"
#include "exchange/ShortcutFile.h"
#include "exchange/ShortcutImport.h"
#include "exchange/Version20Import.h"
#include "res/resource.h"
#include "settings/Preferences.h"
#include "store/CodePage.h"
#include "store/CBookmarkDoc.h"
#include "store/Prompt.h"
#include "store/TextFormat.h"
#include "ui/CItemPane.h"

#include <vector>

namespace {

// Asks for the file to import and imports it; false when the user cancelled
// or the import failed (the import has said why).
bool ImportChosenFile(CBookmarkDoc& doc, UINT title, UINT filter,
                      bool (*import)(const std::string&, CBookmarkDoc&, IPrompt&))
{
    FileDialogRequest request;
    request.title = LoadResourceString(title);
    request.filter = LoadResourceString(filter);
    std::string path;
    return doc.Prompt().ChooseFile(request, path) && import(path, doc, doc.Prompt());
}

bool ChooseFileToSave(IPrompt& prompt, UINT title, UINT filter, const std::string& name, std::string& path)
{
    FileDialogRequest request;
    request.save = true;
    request.title = LoadResourceString(title);
    request.filter = LoadResourceString(filter);
    request.initialPath = name;
    return prompt.ChooseFile(request, path);
}

// The dialog asked before replacing the name chosen in it, not the one the
// command made by appending an extension.
bool MayWrite(IPrompt& prompt, const std::string& chosen, const std::string& path)
{
    if (path == chosen || GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return true;
    return prompt.ShowMessage(FormatText(LoadResourceString(IDS_REPLACE_FILE), {path}), MessageStyle::QuestionYesNo) ==
           MessageAnswer::Yes;
}

// Every name of a drop, whole: a name cut to a buffer may name another
// file, which "Delete Source URLs" would then delete.
std::vector<std::string> DroppedPaths(HDROP drop)
{
    struct Finish {
        HDROP drop;
        ~Finish() { DragFinish(drop); }
    } finish = {drop};
    const UINT kAskCount = 0xFFFFFFFF;
    std::vector<std::string> paths;
    const UINT count = DragQueryFileA(drop, kAskCount, nullptr, 0);
    for (UINT index = 0; index < count; ++index) {
        const UINT length = DragQueryFileA(drop, index, nullptr, 0);
        std::vector<char> path(length + 1);
        if (DragQueryFileA(drop, index, path.data(), length + 1) == length)
            paths.emplace_back(path.data(), length);
    }
    return paths;
}

} // namespace

void CMainFrame::OnImportVersion20(UINT)
{
    if (ImportChosenFile(m_document, IDS_IMPORT_V20_TITLE, IDS_IMPORT_V20_FILTER, ImportVersion20))
        UpdateTitle(m_document.GetTitle());
}

void CMainFrame::OnImportMarkbox(UINT)
{
    if (ImportChosenFile(m_document, IDS_IMPORT_MARKBOX_TITLE, IDS_IMPORT_MARKBOX_FILTER, ImportMbx))
        UpdateTitle(m_document.GetTitle());
}

void CMainFrame::OnImportHtml(UINT)
{
    ImportChosenFile(m_document, IDS_IMPORT_HTML_TITLE, IDS_IMPORT_HTML_FILTER, ImportHtml);
}

void CMainFrame::OnImportAddressBook(UINT)
{
    ImportChosenFile(m_document, IDS_IMPORT_ADDRESS_BOOK_TITLE, IDS_IMPORT_ADDRESS_BOOK_FILTER, ImportAddressBook);
}

void CMainFrame::OnImportFolder(UINT)
{
    std::string folder;
    if (!m_document.Prompt().ChooseFolder(LoadResourceString(IDS_IMPORT_FOLDER_TITLE), folder))
        return;
    folder += '\\';
    SetCurrentDirectoryA(folder.c_str());
    LocalFileSystem files;
    ImportShortcutFolder(m_document, files, folder, thePreferences.bDeleteSourceFile != 0);
}

void CMainFrame::OnImportBrowserBookmarks(UINT)
{
    // The import commits, so the panes already show its first group.
    ImportChosenFile(m_document, IDS_IMPORT_BOOKMARKS_TITLE, IDS_IMPORT_BOOKMARKS_FILTER, ImportNetscapeFile);
}

void CMainFrame::OnImportChromium(UINT)
{
    // The browsers keep the file in their profile folder, which few users
    // could find by hand.
    FileDialogRequest request;
    request.title = LoadResourceString(IDS_IMPORT_CHROMIUM_TITLE);
    request.filter = LoadResourceString(IDS_IMPORT_CHROMIUM_FILTER);
    char local[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("LOCALAPPDATA", local, sizeof local);
    if (length > 0 && length < sizeof local) {
        const char* const profiles[] = {"\\Google\\Chrome\\User Data\\Default",
                                        "\\Microsoft\\Edge\\User Data\\Default"};
        for (const char* profile : profiles) {
            const std::string folder = std::string(local, length) + profile;
            const DWORD attributes = GetFileAttributesA(folder.c_str());
            if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                request.initialPath = folder;
                break;
            }
        }
    }
    std::string path;
    if (m_document.Prompt().ChooseFile(request, path))
        ImportChromiumFile(path, m_document, m_document.Prompt());
}

void CMainFrame::OnImportFirefox(UINT)
{
    ImportChosenFile(m_document, IDS_IMPORT_FIREFOX_TITLE, IDS_IMPORT_FIREFOX_FILTER, ImportFirefoxBackup);
}

void CMainFrame::OnImportXbel(UINT)
{
    ImportChosenFile(m_document, IDS_IMPORT_XBEL_TITLE, IDS_IMPORT_XBEL_FILTER, ImportXbelFile);
}

void CMainFrame::OnDropFiles(HDROP drop)
{
    const std::vector<std::string> paths = DroppedPaths(drop);
    LocalFileSystem files;
    DropShortcutFiles(m_document, files, paths, thePreferences.bDeleteSourceFile != 0);
}

void CMainFrame::OnFileSaveAsHtml(UINT)
{
    IPrompt& prompt = m_document.Prompt();
    std::string chosen;
    if (!ChooseFileToSave(prompt, IDS_SAVE_HTML_TITLE, IDS_SAVE_HTML_FILTER, "", chosen))
        return;
    if (MayWrite(prompt, chosen, CollectionPagePath(chosen)))
        SaveCollectionPage(m_document, chosen);
}

void CMainFrame::OnFileExportBrowserBookmarks(UINT)
{
    IPrompt& prompt = m_document.Prompt();
    std::string chosen;
    if (!ChooseFileToSave(prompt, IDS_EXPORT_BOOKMARKS_TITLE, IDS_EXPORT_BOOKMARKS_FILTER, "", chosen))
        return;
    const std::string path = NetscapeFilePath(chosen);
    if (MayWrite(prompt, chosen, path))
        SaveNetscapeFile(m_document, path);
}

void CMainFrame::OnFileExportXbel(UINT)
{
    IPrompt& prompt = m_document.Prompt();
    std::string chosen;
    if (!ChooseFileToSave(prompt, IDS_EXPORT_XBEL_TITLE, IDS_EXPORT_XBEL_FILTER, "", chosen))
        return;
    const std::string path = XbelFilePath(chosen);
    if (MayWrite(prompt, chosen, path))
        SaveXbelFile(m_document, path);
}

void CMainFrame::OnFileExportChromium(UINT)
{
    // Named as the browser names it, so it can be dropped into a profile.
    std::string chosen;
    if (ChooseFileToSave(m_document.Prompt(), IDS_EXPORT_CHROMIUM_TITLE, IDS_EXPORT_CHROMIUM_FILTER, "Bookmarks",
                         chosen))
        SaveChromiumFile(m_document, chosen);
}

void CMainFrame::OnGroupSaveAsHtml(UINT)
{
    IPrompt& prompt = m_document.Prompt();
    const std::string& group = m_document.Selection().currentGroup;
    const std::string name = group.substr(0, WholeCharacters(group, MAX_PATH - 1));
    std::string chosen;
    if (!ChooseFileToSave(prompt, IDS_SAVE_GROUP_HTML_TITLE, IDS_SAVE_GROUP_HTML_FILTER, name, chosen))
        return;
    if (MayWrite(prompt, chosen, GroupPagePath(chosen)))
        SaveGroupPage(m_document, chosen);
}

void CMainFrame::OnItemSaveAsFile(UINT)
{
    // A copy: the dialogs below may let the store change.
    const BookmarkItem* selected = m_itemPane->BookmarkOfRow(m_itemPane->SelectedRow());
    if (selected == nullptr)
        return;
    const BookmarkItem bookmark = *selected;

    IPrompt& prompt = m_document.Prompt();
    std::string chosen;
    if (!ChooseFileToSave(prompt, IDS_EXPORT_URL_TITLE, IDS_EXPORT_URL_FILTER, bookmark.m_strName, chosen))
        return;
    const std::string path = ShortcutFilePath(chosen);
    if (MayWrite(prompt, chosen, path))
        SaveShortcutFile(path, bookmark.m_strURL, prompt);
}

void CMainFrame::OnEditCopy(UINT)
{
    ClipboardCommands(m_document).OnEditCopy();
}

void CMainFrame::OnEditCopyUrl(UINT)
{
    ClipboardCommands(m_document).OnEditCopyUrl();
}

void CMainFrame::OnEditCut(UINT)
{
    ClipboardCommands(m_document).OnEditCut();
}

void CMainFrame::OnEditPaste(UINT)
{
    ClipboardCommands(m_document).OnEditPaste();
}

void CMainFrame::OnEditUndo(UINT)
{
    ClipboardCommands(m_document).OnEditUndo();
}

void CMainFrame::OnUpdateEditPaste(CCmdUI& ui)
{
    ui.Enable(ClipboardCommands(m_document).CanPaste());
}

void CMainFrame::OnUpdateEditUndo(CCmdUI& ui)
{
    ui.Enable(ClipboardCommands(m_document).CanUndo());
}
