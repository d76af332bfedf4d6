// The group pane.
#include "ui/CGroupPane.h"

#include "framework/Dpi.h"
#include "framework/ResourceString.h"
#include "res/resource.h"
#include "settings/Preferences.h"
#include "store/CBookmarkDoc.h"
#include "store/TextCompare.h"

CGroupPane* theGroupPane = nullptr;

CGroupPane::CGroupPane(CBookmarkDoc& document) : ListPane(document)
{
    m_sortInfo.groupRows = true;
}

CGroupPane::~CGroupPane()
{
    if (theGroupPane == this)
        theGroupPane = nullptr;
}

DWORD CGroupPane::PreCreateStyle(DWORD style)
{
    return style | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_AUTOARRANGE | LVS_EDITLABELS |
           LVS_NOCOLUMNHEADER | WS_TABSTOP;
}

bool CGroupPane::OnCreate()
{
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = ScaleForDpi(static_cast<int>(InitialLeftPaneWidth(thePreferences)), WindowDpi(m_hWnd));
    std::string title = LoadResourceString(IDS_GROUP_COLUMN);
    column.pszText = &title[0];
    SendMessageA(m_hWnd, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    column.cx = 0;
    column.pszText = const_cast<char*>("");
    column.iSubItem = 1;
    SendMessageA(m_hWnd, LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));

    if (theGroupPane == nullptr)
        theGroupPane = this;
    return ListPane::OnCreate();
}

void CGroupPane::LoadImages(UINT dpi)
{
    SetImageList(LVSIL_SMALL, {IDR_MAINFRAME}, ScaleForDpi(16, dpi));
}

void CGroupPane::OnNcDestroyed()
{
    if (theGroupPane == this)
        theGroupPane = nullptr;
    ListPane::OnNcDestroyed();
}

void CGroupPane::RefillGroups()
{
    const std::vector<std::string>& groups = m_store.Groups();
    const std::string& current = m_store.Selection().currentGroup;
    BeginRefill();
    SendMessageA(m_hWnd, LVM_DELETEALLITEMS, 0, 0);
    SendMessageA(m_hWnd, LVM_SETITEMCOUNT, groups.size(), 0);
    // Inserted already in the order the sort would give.
    bool marked = false;
    int row = 0;
    for (const size_t index : SortedOrder(groups)) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
        item.iItem = row;
        item.pszText = const_cast<char*>(groups[index].c_str());
        item.lParam = static_cast<LPARAM>(index);
        if (!marked && TextEqual(groups[index], current)) {
            item.state = item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
            marked = true;
        }
        row = static_cast<int>(SendMessageA(m_hWnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item))) + 1;
        LVITEMA sub = {};
        sub.iSubItem = 1;
        sub.pszText = item.pszText;
        SendMessageA(m_hWnd, LVM_SETITEMTEXTA, row - 1, reinterpret_cast<LPARAM>(&sub));
    }
    m_sortInfo.ascending = true;
    m_sortInfo.column = 0;
    SendMessageA(m_hWnd, LVM_SETCOLUMNWIDTH, 0, AutoColumnWidth(0));
    EndRefill();
}

void CGroupPane::SortRows()
{
    m_sortInfo.column = 0;
    SortBySortInfo();
}

int CGroupPane::AutoColumnWidth(int column) const
{
    // Both columns show the group name.
    (void)column;
    std::vector<const std::string*> texts;
    const int rows = RowCount(m_hWnd);
    for (int row = 0; row < rows; ++row)
        texts.push_back(&RowStoreText(m_sortInfo, RowData(m_hWnd, row)));
    return WidestTextWidth(m_hWnd, texts);
}

void CGroupPane::SelectCurrentGroup()
{
    const int row = static_cast<int>(SendMessageA(m_hWnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (row < 0)
        return;
    // The whole name from the store: the row's text may be cut when read.
    const LPARAM data = RowData(m_hWnd, row);
    if (data < 0 || static_cast<size_t>(data) >= m_store.Groups().size())
        return;
    m_store.SetCurrentGroup(m_store.Groups()[static_cast<size_t>(data)], this);
}

int CGroupPane::CurrentGroupRow() const
{
    const std::string& current = m_store.Selection().currentGroup;
    int caseFolded = -1;
    const int rows = RowCount(m_hWnd);
    for (int row = 0; row < rows; ++row) {
        const std::string& name = RowStoreText(m_sortInfo, RowData(m_hWnd, row));
        if (name == current)
            return row;
        if (caseFolded < 0 && TextEqual(name, current))
            caseFolded = row;
    }
    return caseFolded;
}

void CGroupPane::BeginRename()
{
    SetFocus(m_hWnd);
    const int row = CurrentGroupRow();
    // Asked in the Unicode form, the control makes a Unicode edit, which
    // takes every typed character whole.
    if (row >= 0)
        SendMessageW(m_hWnd, LVM_EDITLABELW, row, 0);
}

void CGroupPane::OnLabelEdited(const std::string& text)
{
    m_store.RenameGroup(text);  // refills this pane through Commit
    SortRows();
}

std::string CGroupPane::StoredLabelText() const
{
    return m_store.Selection().currentGroup;
}

void CGroupPane::OnContextMenu(LPARAM lParam)
{
    if (SendMessageA(m_hWnd, LVM_GETSELECTEDCOUNT, 0, 0) == 0)
        return;
    const HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_GROUP_MENU));
    if (menu == nullptr)
        return;
    TrackContextMenu(GetSubMenu(menu, 0), lParam);
    DestroyMenu(menu);
}

bool CGroupPane::OnPaneNotify(NMHDR* header, LRESULT& result)
{
    result = 0;
    switch (header->code) {
    case LVN_ITEMCHANGED: {
        // Only a row becoming selected can change the current group.
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
        if (!IsRefilling() && (change->uChanged & LVIF_STATE) != 0 && (change->uNewState & LVIS_SELECTED) != 0 &&
            (change->uOldState & LVIS_SELECTED) == 0)
            SelectCurrentGroup();
        return true;
    }
    case NM_RETURN:
        SelectCurrentGroup();
        return true;
    case NM_CLICK:
    case NM_RCLICK:
        return true;
    }
    return false;
}
