// The Quick Open window.
#include "ui/CQuickOpenDlg.h"

#include "res/resource.h"
#include "store/CBookmarkDoc.h"
#include "ui/ListPane.h"

#include <commctrl.h>

namespace {

// Bookmarks looked at per keystroke or idle slice: a few milliseconds' work.
const size_t kSliceSize = 50000;

} // namespace

CQuickOpenDlg::CQuickOpenDlg(HWND owner, CBookmarkDoc& document) : CBookmarkListDlg(IDD_QUICK_OPEN, owner, document)
{
}

CQuickOpenDlg::~CQuickOpenDlg()
{
    CWinApp::RemoveIdleWork(this);
}

bool CQuickOpenDlg::OnInitDialog()
{
    CBookmarkListDlg::OnInitDialog();
    m_text.reset(new CText(m_list));
    m_text->Attach(GetDlgItem(m_hWnd, IDC_QUICK_OPEN_TEXT));
    return true;
}

void CQuickOpenDlg::OnNcDestroyed()
{
    StopScan();
    CBookmarkListDlg::OnNcDestroyed();
}

void CQuickOpenDlg::Show()
{
    // Asked before this window comes to the front.
    const HMONITOR monitor = MonitorFromWindow(GetForegroundWindow(), MONITOR_DEFAULTTOPRIMARY);
    if (!IsOpen() && !Create())
        return;
    SetDlgItemTextA(m_hWnd, IDC_QUICK_OPEN_TEXT, "");
    CentreOn(monitor);
    ShowWindow(m_hWnd, SW_SHOW);
    SetForegroundWindow(m_hWnd);
    SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(m_hWnd, IDC_QUICK_OPEN_TEXT)), TRUE);
}

void CQuickOpenDlg::CentreOn(HMONITOR monitor)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    RECT window = {};
    if (!GetMonitorInfoA(monitor, &info) || !GetWindowRect(m_hWnd, &window))
        return;
    const RECT& area = info.rcWork;
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    SetWindowPos(m_hWnd, HWND_TOPMOST, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

void CQuickOpenDlg::ShowMatches(bool chooseBest)
{
    CWinApp::RemoveIdleWork(this);
    m_chooseBest = chooseBest;
    if (m_search.Start(GetDialogItemText(m_hWnd, IDC_QUICK_OPEN_TEXT)) &&
        m_search.Scan(m_document.Content(), kSliceSize)) {
        CWinApp::AddIdleWork(this);
        return;
    }
    ShowFinished();
}

bool CQuickOpenDlg::OnIdleSlice()
{
    if (!m_search.Scanning())
        return false;
    if (m_search.Scan(m_document.Content(), kSliceSize))
        return true;
    ShowFinished();
    return false;
}

void CQuickOpenDlg::ShowFinished()
{
    CWinApp::RemoveIdleWork(this);
    SetRows(m_search.Finish());
    if (!m_rows.empty() && (m_chooseBest || ChosenRow() < 0))
        SelectRow(0);
}

void CQuickOpenDlg::StopScan()
{
    CWinApp::RemoveIdleWork(this);
    m_search.Forget();
}

void CQuickOpenDlg::OnUpdate(const UpdateHint&)
{
    if (!IsOpen())
        return;
    // Rows are store indices: none may outlive the change.
    SetRows({});
    StopScan();
    ShowMatches(false);
}

bool CQuickOpenDlg::OnCommand(UINT id, UINT notifyCode)
{
    if (id == IDC_QUICK_OPEN_TEXT && notifyCode == EN_CHANGE) {
        ShowMatches(true);
        return true;
    }
    return false;
}

void CQuickOpenDlg::OnOK()
{
    // Enter never acts on the rows of a shorter text.
    if (m_search.Scanning()) {
        while (m_search.Scan(m_document.Content(), kSliceSize)) {
        }
        ShowFinished();
    }
    const int row = ChosenRow();
    if (row < 0) {
        MessageBeep(MB_OK);
        return;
    }
    const QuickOpenWay way = GetKeyState(VK_CONTROL) < 0 ? QuickOpenWay::GoTo
                             : GetKeyState(VK_SHIFT) < 0 ? QuickOpenWay::OpenNewWindow
                                                         : QuickOpenWay::Open;
    const size_t index = m_rows[static_cast<size_t>(row)];
    const HWND owner = m_parent;
    // Closed first: the browser or the main window takes the front next.
    m_handingOver = true;
    OnCancel();
    m_handingOver = false;
    SendMessageA(owner, WM_QUICK_OPEN_BOOKMARK, index, static_cast<LPARAM>(way));
}

LRESULT CQuickOpenDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE && !m_handingOver && IsOpen()) {
        // Leaving the window closes it, after the switch is over.
        PostMessageA(m_hWnd, WM_COMMAND, IDCANCEL, 0);
        return 0;
    }
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == m_list && m_list != nullptr && header->code == NM_DBLCLK) {
            OnOK();
            return TRUE;
        }
    }
    return CBookmarkListDlg::WindowProc(message, wParam, lParam);
}

LRESULT CQuickOpenDlg::CText::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN || wParam == VK_PRIOR || wParam == VK_NEXT)) {
        SendMessageA(m_list, WM_KEYDOWN, wParam, lParam);
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
