// The modeless dialog around a list of bookmarks.
#include "ui/CBookmarkListDlg.h"

#include "framework/AccessibleName.h"
#include "framework/ResourceString.h"
#include "res/resource.h"
#include "store/CBookmarkDoc.h"
#include "ui/ListPane.h"

#include <commctrl.h>

#include <algorithm>

CBookmarkListDlg::CBookmarkListDlg(UINT templateId, HWND owner, CBookmarkDoc& document)
    : CDialog(templateId, owner), m_document(document)
{
}

bool CBookmarkListDlg::OnInitDialog()
{
    m_list = GetDlgItem(m_hWnd, IDC_RESULTS);
    SendMessageA(m_list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    InsertListColumns(m_list, {{IDS_RESULT_COLUMN_NAME, 150}, {IDS_RESULT_COLUMN_URL, 250}, {IDS_RESULT_COLUMN_GROUP, 100}});
    FitListColumns(m_list);
    SetAccessibleName(m_list, LoadResourceString(IDS_RESULTS_NAME));
    m_registration.Begin(m_document, this);
    return CDialog::OnInitDialog();
}

void CBookmarkListDlg::OnNcDestroyed()
{
    m_registration.End();
    m_list = nullptr;
    m_rows.clear();
    CDialog::OnNcDestroyed();
}

void CBookmarkListDlg::OnOK()
{
    GoToRow(ChosenRow());
}

void CBookmarkListDlg::SetRows(std::vector<size_t> rows)
{
    const int chosen = ChosenRow();
    const size_t chosenIndex = chosen >= 0 ? m_rows[static_cast<size_t>(chosen)] : static_cast<size_t>(-1);
    m_rows = std::move(rows);
    // Takes a selection of many rows along at once, where deselecting them
    // would visit them one by one.
    SendMessageA(m_list, LVM_DELETEALLITEMS, 0, 0);
    SendMessageA(m_list, LVM_SETITEMCOUNT, m_rows.size(), 0);
    const auto found = std::find(m_rows.begin(), m_rows.end(), chosenIndex);
    if (found != m_rows.end())
        SelectRow(static_cast<int>(found - m_rows.begin()));
    InvalidateRect(m_list, nullptr, TRUE);
}

int CBookmarkListDlg::ChosenRow() const
{
    if (m_list == nullptr)
        return -1;
    const int row = FirstSelectedRow(m_list);
    return row >= 0 && static_cast<size_t>(row) < m_rows.size() ? row : -1;
}

void CBookmarkListDlg::GoToRow(int row)
{
    if (row >= 0 && static_cast<size_t>(row) < m_rows.size())
        SendMessageA(m_parent, WM_GO_TO_BOOKMARK, m_rows[static_cast<size_t>(row)], 0);
}

void CBookmarkListDlg::SelectRow(int row)
{
    ClearSelection(m_list);
    LVITEMA state = {};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(m_list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    SendMessageA(m_list, LVM_ENSUREVISIBLE, row, FALSE);
}

void CBookmarkListDlg::SetCountText(const std::string& text)
{
    SetDlgItemTextA(m_hWnd, IDC_RESULT_COUNT, text.c_str());
}

void CBookmarkListDlg::OnGetDisplayText(NMHDR* header)
{
    const auto [row, column] = DisplayInfoCell(header);
    if (row < 0 || static_cast<size_t>(row) >= m_rows.size() || m_rows[static_cast<size_t>(row)] >= m_document.Items().size())
        return;
    const BookmarkItem& bookmark = m_document.Items()[m_rows[static_cast<size_t>(row)]];
    SetDisplayText(header, column == 1 ? bookmark.m_strURL : column == 2 ? bookmark.m_strGroup : bookmark.m_strName);
}

LRESULT CBookmarkListDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom == m_list && m_list != nullptr) {
            switch (header->code) {
            case LVN_GETDISPINFOA:
            case LVN_GETDISPINFOW:
                OnGetDisplayText(header);
                return TRUE;
            case NM_DBLCLK:
                GoToRow(reinterpret_cast<const NMITEMACTIVATE*>(header)->iItem);
                return TRUE;
            }
        }
    }
    return CDialog::WindowProc(message, wParam, lParam);
}
