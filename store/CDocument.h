// The document base with its views and update hints.
#pragma once

#include <string>
#include <vector>

class IPrompt;
class InputFile;
struct BackupPolicy;

// What a change touched, so that a view able to patch itself need not
// rebuild. Items are the entries of the document's main list, by index.
struct UpdateHint {
    enum Kind {
        Everything,  // rebuild from the document
        Selection,   // the content is as it was; what is current in it changed
        Items,       // only the items below: removed, then changed, then appended
    };
    Kind kind = Everything;
    std::vector<size_t> removed;  // indices before the removal, ascending
    std::vector<size_t> changed;  // indices after the removal
    size_t added = 0;             // how many were appended at the end
};

UpdateHint ItemsHint(std::vector<size_t> removed, std::vector<size_t> changed, size_t added);
UpdateHint SelectionHint();

// `indices` after the items at `removed` (ascending) went: theirs are
// dropped, the others shifted down, the order kept.
void RemoveIndices(std::vector<size_t>& indices, const std::vector<size_t>& removed);

class IView {
public:
    virtual ~IView() = default;
    // The document changed; rebuild from it, or patch what the hint names.
    virtual void OnUpdate(const UpdateHint& hint) = 0;
};

// The document half of the document/view pair: title, path, modified flag,
// its views, and the open and save paths with their failure reports. The
// window side (template, dialogs, save prompt) builds on it in framework/.
class CDocument {
public:
    explicit CDocument(IPrompt& prompt) : m_prompt(prompt) {}
    virtual ~CDocument() = default;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    const std::string& GetTitle() const { return m_title; }
    void SetTitle(const std::string& title) { m_title = title; }
    const std::string& GetPathName() const { return m_path; }
    // Sets the path and, from it, the title.
    void SetPathName(const std::string& path);
    void ClearPathName() { m_path.clear(); }
    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }
    // Another number each time New or Open puts a collection in place, so
    // that what was found in the old one is not taken for the new one's.
    unsigned long long CollectionNumber() const { return m_collectionNumber; }

    void AddView(IView* view);
    void RemoveView(IView* view);
    void UpdateAllViews(IView* sender, const UpdateHint& hint = UpdateHint());

    // Empties the document as "Untitled" without a path.
    void OnNewDocument();
    // A file that cannot be opened leaves the document as it was; one that
    // fails part way resets it to a new document. Failures are reported
    // through the prompt; the result says whether the open succeeded.
    bool OnOpenDocument(const std::string& path);
    bool OnSaveDocument(const std::string& path);

    // Saves to the document's path, or to one the user chooses when it has
    // none (or `askPath`); false when cancelled or failed.
    bool DoSave(bool askPath = false);
    // "Save changes to %1?" when modified: Yes saves, No discards, Cancel
    // (or a failed save) returns false and the caller stops.
    bool SaveModified();

    IPrompt& Prompt() { return m_prompt; }
    // Each save first keeps the file it replaces as `policy` says (null, the
    // default: never); a backup that fails never stops the save.
    void SetBackups(const BackupPolicy* policy) { m_backups = policy; }

    // The document's file type in the open and save dialogs, which the
    // program sets: the filter pairs and the extension (without the dot)
    // that a typed name gets.
    void SetFileType(const std::string& filter, const std::string& extension)
    {
        m_fileFilter = filter;
        m_defaultExtension = extension;
    }
    const std::string& FileFilter() const { return m_fileFilter; }
    const std::string& DefaultExtension() const { return m_defaultExtension; }

protected:
    // Empties the document and whatever points into it; runs on New, before
    // every load and when a load fails part way.
    virtual void DeleteContents() = 0;
    // Both throw FileError. Load is given an empty file too.
    virtual void Load(InputFile& file) = 0;
    virtual void Store(const std::string& path) = 0;
    // After a successful load, before the views rebuild.
    virtual void OnOpened() {}
    // After a successful save, the document named after its file.
    virtual void OnSaved() {}

private:
    IPrompt& m_prompt;
    const BackupPolicy* m_backups = nullptr;
    std::string m_title = "Untitled";
    std::string m_path;
    std::string m_fileFilter;
    std::string m_defaultExtension;
    bool m_modified = false;
    unsigned long long m_collectionNumber = 0;
    std::vector<IView*> m_views;
};

// A view's place among its document's views, given up when the view's
// window goes or the view itself does, whichever comes first.
class ViewRegistration {
public:
    ViewRegistration() = default;
    ~ViewRegistration() { End(); }
    ViewRegistration(const ViewRegistration&) = delete;
    ViewRegistration& operator=(const ViewRegistration&) = delete;

    void Begin(CDocument& document, IView* view)
    {
        End();
        document.AddView(view);
        m_document = &document;
        m_view = view;
    }
    void End()
    {
        if (m_document != nullptr)
            m_document->RemoveView(m_view);
        m_document = nullptr;
    }

private:
    CDocument* m_document = nullptr;
    IView* m_view = nullptr;
};
