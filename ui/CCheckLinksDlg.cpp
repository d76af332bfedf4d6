// The Check Links window.
#include "ui/CCheckLinksDlg.h"

#include "framework/AccessibleName.h"
#include "framework/ResourceString.h"
#include "res/resource.h"
#include "settings/WindowRect.h"
#include "store/CBookmarkDoc.h"
#include "store/Prompt.h"
#include "store/TextCompare.h"
#include "store/TextFormat.h"
#include "ui/ListPane.h"

#include <commctrl.h>

#include <algorithm>

namespace {

// The workers' "outcomes are waiting" to this window.
const UINT kOutcomesMessage = WM_APP + 1;

enum ResultColumn { kStatusColumn, kNameColumn, kUrlColumn, kGroupColumn, kDetailColumn };

bool IsBroken(LinkStatus status)
{
    return status == LinkStatus::Broken || status == LinkStatus::Unreachable;
}

UINT StatusText(LinkStatus status)
{
    switch (status) {
    case LinkStatus::Moved: return IDS_CHECK_MOVED;
    case LinkStatus::Broken: return IDS_CHECK_BROKEN;
    case LinkStatus::Busy: return IDS_CHECK_BUSY;
    case LinkStatus::Unreachable:
    case LinkStatus::Ok: break;
    }
    return IDS_CHECK_UNREACHABLE;
}

std::string DetailText(const LinkOutcome& outcome)
{
    switch (outcome.status) {
    case LinkStatus::Ok: return std::string();
    case LinkStatus::Moved: return outcome.finalUrl;
    case LinkStatus::Broken:
    case LinkStatus::Busy: return FormatText(LoadResourceString(IDS_CHECK_HTTP_STATUS), {std::to_string(outcome.httpStatus)});
    case LinkStatus::Unreachable: break;
    }
    static const struct {
        HttpFailure failure;
        UINT text;
    } kReasons[] = {
        {HttpFailure::BadAddress, IDS_CHECK_BAD_ADDRESS},
        {HttpFailure::NameNotFound, IDS_CHECK_NAME_NOT_FOUND},
        {HttpFailure::Refused, IDS_CHECK_REFUSED},
        {HttpFailure::Timeout, IDS_CHECK_TIMEOUT},
        {HttpFailure::Tls, IDS_CHECK_TLS},
        {HttpFailure::Malformed, IDS_CHECK_MALFORMED},
        {HttpFailure::TooManyRedirects, IDS_CHECK_TOO_MANY_REDIRECTS},
        {HttpFailure::NotWebRedirect, IDS_CHECK_REDIRECT_TO},
    };
    for (const auto& reason : kReasons) {
        if (reason.failure == outcome.failure)
            return FormatText(LoadResourceString(reason.text), {outcome.failureText});
    }
    // The back end's own words, when it has some.
    return outcome.failureText.empty() ? LoadResourceString(IDS_CHECK_NO_ANSWER) : outcome.failureText;
}

} // namespace

CCheckLinksDlg::CCheckLinksDlg(HWND owner, CBookmarkDoc& document, const LinkCheckLimits& limits)
    : CDialog(IDD_CHECK_LINKS, owner), m_document(document), m_limits(limits),
      m_http(LinkCheckUserAgent())
{
    SetResizable({{IDC_CHECK_START, kMoveRight},
                  {IDCANCEL, kMoveRight},
                  {IDC_CHECK_PROGRESS, kGrowRight},
                  {IDC_CHECK_COUNTS, kGrowRight},
                  {IDC_CHECK_RESULTS, kGrowRight | kGrowDown},
                  {IDC_CHECK_GO_TO, kMoveDown},
                  {IDC_CHECK_DELETE, kMoveDown},
                  {IDC_CHECK_NEW_ADDRESS, kMoveDown},
                  {IDC_CHECK_MOVE, kMoveDown}},
                 kCheckLinksWindowEntry);
}

CCheckLinksDlg::~CCheckLinksDlg()
{
    m_document.RemoveView(this);
    // Here, while this class's WindowProc still answers the window's last messages.
    StopCheck();
    if (m_hWnd != nullptr && IsWindow(m_hWnd))
        DestroyWindow(m_hWnd);
}

bool CCheckLinksDlg::OnInitDialog()
{
    m_list = GetDlgItem(m_hWnd, IDC_CHECK_RESULTS);
    SendMessageA(m_list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    InsertListColumns(m_list, {{IDS_CHECK_COLUMN_STATUS, 80},
                               {IDS_CHECK_COLUMN_NAME, 130},
                               {IDS_CHECK_COLUMN_URL, 200},
                               {IDS_CHECK_COLUMN_GROUP, 100},
                               {IDS_CHECK_COLUMN_DETAIL, 180}});
    SetAccessibleName(m_list, LoadResourceString(IDS_RESULTS_NAME));
    SetAccessibleName(GetDlgItem(m_hWnd, IDC_CHECK_PROGRESS), LoadResourceString(IDS_PROGRESS_NAME));
    const std::string& current = m_document.Selection().currentGroup;
    const bool hasCurrent = std::any_of(m_document.Groups().begin(), m_document.Groups().end(),
                                        [&current](const std::string& group) { return TextEqual(group, current); });
    CheckRadioButton(m_hWnd, IDC_CHECK_CURRENT_GROUP, IDC_CHECK_WHOLE,
                     hasCurrent ? IDC_CHECK_CURRENT_GROUP : IDC_CHECK_WHOLE);
    UpdateButtons();
    m_document.AddView(this);
    return CDialog::OnInitDialog();
}

LRESULT CCheckLinksDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case kOutcomesMessage:
        OnOutcomes();
        return TRUE;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom != m_list)
            break;
        switch (header->code) {
        case LVN_GETDISPINFOA:
        case LVN_GETDISPINFOW:
            OnGetDisplayText(header);
            return TRUE;
        case LVN_ITEMCHANGED:
            if (!m_showingRows)
                UpdateButtons();
            return TRUE;
        case NM_DBLCLK:
            OnGoTo();
            return TRUE;
        case LVN_ODFINDITEMA:
        case LVN_ODFINDITEMW:
            // Typing finds no row: the list has no order a prefix follows.
            SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, -1);
            return TRUE;
        }
        break;
    }
    case WM_CLOSE:
        // The title bar's close box closes, a check under way or not.
        DestroyWindow(m_hWnd);
        return TRUE;
    case WM_DESTROY:
        StopCheck();
        m_document.RemoveView(this);
        break;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

bool CCheckLinksDlg::OnCommand(UINT id, UINT notifyCode)
{
    if (notifyCode != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_CHECK_START: OnStart(); return true;
    case IDC_CHECK_GO_TO: OnGoTo(); return true;
    case IDC_CHECK_DELETE: OnDelete(); return true;
    case IDC_CHECK_NEW_ADDRESS: OnUseNewAddress(); return true;
    case IDC_CHECK_MOVE: OnMoveToGroup(); return true;
    }
    return false;
}

void CCheckLinksDlg::OnCancel()
{
    if (IsChecking())
        Finish();
    else
        CDialog::OnCancel();
}

void CCheckLinksDlg::OnStart()
{
    StopCheck();
    const bool wholeCollection = IsDlgButtonChecked(m_hWnd, IDC_CHECK_WHOLE) == BST_CHECKED;
    std::vector<LinkJob> jobs = PlanLinkCheck(
        m_document.Content(), wholeCollection ? nullptr : &m_document.Selection().currentGroup, m_checked, m_notChecked);
    m_results.clear();
    m_reported = 0;
    m_broken = 0;
    m_started = true;
    m_collection = m_document.CollectionNumber();
    ShowRows({});
    SendDlgItemMessageA(m_hWnd, IDC_CHECK_PROGRESS, PBM_SETRANGE32, 0, static_cast<LPARAM>(jobs.size()));
    SendDlgItemMessageA(m_hWnd, IDC_CHECK_PROGRESS, PBM_SETPOS, 0, 0);
    if (jobs.empty()) {
        Finish();
        return;
    }
    for (const int control : {IDC_CHECK_START, IDC_CHECK_CURRENT_GROUP, IDC_CHECK_WHOLE})
        EnableWindow(GetDlgItem(m_hWnd, control), FALSE);
    SetDlgItemTextA(m_hWnd, IDCANCEL, LoadResourceString(IDS_CHECK_CANCEL).c_str());
    SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(m_hWnd, IDCANCEL)), TRUE);
    ShowCounts();

    m_checker = std::make_unique<LinkChecker>(m_http, m_limits);
    const HWND window = m_hWnd;
    // Posted, never sent: Cancel may be waiting for this very worker.
    m_checker->Start(std::move(jobs), [this, window](const LinkOutcome& outcome) {
        bool first = false;
        {
            const std::lock_guard<std::mutex> lock(m_arrivedMutex);
            first = m_arrived.empty();
            m_arrived.push_back(outcome);
        }
        if (first)
            PostMessageA(window, kOutcomesMessage, 0, 0);
    });
}

void CCheckLinksDlg::OnOutcomes()
{
    std::vector<LinkOutcome> arrived;
    {
        const std::lock_guard<std::mutex> lock(m_arrivedMutex);
        arrived.swap(m_arrived);
    }
    if (arrived.empty())
        return;
    const std::vector<size_t> selected = SelectedJobs();
    for (const LinkOutcome& outcome : arrived) {
        ++m_reported;
        if (IsBroken(outcome.status))
            ++m_broken;
        if (outcome.status == LinkStatus::Ok)
            continue;
        const auto at = std::lower_bound(m_results.begin(), m_results.end(), outcome.index,
                                         [](const Result& result, size_t job) { return result.job < job; });
        m_results.insert(at, {outcome.index, outcome});
    }
    ShowRows(selected);
    SendDlgItemMessageA(m_hWnd, IDC_CHECK_PROGRESS, PBM_SETPOS, m_reported, 0);
    if (m_reported >= m_checked.size())
        Finish();
    else
        ShowCounts();
}

void CCheckLinksDlg::Finish()
{
    StopCheck();
    for (const int control : {IDC_CHECK_START, IDC_CHECK_CURRENT_GROUP, IDC_CHECK_WHOLE})
        EnableWindow(GetDlgItem(m_hWnd, control), TRUE);
    SetDlgItemTextA(m_hWnd, IDCANCEL, LoadResourceString(IDS_CHECK_CLOSE).c_str());
    ShowCounts();
}

void CCheckLinksDlg::StopCheck()
{
    m_checker.reset();  // cancels and waits for the workers
    const std::lock_guard<std::mutex> lock(m_arrivedMutex);
    m_arrived.clear();
}

void CCheckLinksDlg::ShowCounts()
{
    std::string text;
    if (m_started) {
        text = FormatText(LoadResourceString(IDS_CHECK_COUNTS),
                          {std::to_string(m_reported), std::to_string(m_checked.size()), std::to_string(m_broken)});
        if (m_notChecked != 0)
            text += FormatText(LoadResourceString(IDS_CHECK_NOT_CHECKED), {std::to_string(m_notChecked)});
    }
    SetDlgItemTextA(m_hWnd, IDC_CHECK_COUNTS, text.c_str());
}

void CCheckLinksDlg::ShowRows(const std::vector<size_t>& selectedJobs)
{
    m_showingRows = true;
    SendMessageA(m_list, LVM_SETITEMCOUNT, m_results.size(), LVSICF_NOSCROLL);
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(m_list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    bool focused = false;
    for (size_t row = 0; row < m_results.size(); ++row) {
        if (!std::binary_search(selectedJobs.begin(), selectedJobs.end(), m_results[row].job))
            continue;
        state.state = LVIS_SELECTED | (focused ? 0 : LVIS_FOCUSED);
        focused = true;
        SendMessageA(m_list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    }
    m_showingRows = false;
    InvalidateRect(m_list, nullptr, TRUE);
    UpdateButtons();
}

std::vector<size_t> CCheckLinksDlg::SelectedRows() const
{
    std::vector<size_t> rows;
    int row = -1;
    while ((row = static_cast<int>(SendMessageA(m_list, LVM_GETNEXTITEM, row, LVNI_SELECTED))) >= 0) {
        if (static_cast<size_t>(row) >= m_results.size())
            break;
        rows.push_back(static_cast<size_t>(row));
    }
    return rows;
}

std::vector<size_t> CCheckLinksDlg::SelectedJobs() const
{
    std::vector<size_t> jobs;
    for (const size_t row : SelectedRows())
        jobs.push_back(m_results[row].job);
    return jobs;
}

void CCheckLinksDlg::UpdateButtons()
{
    const std::vector<size_t> rows = SelectedRows();
    const bool moved = std::any_of(rows.begin(), rows.end(),
                                   [this](size_t row) { return m_results[row].outcome.status == LinkStatus::Moved; });
    EnableWindow(GetDlgItem(m_hWnd, IDC_CHECK_GO_TO), !rows.empty());
    EnableWindow(GetDlgItem(m_hWnd, IDC_CHECK_DELETE), !rows.empty());
    EnableWindow(GetDlgItem(m_hWnd, IDC_CHECK_NEW_ADDRESS), moved);
    EnableWindow(GetDlgItem(m_hWnd, IDC_CHECK_MOVE), !rows.empty());
}

void CCheckLinksDlg::OnGetDisplayText(NMHDR* header)
{
    const auto [row, column] = DisplayInfoCell(header);
    if (row < 0 || static_cast<size_t>(row) >= m_results.size())
        return;
    const Result& result = m_results[static_cast<size_t>(row)];
    const Checked& checked = m_checked[result.job];
    switch (column) {
    case kStatusColumn: SetDisplayText(header, LoadResourceString(StatusText(result.outcome.status))); break;
    case kNameColumn: SetDisplayText(header, checked.name); break;
    case kUrlColumn: SetDisplayText(header, checked.url); break;
    case kGroupColumn: SetDisplayText(header, checked.group); break;
    case kDetailColumn:
        SetDisplayText(header, result.changed ? LoadResourceString(IDS_CHECK_CHANGED) : DetailText(result.outcome));
        break;
    }
}

size_t CCheckLinksDlg::FindBookmark(size_t job) const
{
    const Checked& checked = m_checked[job];
    return m_document.FindItem(checked.group, checked.name, checked.url, checked.storeIndex);
}

void CCheckLinksDlg::RemoveRows(const std::vector<size_t>& jobs)
{
    const std::vector<size_t> selected = SelectedJobs();
    m_results.erase(std::remove_if(m_results.begin(), m_results.end(),
                                   [&jobs](const Result& result) {
                                       return std::binary_search(jobs.begin(), jobs.end(), result.job);
                                   }),
                    m_results.end());
    ShowRows(selected);
}

void CCheckLinksDlg::OnUpdate(const UpdateHint& hint)
{
    if (m_hWnd == nullptr || !m_started || hint.kind == UpdateHint::Selection)
        return;
    if (m_collection != m_document.CollectionNumber()) {
        // Its bookmarks may look the same, but they are another file's.
        m_started = false;
        m_checked.clear();
        m_results.clear();
        Finish();
        ShowRows({});
        SendDlgItemMessageA(m_hWnd, IDC_CHECK_PROGRESS, PBM_SETPOS, 0, 0);
        SetDlgItemTextA(m_hWnd, IDC_CHECK_COUNTS, LoadResourceString(IDS_CHECK_REPLACED).c_str());
        return;
    }
    // Kept in step with removals, each bookmark is found again where it is.
    if (hint.kind == UpdateHint::Items && !hint.removed.empty()) {
        for (Checked& checked : m_checked) {
            const auto below = std::lower_bound(hint.removed.begin(), hint.removed.end(), checked.storeIndex);
            checked.storeIndex -= static_cast<size_t>(below - hint.removed.begin());
        }
    }
    if (!m_changing)
        MarkChangedRows();
}

void CCheckLinksDlg::MarkChangedRows()
{
    bool marked = false;
    for (Result& result : m_results) {
        if (result.changed)
            continue;
        const size_t index = FindBookmark(result.job);
        if (index != std::string::npos)
            m_checked[result.job].storeIndex = index;
        else
            result.changed = marked = true;
    }
    if (marked)
        InvalidateRect(m_list, nullptr, TRUE);
}

bool CCheckLinksDlg::ReportChanged(const std::vector<size_t>& jobs)
{
    if (jobs.empty())
        return true;
    for (Result& result : m_results) {
        if (std::binary_search(jobs.begin(), jobs.end(), result.job))
            result.changed = true;
    }
    InvalidateRect(m_list, nullptr, TRUE);
    const std::string text =
        jobs.size() == 1 ? FormatText(LoadResourceString(IDS_CHECK_CHANGED_ONE), {m_checked[jobs.front()].name})
                         : FormatText(LoadResourceString(IDS_CHECK_CHANGED_MANY), {std::to_string(jobs.size())});
    AskDisabled(m_document.Prompt(), text, MessageStyle::InformationOk);
    return m_collection == m_document.CollectionNumber();
}

void CCheckLinksDlg::OnGoTo()
{
    const std::vector<size_t> jobs = SelectedJobs();
    if (jobs.empty())
        return;
    const size_t index = FindBookmark(jobs.front());
    if (index != std::string::npos)
        SendMessageA(m_parent, WM_GO_TO_BOOKMARK, index, 0);
    else
        ReportChanged({jobs.front()});
}

bool CCheckLinksDlg::FindSelectedBookmarks(std::vector<size_t>& indices, std::vector<size_t>& jobs)
{
    std::vector<size_t> changed;
    for (const size_t job : SelectedJobs()) {
        const size_t index = FindBookmark(job);
        if (index == std::string::npos) {
            changed.push_back(job);
            continue;
        }
        indices.push_back(index);
        jobs.push_back(job);
    }
    return ReportChanged(changed) && !indices.empty();
}

void CCheckLinksDlg::OnDelete()
{
    std::vector<size_t> indices;
    std::vector<size_t> jobs;
    if (!FindSelectedBookmarks(indices, jobs))
        return;
    const std::string question =
        indices.size() == 1 ? FormatText(LoadResourceString(IDS_CHECK_DELETE_ONE), {m_checked[jobs.front()].name})
                            : FormatText(LoadResourceString(IDS_CHECK_DELETE_MANY), {std::to_string(indices.size())});
    // Another collection may have come while the question was up.
    if (AskDisabled(m_document.Prompt(), question, MessageStyle::QuestionOkCancel) != MessageAnswer::Ok ||
        m_collection != m_document.CollectionNumber())
        return;
    m_changing = true;
    m_document.DeleteItems(indices);
    m_changing = false;
    RemoveRows(jobs);
}

void CCheckLinksDlg::OnUseNewAddress()
{
    std::vector<std::pair<size_t, std::string>> changes;
    std::vector<size_t> jobs;
    std::vector<size_t> changed;
    for (const size_t row : SelectedRows()) {
        const Result& result = m_results[row];
        const size_t index = result.outcome.status == LinkStatus::Moved ? FindBookmark(result.job) : std::string::npos;
        if (index == std::string::npos) {
            if (result.outcome.status == LinkStatus::Moved)
                changed.push_back(result.job);
            continue;
        }
        const std::string address = NewAddress(m_checked[result.job].url, result.outcome.finalUrl);
        changes.push_back({index, address});
        jobs.push_back(result.job);
        m_checked[result.job].url = address;
    }
    if (!ReportChanged(changed) || changes.empty())
        return;
    m_changing = true;
    m_document.ChangeURLs(changes);
    m_changing = false;
    // They answer now: no longer a finding.
    RemoveRows(jobs);
}

void CCheckLinksDlg::OnMoveToGroup()
{
    std::vector<size_t> indices;
    std::vector<size_t> jobs;
    if (!FindSelectedBookmarks(indices, jobs))
        return;
    m_changing = true;
    const std::string group = m_document.MoveItems(indices, LoadResourceString(IDS_BROKEN_LINKS_GROUP));
    m_changing = false;
    for (const size_t job : jobs)
        m_checked[job].group = group;
    InvalidateRect(m_list, nullptr, TRUE);
}
