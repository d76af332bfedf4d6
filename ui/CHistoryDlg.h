// The History window.
#pragma once

#include "framework/CDialog.h"
#include "store/CDocument.h"

#include <vector>

class CBookmarkDoc;

// "History": the changes since the collection was opened, newest first,
// each with its time and what it did. Undo takes back the selected change
// and every later one; Redo does again what the last Undo took back.
class CHistoryDlg : public CDialog, public IView {
public:
    CHistoryDlg(HWND owner, CBookmarkDoc& document);

    bool IsOpen() const { return m_hWnd != nullptr; }
    HWND List() const { return m_list; }

    void OnUpdate(const UpdateHint& hint) override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(UINT id, UINT notifyCode) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnNcDestroyed() override;

private:
    void Refresh();
    void UpdateButtons();
    void UndoSelected();
    void Redo();
    void OnGetDisplayText(NMHDR* header);

    CBookmarkDoc& m_document;
    HWND m_list = nullptr;
    ViewRegistration m_registration;
    bool m_refreshPosted = false;
    // How many each Undo took back, the last one last: what Redo does again.
    std::vector<size_t> m_undoSteps;
};
