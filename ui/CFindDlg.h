// The Find Bookmarks window and the last search.
#pragma once

#include "framework/CWinApp.h"
#include "query/IncrementalSearch.h"
#include "ui/CBookmarkListDlg.h"

#include <string>
#include <vector>

// The last search started in "Find Bookmarks"; Find Next repeats it, also
// with the dialog closed.
struct LastSearch {
    std::string text;
    bool currentGroupOnly = false;
    bool made = false;
};

// "Find Bookmarks": the bookmarks whose name, URL or description holds the
// text. The scan runs a slice at a time while the program is idle, so
// neither typing nor the main window waits for a whole collection; it
// starts a short pause after the last key, on Enter, or when the check box
// or the collection changes.
class CFindDlg : public CBookmarkListDlg, public IIdleWork {
public:
    CFindDlg(HWND owner, CBookmarkDoc& document, LastSearch& lastSearch);
    ~CFindDlg() override;

    void OnUpdate(const UpdateHint& hint) override;
    bool OnIdleSlice() override;
    bool Searching() const { return m_search.Scanning(); }
    // Selects the row of the bookmark at `index`, when it is a result.
    void ShowResult(size_t index);
    // The keyboard to the text, all of it selected.
    void FocusText();
    // Starts the search of the text typed, if the pause after the last key
    // still holds it back: Find Next goes by the last search started.
    void SearchTypedText();

protected:
    bool OnInitDialog() override;
    // Enter in the text runs the search at once; on a result, goes to it.
    void OnOK() override;
    bool OnCommand(UINT id, UINT notifyCode) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnNcDestroyed() override;

private:
    // A new scan for the text and check box as they are now; with
    // `narrowing`, a longer text may only look through the rows shown.
    void StartSearch(bool narrowing);
    void StopSearch();
    void ShowFound(std::vector<size_t> found);

    LastSearch& m_lastSearch;
    bool m_ready = false;  // past WM_INITDIALOG: text changes are the user's
    bool m_typing = false;  // the pause after the last key is running

    IncrementalSearch m_search;
};
