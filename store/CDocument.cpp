#include "store/CDocument.h"

#include "store/FileError.h"
#include "store/FileIO.h"
#include "store/Prompt.h"

#include <algorithm>
#include <memory>
#include <new>

namespace {

void Report(IPrompt& prompt, const FileError& error, FileOperation operation, const std::string& path)
{
    prompt.ShowMessage(FileErrorMessage(error, operation, FileTitleOf(path)), MessageStyle::ExclamationOk);
}

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

void CDocument::UpdateAllViews(IView* sender)
{
    for (IView* view : m_views) {
        if (view != sender)
            view->OnUpdate();
    }
}

void CDocument::OnNewDocument()
{
    DeleteContents();
    m_path.clear();
    m_title = "Untitled";
    m_modified = false;
    UpdateAllViews(nullptr);
}

bool CDocument::OnOpenDocument(const std::string& path)
{
    std::unique_ptr<InputFile> file;
    try {
        file = std::make_unique<InputFile>(path);
    } catch (const FileError& error) {
        Report(m_prompt, error, FileOperation::Open, path);
        return false;
    }

    DeleteContents();
    m_modified = true;
    try {
        if (file->Size() > 0)
            Load(*file);
    } catch (const FileError& error) {
        file.reset();
        Report(m_prompt, error, FileOperation::Open, path);
        OnNewDocument();
        return false;
    } catch (const std::bad_alloc&) {
        file.reset();
        OnNewDocument();
        Report(m_prompt, FileError(FileError::Generic, path), FileOperation::Open, path);
        return false;
    }
    SetPathName(path);
    m_modified = false;
    OnOpened();
    UpdateAllViews(nullptr);
    return true;
}

bool CDocument::OnSaveDocument(const std::string& path)
{
    try {
        Store(path);
    } catch (const FileError& error) {
        Report(m_prompt, error, FileOperation::Save, path);
        return false;
    } catch (const std::bad_alloc&) {
        Report(m_prompt, FileError(FileError::Generic, path), FileOperation::Save, path);
        return false;
    }
    SetPathName(path);
    m_modified = false;
    return true;
}

bool CDocument::DoSave(bool askPath)
{
    std::string path = m_path;
    if (askPath || path.empty()) {
        FileDialogRequest request;
        request.save = true;
        request.filter = kDataFileFilter;
        request.defaultExtension = "lkh";
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
    switch (m_prompt.ShowMessage(FormatMessage1("Save changes to %1?", m_title), MessageStyle::ExclamationYesNoCancel)) {
    case MessageAnswer::Yes:
        return DoSave();
    case MessageAnswer::No:
        return true;
    default:
        return false;
    }
}
