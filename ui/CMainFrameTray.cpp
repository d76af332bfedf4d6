#include "ui/CMainFrame.h"

#include "res/resource.h"
#include "settings/Preferences.h"
#include "store/CBookmarkDoc.h"
#include "store/Prompt.h"
#include "ui/CGroupPane.h"

static_assert(sizeof(WINDOWPLACEMENT) == 44, "window placement size");

void CMainFrame::OnSize(UINT type)
{
    CFrameWnd::OnSize(type);
    if (!thePreferences.trayIcon)
        return;
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    GetWindowPlacement(m_hWnd, &placement);
    if (placement.showCmd != SW_SHOWMINIMIZED) {
        if (placement.showCmd != SW_SHOWNORMAL)
            ShowWindow(m_hWnd, SW_SHOW);
        m_trayIcon.TrayHide();
        return;
    }
    if (!trayIconCreated) {
        // The notification area shows small icons at the system's DPI.
        const UINT dpi = SystemDpi();
        const HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TRAY),
                                                         IMAGE_ICON, SystemMetricForDpi(SM_CXSMICON, dpi),
                                                         SystemMetricForDpi(SM_CYSMICON, dpi), LR_SHARED));
        const std::string tooltip = LoadResourceString(IDS_APP_TITLE);
        if (!m_trayIcon.TrayCreate(m_hWnd, WM_TRAY_NOTIFY, tooltip.c_str(), icon, IDR_TRAY_MENU)) {
            m_document.Prompt().ShowMessage(LoadResourceString(IDS_TRAY_ICON_FAILED), MessageStyle::StopOk);
            SavePreferences();
        }
        m_trayIcon.TrayHide();
        m_trayIcon.SetDefaultEntry(ID_TRAY_SHOW, false);
        trayIconCreated = true;
    }
    // Hidden only behind an icon that can bring it back; without one the
    // window stays minimised on the taskbar.
    if (m_trayIcon.TrayShow())
        ShowWindow(m_hWnd, SW_HIDE);
}

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
