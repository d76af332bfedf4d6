// The Restore Backup dialog.
#pragma once

#include "framework/CDialog.h"
#include "store/Backups.h"

#include <string>
#include <vector>

// "Restore Backup": a collection's backups (date and time, groups,
// bookmarks), newest first. Open, Enter or a double click ends it with the
// selected one chosen; Open is off while none is, or a damaged one is.
class CRestoreBackupDlg : public CDialog {
public:
    CRestoreBackupDlg(HWND parent, std::vector<BackupEntry> backups);

    // The chosen backup's path, once the dialog ended with IDOK.
    const std::string& ChosenPath() const { return m_chosen; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The backup of the selected row when it can be opened; null otherwise.
    const BackupEntry* Selected() const;

    std::vector<BackupEntry> m_backups;
    std::string m_chosen;
    HWND m_list = nullptr;
};
