// The document base: title, path, modified flag, views, open and save.
#include "store/CDocument.h"

#include "store/Backups.h"
#include "store/CoreText.h"
#include "store/FileError.h"
#include "store/FileIO.h"
#include "store/FileOperation.h"
#include "store/Prompt.h"
#include "store/TextFormat.h"

#include <algorithm>
#include <memory>
#include <new>

namespace {

const unsigned kOpenWaitMs = 2000;

} // namespace

void CDocument::SetPathName(const std::string& path)
{
    m_path = path;
    m_title = FileTitleOf(path);
}

void CDocument::AddView(IView* view)
{
    m_views.push_back(view);
}

void CDocument::RemoveView(IView* view)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

UpdateHint ItemsHint(std::vector<size_t> removed, std::vector<size_t> changed, size_t added)
{
    UpdateHint hint;
    hint.kind = UpdateHint::Items;
    hint.removed = std::move(removed);
    hint.changed = std::move(changed);
    hint.added = added;
    return hint;
}

UpdateHint SelectionHint()
{
    UpdateHint hint;
    hint.kind = UpdateHint::Selection;
    return hint;
}

void RemoveIndices(std::vector<size_t>& indices, const std::vector<size_t>& removed)
{
    if (removed.empty())
        return;
    size_t kept = 0;
    for (const size_t index : indices) {
        const auto below = std::lower_bound(removed.begin(), removed.end(), index);
        if (below != removed.end() && *below == index)
            continue;
        indices[kept++] = index - static_cast<size_t>(below - removed.begin());
    }
    indices.resize(kept);
}

void CDocument::UpdateAllViews(IView* sender, const UpdateHint& hint)
{
    // A view may open or close another while it updates.
    const std::vector<IView*> views = m_views;
    for (IView* view : views) {
        if (view != sender && std::find(m_views.begin(), m_views.end(), view) != m_views.end())
            view->OnUpdate(hint);
    }
}

void CDocument::OnNewDocument()
{
    ++m_collectionNumber;
    DeleteContents();
    m_path.clear();
    m_title = "Untitled";
    m_modified = false;
    UpdateAllViews(nullptr);
}

bool CDocument::OnOpenDocument(const std::string& path)
{
    std::unique_ptr<InputFile> file;
    // Another Linkhive's save of the file may be half way through its
    // replace, which where renames are not atomic leaves no file by the name
    // for a moment: the open waits for that save, a short while at most.
    const auto open = [&] {
        const FileSaveLock lock(path, kOpenWaitMs);
        file = std::make_unique<InputFile>(path);
    };
    if (!RunFileOperation(m_prompt, path, FileReport::DocumentOpen, open))
        return false;

    ++m_collectionNumber;
    DeleteContents();
    m_modified = true;
    const auto load = [&] { Load(*file); };
    // What was read so far goes before the message, which may need memory.
    const auto reset = [&] {
        file.reset();
        OnNewDocument();
    };
    if (!RunFileOperation(m_prompt, path, FileReport::DocumentOpen, load, reset))
        return false;
    SetPathName(path);
    m_modified = false;
    OnOpened();
    UpdateAllViews(nullptr);
    return true;
}

bool CDocument::OnSaveDocument(const std::string& path)
{
    if (m_backups != nullptr)
        KeepBeforeSave(*m_backups, path);
    if (!RunFileOperation(m_prompt, path, FileReport::DocumentSave, [&] { Store(path); }))
        return false;
    SetPathName(path);
    m_modified = false;
    OnSaved();
    return true;
}

bool CDocument::DoSave(bool askPath)
{
    std::string path = m_path;
    if (askPath || path.empty()) {
        FileDialogRequest request;
        request.save = true;
        request.filter = FileFilter();
        request.defaultExtension = DefaultExtension();
        request.initialPath = m_path.empty() ? m_title : m_path;
        if (!m_prompt.ChooseFile(request, path))
            return false;
    }
    return OnSaveDocument(path);
}

bool CDocument::SaveModified()
{
    if (!m_modified)
        return true;
    switch (m_prompt.ShowMessage(FormatText(UserText(CoreText::SaveChanges), {m_title}), MessageStyle::ExclamationYesNoCancel)) {
    case MessageAnswer::Yes:
        return DoSave();
    case MessageAnswer::No:
        return true;
    default:
        return false;
    }
}
