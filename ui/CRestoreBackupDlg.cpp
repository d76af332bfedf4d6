// The Restore Backup dialog.
#include "ui/CRestoreBackupDlg.h"

#include "framework/ResourceString.h"
#include "res/resource.h"
#include "ui/ListPane.h"

#include <commctrl.h>

namespace {

// The date and time as the user's locale writes them.
std::string LocalTimeText(const BackupTime& time)
{
    SYSTEMTIME when = {};
    when.wYear = static_cast<WORD>(time.year);
    when.wMonth = static_cast<WORD>(time.month);
    when.wDay = static_cast<WORD>(time.day);
    when.wHour = static_cast<WORD>(time.hour);
    when.wMinute = static_cast<WORD>(time.minute);
    when.wSecond = static_cast<WORD>(time.second);
    char date[128] = "";
    char clock[128] = "";
    if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &when, nullptr, date, sizeof date) == 0 ||
        GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &when, nullptr, clock, sizeof clock) == 0)
        return BackupTimeText(time);
    std::string text = std::string(date) + " " + clock;
    if (time.sequence > 1)
        text += " (" + std::to_string(time.sequence) + ")";
    return text;
}

void SetCell(HWND list, int row, int column, const std::string& text)
{
    LVITEMA cell = {};
    cell.iSubItem = column;
    cell.pszText = const_cast<char*>(text.c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&cell));
}

} // namespace

CRestoreBackupDlg::CRestoreBackupDlg(HWND parent, std::vector<BackupEntry> backups)
    : CDialog(IDD_RESTORE_BACKUP, parent), m_backups(std::move(backups))
{
}

bool CRestoreBackupDlg::OnInitDialog()
{
    m_list = GetDlgItem(m_hWnd, IDC_BACKUP_LIST);
    SendMessageA(m_list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    InsertListColumns(m_list, {{IDS_BACKUP_COLUMN_TIME, 200}, {IDS_BACKUP_COLUMN_GROUPS, 80}, {IDS_BACKUP_COLUMN_BOOKMARKS, 80}});
    FitListColumns(m_list);
    const std::string damaged = LoadResourceString(IDS_BACKUP_DAMAGED);
    for (size_t index = 0; index < m_backups.size(); ++index) {
        const BackupEntry& backup = m_backups[index];
        const std::string time = LocalTimeText(backup.time);
        LVITEMA row = {};
        row.mask = LVIF_TEXT;
        row.iItem = static_cast<int>(index);
        row.pszText = const_cast<char*>(time.c_str());
        const int at = static_cast<int>(SendMessageA(m_list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row)));
        SetCell(m_list, at, 1, backup.damaged ? damaged : std::to_string(backup.groups));
        SetCell(m_list, at, 2, backup.damaged ? std::string() : std::to_string(backup.bookmarks));
    }
    EnableWindow(GetDlgItem(m_hWnd, IDOK), FALSE);
    CDialog::OnInitDialog();
    SetFocus(m_list);
    return false;  // the focus is set
}

const BackupEntry* CRestoreBackupDlg::Selected() const
{
    const int row = m_list != nullptr ? FirstSelectedRow(m_list) : -1;
    if (row < 0 || static_cast<size_t>(row) >= m_backups.size())
        return nullptr;
    // The rows are the backups in order; the list never sorts.
    const BackupEntry& backup = m_backups[static_cast<size_t>(row)];
    return backup.damaged ? nullptr : &backup;
}

void CRestoreBackupDlg::OnOK()
{
    const BackupEntry* backup = Selected();
    if (backup == nullptr)
        return;
    m_chosen = backup->path;
    CDialog::OnOK();
}

LRESULT CRestoreBackupDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY && m_list != nullptr && reinterpret_cast<NMHDR*>(lParam)->hwndFrom == m_list) {
        switch (reinterpret_cast<NMHDR*>(lParam)->code) {
        case LVN_ITEMCHANGED:
            EnableWindow(GetDlgItem(m_hWnd, IDOK), Selected() != nullptr);
            return TRUE;
        case NM_DBLCLK:
            OnOK();
            return TRUE;
        }
    }
    return CDialog::WindowProc(message, wParam, lParam);
}
