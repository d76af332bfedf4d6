// The Check Links window.
#pragma once

#include "framework/CDialog.h"
#include "launch/HttpClient.h"
#include "launch/LinkChecker.h"
#include "store/CDocument.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

class CBookmarkDoc;

// "Check Links", modeless: checks the web addresses of the current group or
// of the whole collection on worker threads and lists every answer but OK,
// with buttons that act on the bookmarks listed; Go To asks the owner to go
// to one (WM_GO_TO_BOOKMARK), as Find does. The workers see copies of
// the URLs only; their outcomes come back to this window's thread.
class CCheckLinksDlg : public CDialog, public IView {
public:
    CCheckLinksDlg(HWND owner, CBookmarkDoc& document, const LinkCheckLimits& limits);
    ~CCheckLinksDlg() override;

    bool IsChecking() const { return m_checker != nullptr; }
    // Another collection ends the check and drops its rows; in the same
    // one, the rows of bookmarks changed or removed since are marked.
    void OnUpdate(const UpdateHint& hint) override;

protected:
    bool OnInitDialog() override;
    void OnOK() override {}  // Enter while a check runs must not close the dialog
    // Stops a check under way; otherwise closes.
    void OnCancel() override;
    bool OnCommand(UINT id, UINT notifyCode) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    using Checked = CheckedBookmark;
    // An answer other than OK; `job` names its entry in m_checked.
    struct Result {
        size_t job = 0;
        LinkOutcome outcome;
        bool changed = false;  // its bookmark was changed or removed since
    };

    void OnStart();
    // The outcomes the workers have posted since the last call.
    void OnOutcomes();
    // Ends the check (done or cancelled); the dialog can start another.
    void Finish();
    // Cancels the workers and drops what they posted; nothing arrives after.
    void StopCheck();
    void ShowCounts();
    // Shows m_results again, the rows of `selectedJobs` (ascending) selected.
    void ShowRows(const std::vector<size_t>& selectedJobs);
    // Rows, and so jobs, come in ascending order.
    std::vector<size_t> SelectedRows() const;
    std::vector<size_t> SelectedJobs() const;
    void UpdateButtons();
    void OnGetDisplayText(NMHDR* header);
    // The store index of the bookmark `job` names; npos when it is gone.
    size_t FindBookmark(size_t job) const;
    // The store indices of the selected results' bookmarks that still exist,
    // with their jobs, after telling of the others; false when there is none.
    bool FindSelectedBookmarks(std::vector<size_t>& indices, std::vector<size_t>& jobs);
    // Marks the rows of `jobs` (ascending), whose bookmarks are gone, and
    // says why nothing happens to them; false when the collection was
    // replaced while the message was up.
    bool ReportChanged(const std::vector<size_t>& jobs);
    void MarkChangedRows();
    // Drops the rows of `jobs` (ascending).
    void RemoveRows(const std::vector<size_t>& jobs);

    void OnGoTo();
    void OnDelete();
    void OnUseNewAddress();
    void OnMoveToGroup();

    CBookmarkDoc& m_document;
    const LinkCheckLimits m_limits;
    HWND m_list = nullptr;
    std::vector<Checked> m_checked;  // one per job
    std::vector<Result> m_results;   // in job order
    size_t m_reported = 0;
    size_t m_broken = 0;
    size_t m_notChecked = 0;
    bool m_started = false;
    unsigned long long m_collection = 0;  // the document's collection number when the check began
    bool m_changing = false;              // the document changes by this dialog's own hand
    bool m_showingRows = false;  // the selection changes are ShowRows's own

    std::mutex m_arrivedMutex;
    std::vector<LinkOutcome> m_arrived;  // posted by the workers, not yet shown
    HttpClient m_http;
    // Last, so it goes first: its workers reach the members above.
    std::unique_ptr<LinkChecker> m_checker;
};
