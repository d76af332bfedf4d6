// The Duplicate Bookmarks window.
#pragma once

#include "query/BookmarkDuplicates.h"
#include "ui/CBookmarkListDlg.h"

// "Duplicate Bookmarks": every bookmark whose URL another one also has,
// set after set in URL order (with "similar addresses" checked, URLs that
// fold to one key count as one). Its bookmarks can be gone to, the extra
// copies selected, and the selected ones deleted after one question.
class CDuplicatesDlg : public CBookmarkListDlg {
public:
    CDuplicatesDlg(HWND owner, CBookmarkDoc& document);

    void OnUpdate(const UpdateHint& hint) override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(UINT id, UINT notifyCode) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Refresh();
    void SelectExtraCopies();
    void DeleteSelected();

    DuplicateSets m_sets;  // what the rows show
    bool m_refreshPosted = false;
};
