// The main frame's tray menu commands.
#include "ui/CMainFrame.h"

#include "res/resource.h"
#include "store/CBookmarkDoc.h"
#include "ui/CGroupPane.h"

void CMainFrame::OnTrayShow(UINT)
{
    ShowWindow(m_hWnd, SW_RESTORE);
}

void CMainFrame::OnTrayGroup(UINT id)
{
    // Entries name the group pane's rows as the menu showed them; a row
    // gone since changes nothing.
    const HWND list = m_groupPane->GetSafeHwnd();
    const LPARAM index = RowData(list, static_cast<int>(id - ID_TRAY_GROUP_FIRST));
    if (index < 0 || static_cast<size_t>(index) >= m_document.Groups().size())
        return;
    // Only the view changes, not the collection: no modified mark.
    m_document.SetCurrentGroup(m_document.Groups()[static_cast<size_t>(index)]);
}
