// The modeless dialog around a list of bookmarks.
#pragma once

#include "framework/CDialog.h"
#include "store/CDocument.h"

#include <string>
#include <vector>

class CBookmarkDoc;

// A modeless dialog around a list of bookmarks (owner data: Name, URL,
// Group) that stays in step with the document while it is open. Enter on a
// row, or a double click, asks the owner to go to the row's bookmark
// (WM_GO_TO_BOOKMARK); Escape closes.
class CBookmarkListDlg : public CDialog, public IView {
public:
    CBookmarkListDlg(UINT templateId, HWND owner, CBookmarkDoc& document);

    bool IsOpen() const { return m_hWnd != nullptr; }
    HWND List() const { return m_list; }
    // The store index of each row, in row order.
    const std::vector<size_t>& Rows() const { return m_rows; }

protected:
    bool OnInitDialog() override;
    // Enter: the bookmark of the focused row (the dialog stays open).
    void OnOK() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnNcDestroyed() override;

    // Shows `rows`; the bookmark selected before stays selected when it is
    // still among them.
    void SetRows(std::vector<size_t> rows);
    // The focused row when it is selected, else the first selected; -1 when none.
    int ChosenRow() const;
    void GoToRow(int row);
    // Selects and shows the row, alone.
    void SelectRow(int row);
    void SetCountText(const std::string& text);

    CBookmarkDoc& m_document;
    HWND m_list = nullptr;
    std::vector<size_t> m_rows;

private:
    void OnGetDisplayText(NMHDR* header);
    ViewRegistration m_registration;
};
