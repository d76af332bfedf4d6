// The History window.
#include "ui/CHistoryDlg.h"

#include "framework/AccessibleName.h"
#include "framework/ResourceString.h"
#include "res/resource.h"
#include "settings/WindowRect.h"
#include "store/CBookmarkDoc.h"
#include "store/TextFormat.h"
#include "ui/ListPane.h"

#include <commctrl.h>

#include <numeric>

namespace {

// A record's time as the user's locale writes it; the date only when it is
// not today.
std::string TimeText(int64_t when)
{
    const uint64_t ticks = (static_cast<uint64_t>(when) + 11644473600u) * 10000000u;
    FILETIME utc = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    FILETIME local;
    SYSTEMTIME time;
    SYSTEMTIME now;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &time))
        return std::string();
    GetLocalTime(&now);
    char buffer[128] = "";
    std::string text;
    if (time.wYear != now.wYear || time.wMonth != now.wMonth || time.wDay != now.wDay) {
        if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, buffer, sizeof buffer) > 0)
            text = std::string(buffer) + " ";
    }
    if (GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, nullptr, buffer, sizeof buffer) > 0)
        text += buffer;
    return text;
}

} // namespace

CHistoryDlg::CHistoryDlg(HWND owner, CBookmarkDoc& document) : CDialog(IDD_HISTORY, owner), m_document(document)
{
    SetResizable({{IDC_HISTORY_LIST, kGrowRight | kGrowDown},
                  {IDC_HISTORY_NOTE, kGrowRight | kMoveDown},
                  {IDC_HISTORY_UNDO, kMoveDown},
                  {IDC_HISTORY_REDO, kMoveDown},
                  {IDCANCEL, kMoveRight | kMoveDown}},
                 kHistoryWindowEntry);
}

bool CHistoryDlg::OnInitDialog()
{
    m_list = GetDlgItem(m_hWnd, IDC_HISTORY_LIST);
    SendMessageA(m_list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    InsertListColumns(m_list, {{IDS_HISTORY_COLUMN_TIME, 110}, {IDS_HISTORY_COLUMN_CHANGE, 300}});
    FitListColumns(m_list);
    SetAccessibleName(m_list, LoadResourceString(IDS_HISTORY_NAME));
    m_registration.Begin(m_document, this);
    CDialog::OnInitDialog();
    Refresh();
    return true;
}

void CHistoryDlg::OnNcDestroyed()
{
    m_registration.End();
    m_list = nullptr;
    CDialog::OnNcDestroyed();
}

void CHistoryDlg::OnUpdate(const UpdateHint& hint)
{
    if (!IsOpen() || hint.kind == UpdateHint::Selection)
        return;
    // Once the change is over: an Undo of many changes updates once anyway,
    // but a command may make several.
    if (!m_refreshPosted)
        m_refreshPosted = PostMessageA(m_hWnd, WM_REFRESH_LIST, 0, 0) != 0;
}

void CHistoryDlg::Refresh()
{
    m_refreshPosted = false;
    const ChangeJournal& journal = m_document.Journal();
    // A new change drops what was taken back: nothing is left to redo.
    if (std::accumulate(m_undoSteps.begin(), m_undoSteps.end(), size_t{0}) > journal.UndoneCount())
        m_undoSteps.clear();
    SendMessageA(m_list, LVM_SETITEMCOUNT, journal.DoneCount(), 0);
    InvalidateRect(m_list, nullptr, TRUE);
    const size_t dropped = journal.DroppedCount();
    SetDlgItemTextA(m_hWnd, IDC_HISTORY_NOTE,
                    dropped == 0 ? ""
                                 : FormatText(LoadResourceString(dropped == 1 ? IDS_HISTORY_DROPPED_ONE
                                                                              : IDS_HISTORY_DROPPED_MANY),
                                              {std::to_string(dropped)})
                                       .c_str());
    UpdateButtons();
}

void CHistoryDlg::UpdateButtons()
{
    const int row = FirstSelectedRow(m_list);
    EnableWindow(GetDlgItem(m_hWnd, IDC_HISTORY_UNDO),
                 row >= 0 && static_cast<size_t>(row) < m_document.Journal().DoneCount());
    EnableWindow(GetDlgItem(m_hWnd, IDC_HISTORY_REDO), m_document.Journal().UndoneCount() > 0);
}

void CHistoryDlg::UndoSelected()
{
    const int row = FirstSelectedRow(m_list);
    if (row < 0 || static_cast<size_t>(row) >= m_document.Journal().DoneCount())
        return;
    const size_t undone = m_document.UndoChanges(static_cast<size_t>(row) + 1);
    if (undone > 0)
        m_undoSteps.push_back(undone);
    Refresh();
}

void CHistoryDlg::Redo()
{
    size_t count = 1;
    if (!m_undoSteps.empty()) {
        count = m_undoSteps.back();
        m_undoSteps.pop_back();
    }
    m_document.RedoChanges(count);
    Refresh();
}

bool CHistoryDlg::OnCommand(UINT id, UINT notifyCode)
{
    if (notifyCode != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_HISTORY_UNDO: UndoSelected(); return true;
    case IDC_HISTORY_REDO: Redo(); return true;
    }
    return false;
}

void CHistoryDlg::OnGetDisplayText(NMHDR* header)
{
    const auto [row, column] = DisplayInfoCell(header);
    const ChangeJournal& journal = m_document.Journal();
    if (row < 0 || static_cast<size_t>(row) >= journal.DoneCount())
        return;
    const ChangeRecord& record = journal.Done(static_cast<size_t>(row));
    SetDisplayText(header, column == 0 ? TimeText(record.when) : record.what);
}

LRESULT CHistoryDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_REFRESH_LIST) {
        if (m_refreshPosted)
            Refresh();
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom == m_list && m_list != nullptr) {
            switch (header->code) {
            case LVN_GETDISPINFOA:
            case LVN_GETDISPINFOW:
                OnGetDisplayText(header);
                return TRUE;
            case LVN_ITEMCHANGED:
                UpdateButtons();
                return TRUE;
            }
        }
    }
    return CDialog::WindowProc(message, wParam, lParam);
}
