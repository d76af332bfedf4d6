#include "ui/CFindDlg.h"

#include "framework/ResourceString.h"
#include "res/resource.h"
#include "settings/WindowRect.h"
#include "store/CBookmarkDoc.h"

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
    m_shownValid = false;
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
    m_shownValid = false;
    StartSearch(false);
}

void CFindDlg::StartSearch(bool narrowing)
{
    StopSearch();
    m_text = GetDialogItemText(m_hWnd, IDC_FIND_TEXT);
    m_groupOnly = IsDlgButtonChecked(m_hWnd, IDC_FIND_GROUP_ONLY) == BST_CHECKED;
    m_group = m_document.Selection().currentGroup;
    if (m_text.empty()) {
        ShowFound({});
        return;
    }
    m_lastSearch = {m_text, m_groupOnly, true};
    // Every bookmark that holds the longer text holds the shorter one.
    m_narrowing = narrowing && m_shownValid && !m_shownText.empty() && m_groupOnly == m_shownGroupOnly &&
                  (!m_groupOnly || m_group == m_shownGroup) && m_text.find(m_shownText) != std::string::npos;
    if (m_narrowing)
        m_candidates = m_rows;
    m_search.emplace(m_text);
    CWinApp::AddIdleWork(this);
}

void CFindDlg::StopSearch()
{
    CWinApp::RemoveIdleWork(this);
    m_search.reset();
    m_candidates.clear();
    m_found.clear();
    m_next = 0;
}

bool CFindDlg::OnIdleSlice()
{
    if (!m_search)
        return false;
    const std::string* group = m_groupOnly ? &m_group : nullptr;
    const std::vector<BookmarkItem>& items = m_document.Items();
    const size_t total = m_narrowing ? m_candidates.size() : items.size();
    const size_t end = std::min(total, m_next + kSliceSize);
    if (m_narrowing) {
        for (size_t k = m_next; k < end; ++k) {
            const size_t index = m_candidates[k];
            if (index < items.size() && BookmarkMatches(items[index], *m_search, group))
                m_found.push_back(index);
        }
    } else {
        FindBookmarksIn(m_document.Content(), *m_search, m_next, end, m_found, group);
    }
    m_next = end;
    if (m_next < total)
        return true;
    std::vector<size_t> found = std::move(m_found);
    StopSearch();
    ShowFound(std::move(found));
    return false;
}

void CFindDlg::ShowFound(std::vector<size_t> found)
{
    m_shownText = m_text;
    m_shownGroupOnly = m_groupOnly;
    m_shownGroup = m_group;
    m_shownValid = true;
    if (found != m_rows)
        SetRows(std::move(found));
    SetCountText(ReplacePlaceholder(LoadResourceString(IDS_FIND_FOUND), "%d", std::to_string(m_rows.size())));
}

void CFindDlg::ShowResult(size_t index)
{
    // The results are in store order.
    const auto found = std::lower_bound(m_rows.begin(), m_rows.end(), index);
    if (found != m_rows.end() && *found == index)
        SelectRow(static_cast<int>(found - m_rows.begin()));
}
