// The Find Bookmarks window.
#include "ui/CFindDlg.h"

#include "framework/ResourceString.h"
#include "res/resource.h"
#include "settings/WindowRect.h"
#include "store/CBookmarkDoc.h"
#include "store/TextFormat.h"

#include <algorithm>

namespace {

// Bookmarks looked at in one idle slice: a few milliseconds' work.
const size_t kSliceSize = 50000;
// The pause after the last key before the search starts.
const UINT kTypingPause = 250;

} // namespace

CFindDlg::CFindDlg(HWND owner, CBookmarkDoc& document, LastSearch& lastSearch)
    : CBookmarkListDlg(IDD_FIND, owner, document), m_lastSearch(lastSearch)
{
    SetResizable({{IDC_FIND_TEXT, kGrowRight},
                  {IDC_RESULTS, kGrowRight | kGrowDown},
                  {IDC_RESULT_COUNT, kGrowRight | kMoveDown}},
                 kFindWindowEntry);
    // Find again and Find Next while typing the text.
    SetFrameCommands({ID_EDIT_FIND, ID_EDIT_FIND_NEXT});
}

CFindDlg::~CFindDlg()
{
    CWinApp::RemoveIdleWork(this);
}

bool CFindDlg::OnInitDialog()
{
    CBookmarkListDlg::OnInitDialog();
    SetDlgItemTextA(m_hWnd, IDC_FIND_TEXT, m_lastSearch.text.c_str());
    CheckDlgButton(m_hWnd, IDC_FIND_GROUP_ONLY, m_lastSearch.currentGroupOnly ? BST_CHECKED : BST_UNCHECKED);
    SendDlgItemMessageA(m_hWnd, IDC_FIND_TEXT, EM_SETSEL, 0, -1);
    m_ready = true;
    StartSearch(false);
    return true;
}

void CFindDlg::OnNcDestroyed()
{
    StopSearch();
    m_ready = false;
    m_typing = false;
    m_search.Forget();
    CBookmarkListDlg::OnNcDestroyed();
}

void CFindDlg::OnOK()
{
    if (GetFocus() == m_list) {
        CBookmarkListDlg::OnOK();
        return;
    }
    KillTimer(m_hWnd, IDT_FIND_TYPING);
    m_typing = false;
    StartSearch(true);
}

void CFindDlg::FocusText()
{
    if (IsOpen())
        SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(m_hWnd, IDC_FIND_TEXT)), TRUE);
}

void CFindDlg::SearchTypedText()
{
    if (!m_typing)
        return;
    KillTimer(m_hWnd, IDT_FIND_TYPING);
    m_typing = false;
    StartSearch(true);
}

bool CFindDlg::OnCommand(UINT id, UINT notifyCode)
{
    if (id == IDC_FIND_TEXT && notifyCode == EN_CHANGE && m_ready) {
        m_typing = SetTimer(m_hWnd, IDT_FIND_TYPING, kTypingPause, nullptr) != 0;
        return true;
    }
    if (id == IDC_FIND_GROUP_ONLY && notifyCode == BN_CLICKED) {
        StartSearch(false);
        return true;
    }
    return false;
}

LRESULT CFindDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER && wParam == IDT_FIND_TYPING) {
        SearchTypedText();
        return TRUE;
    }
    return CBookmarkListDlg::WindowProc(message, wParam, lParam);
}

void CFindDlg::OnUpdate(const UpdateHint& hint)
{
    if (!IsOpen())
        return;
    if (hint.kind == UpdateHint::Selection) {
        // Only the current group changed: the results hold unless they are its own.
        if (IsDlgButtonChecked(m_hWnd, IDC_FIND_GROUP_ONLY) == BST_CHECKED)
            StartSearch(false);
        return;
    }
    // The rows must never name the wrong bookmark, not even until the scan ends.
    std::vector<size_t> rows = m_rows;
    if (hint.kind == UpdateHint::Items)
        RemoveIndices(rows, hint.removed);
    else
        rows.clear();
    SetRows(std::move(rows));
    m_search.Forget();
    StartSearch(false);
}

void CFindDlg::StartSearch(bool narrowing)
{
    StopSearch();
    const std::string text = GetDialogItemText(m_hWnd, IDC_FIND_TEXT);
    const bool groupOnly = IsDlgButtonChecked(m_hWnd, IDC_FIND_GROUP_ONLY) == BST_CHECKED;
    if (!m_search.Start(text, groupOnly, m_document.Selection().currentGroup, narrowing, m_rows)) {
        ShowFound(m_search.Finish());
        return;
    }
    m_lastSearch = {text, groupOnly, true};
    CWinApp::AddIdleWork(this);
}

void CFindDlg::StopSearch()
{
    CWinApp::RemoveIdleWork(this);
    m_search.Stop();
}

bool CFindDlg::OnIdleSlice()
{
    if (!m_search.Scanning())
        return false;
    if (m_search.Scan(m_document.Content(), kSliceSize))
        return true;
    std::vector<size_t> found = m_search.Finish();
    StopSearch();
    ShowFound(std::move(found));
    return false;
}

void CFindDlg::ShowFound(std::vector<size_t> found)
{
    if (found != m_rows)
        SetRows(std::move(found));
    SetCountText(FormatText(LoadResourceString(IDS_FIND_FOUND), {std::to_string(m_rows.size())}));
}

void CFindDlg::ShowResult(size_t index)
{
    // The results are in store order.
    const auto found = std::lower_bound(m_rows.begin(), m_rows.end(), index);
    if (found != m_rows.end() && *found == index)
        SelectRow(static_cast<int>(found - m_rows.begin()));
}
