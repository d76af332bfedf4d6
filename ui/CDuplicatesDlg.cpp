// The Duplicate Bookmarks window.
#include "ui/CDuplicatesDlg.h"

#include "framework/ResourceString.h"
#include "res/resource.h"
#include "settings/WindowRect.h"
#include "store/CBookmarkDoc.h"
#include "store/Prompt.h"
#include "store/TextFormat.h"

#include <commctrl.h>

CDuplicatesDlg::CDuplicatesDlg(HWND owner, CBookmarkDoc& document) : CBookmarkListDlg(IDD_DUPLICATES, owner, document)
{
    SetResizable({{IDC_RESULTS, kGrowRight | kGrowDown},
                  {IDC_RESULT_COUNT, kGrowRight | kMoveDown},
                  {IDC_DUPLICATES_SIMILAR, kMoveDown},
                  {IDC_GO_TO, kMoveDown},
                  {IDC_SELECT_EXTRA, kMoveDown},
                  {IDC_DELETE_SELECTED, kMoveDown},
                  {IDCANCEL, kMoveRight | kMoveDown}},
                 kDuplicatesWindowEntry);
}

bool CDuplicatesDlg::OnInitDialog()
{
    CBookmarkListDlg::OnInitDialog();
    Refresh();
    return true;
}

void CDuplicatesDlg::Refresh()
{
    m_refreshPosted = false;
    const bool similar = IsDlgButtonChecked(m_hWnd, IDC_DUPLICATES_SIMILAR) == BST_CHECKED;
    m_sets = FindDuplicates(m_document.Content(), similar);
    SetRows(m_sets.items);
    SetCountText(FormatText(LoadResourceString(IDS_DUPLICATES_SHARED),
                            {std::to_string(m_sets.items.size()), std::to_string(m_sets.setStarts.size())}));
}

void CDuplicatesDlg::OnUpdate(const UpdateHint& hint)
{
    if (!IsOpen() || hint.kind == UpdateHint::Selection)
        return;
    // The rows' indices may name other bookmarks now: none is shown until
    // the sets are found again, once the change is over.
    m_sets = DuplicateSets();
    SetRows({});
    if (!m_refreshPosted)
        m_refreshPosted = PostMessageA(m_hWnd, WM_REFRESH_LIST, 0, 0) != 0;
}

LRESULT CDuplicatesDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_REFRESH_LIST) {
        if (m_refreshPosted)
            Refresh();
        return TRUE;
    }
    return CBookmarkListDlg::WindowProc(message, wParam, lParam);
}

bool CDuplicatesDlg::OnCommand(UINT id, UINT notifyCode)
{
    if (notifyCode != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_GO_TO: GoToRow(ChosenRow()); return true;
    case IDC_SELECT_EXTRA: SelectExtraCopies(); return true;
    case IDC_DELETE_SELECTED: DeleteSelected(); return true;
    case IDC_DUPLICATES_SIMILAR: Refresh(); return true;
    }
    return false;
}

void CDuplicatesDlg::SelectExtraCopies()
{
    // Drawn once at the end, not row by row; the old selection goes with
    // the rows, at once.
    SendMessageA(m_list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(m_list, LVM_DELETEALLITEMS, 0, 0);
    SendMessageA(m_list, LVM_SETITEMCOUNT, m_rows.size(), 0);
    LVITEMA state = {};
    state.stateMask = state.state = LVIS_SELECTED;
    for (const size_t row : ExtraCopies(m_sets))
        SendMessageA(m_list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    SendMessageA(m_list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_list, nullptr, TRUE);
    SetFocus(m_list);
}

void CDuplicatesDlg::DeleteSelected()
{
    std::vector<size_t> doomed;
    for (int row = -1; (row = static_cast<int>(SendMessageA(m_list, LVM_GETNEXTITEM, static_cast<WPARAM>(row),
                                                              LVNI_SELECTED))) >= 0;) {
        if (static_cast<size_t>(row) < m_rows.size())
            doomed.push_back(m_rows[static_cast<size_t>(row)]);
    }
    if (doomed.empty())
        return;
    const std::string question =
        FormatText(LoadResourceString(IDS_DELETE_BOOKMARKS), {std::to_string(doomed.size())});
    if (AskDisabled(m_document.Prompt(), question, MessageStyle::QuestionOkCancel) != MessageAnswer::Ok)
        return;
    m_document.DeleteItems(doomed);
    Refresh();
}
