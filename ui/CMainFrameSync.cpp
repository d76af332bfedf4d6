// The main frame and other programs' changes: the collection's file watched
// and reloaded, conflict copies offered, File > Merge Collection.
#include "ui/CMainFrame.h"

#include "framework/ResourceString.h"
#include "res/resource.h"
#include "store/Backups.h"
#include "store/CBookmarkDoc.h"
#include "store/CodePage.h"
#include "store/CollectionMerge.h"
#include "store/ConflictCopies.h"
#include "store/FileIO.h"
#include "store/FileOperation.h"
#include "store/Prompt.h"
#include "store/TextFormat.h"
#include "ui/CItemPane.h"

namespace {

// How long after its folder's first change the file is looked at: a writer
// has usually finished by then, and a burst of changes makes one look.
const UINT kCheckDelayMs = 300;

std::string ThisComputerName()
{
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = L"";
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    if (!GetComputerNameW(name, &size))
        return std::string();
    return Utf16ToUtf8(reinterpret_cast<const char16_t*>(name), size);
}

// A collection file read whole; a failure is reported as an open's.
bool ReadCollection(IPrompt& prompt, const std::string& path, StoreContent& content)
{
    return RunFileOperation(prompt, path, FileReport::DocumentOpen, [&] {
        InputFile file(path);
        if (file.Size() > 0)
            ReadDataFile(file, content);
    });
}

} // namespace

void CMainFrame::UpdateTitle(const std::string& documentTitle)
{
    CFrameWnd::UpdateTitle(documentTitle);
    const std::string& path = m_document.GetPathName();
    m_folderWatcher.Watch(m_hWnd, WM_FOLDER_CHANGED, path.empty() ? std::string() : FolderOf(path));
}

void CMainFrame::CollectionOpened()
{
    m_declinedCopies.clear();
    m_offerCopiesDue = true;
    PostMessageA(m_hWnd, WM_CHECK_COLLECTION, 0, 0);
}

void CMainFrame::ScheduleCollectionCheck()
{
    if (m_collectionCheckDue)
        return;
    m_collectionCheckDue = true;
    SetTimer(m_hWnd, IDT_CHECK_COLLECTION, kCheckDelayMs, nullptr);
}

void CMainFrame::CheckCollection()
{
    bool editing = false;
    for (CView* pane : Panes())
        editing = editing || pane->IsEditingLabel();
    // A modal dialog or a name being typed works on the collection as it is.
    if (!IsWindowEnabled(m_hWnd) || editing) {
        ScheduleCollectionCheck();
        return;
    }
    if (!m_document.IsModified() && m_document.ReloadIfChanged() == CBookmarkDoc::DiskCheck::Reloaded) {
        const int32_t selected = m_document.Selection().itemIndex;
        if (selected >= 0)
            m_itemPane->SelectBookmark(static_cast<size_t>(selected));
        SetMessageText(LoadResourceString(IDS_RELOADED));
        m_offerCopiesDue = true;
    }
    if (m_offerCopiesDue) {
        m_offerCopiesDue = false;
        OfferConflictCopies();
    }
}

void CMainFrame::OfferConflictCopies()
{
    const std::string path = m_document.GetPathName();
    if (path.empty())
        return;
    IPrompt& prompt = m_document.Prompt();
    for (const std::string& copy : ConflictCopiesOf(path, ThisComputerName())) {
        if (m_declinedCopies.count(copy) != 0)
            continue;
        // Asked once a session; one that cannot be moved away is not asked again either.
        m_declinedCopies.insert(copy);
        const std::string question = FormatText(LoadResourceString(IDS_MERGE_CONFLICT_COPY), {FileTitleOf(copy)});
        if (prompt.ShowMessage(question, MessageStyle::QuestionYesNo) != MessageAnswer::Yes)
            continue;
        StoreContent content;
        if (!ReadCollection(prompt, copy, content))
            continue;
        // Two ways: what the copy has that the collection lacks. Where the
        // two versions parted is not known, so nothing is taken away.
        MergeOutcome outcome = MergeTwoWay(m_document.Content(), content);
        const std::string summary = MergeSummary(outcome);
        m_document.TakeMerge(std::move(outcome));
        try {
            BackupShelf(path).Shelve(copy);
        } catch (const FileError&) {
        }
        SetMessageText(summary);
    }
}

void CMainFrame::OnMergeCollection(UINT)
{
    FileDialogRequest request;
    request.title = LoadResourceString(IDS_MERGE_COLLECTION_TITLE);
    request.filter = m_document.FileFilter();
    request.defaultExtension = m_document.DefaultExtension();
    std::string path;
    IPrompt& prompt = m_document.Prompt();
    if (!prompt.ChooseFile(request, path))
        return;
    StoreContent content;
    if (!ReadCollection(prompt, path, content))
        return;
    MergeOutcome outcome = MergeTwoWay(m_document.Content(), content);
    const std::string summary = MergeSummary(outcome);
    m_document.TakeMerge(std::move(outcome));
    prompt.ShowMessage(summary, MessageStyle::InformationOk);
}
