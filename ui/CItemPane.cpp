#include "ui/CItemPane.h"

#include "res/resource.h"
#include "settings/Preferences.h"
#include "store/CBookmarkDoc.h"
#include "store/TextCompare.h"
#include "ui/CMainFrame.h"

#include <algorithm>
#include <string>

CItemPane* theItemPane = nullptr;

CItemPane::CItemPane(CBookmarkDoc& document) : ListPane(document) {}

CItemPane::~CItemPane()
{
    if (theItemPane == this)
        theItemPane = nullptr;
}

DWORD CItemPane::PreCreateStyle(DWORD style)
{
    return style | LVS_SINGLESEL | LVS_AUTOARRANGE | LVS_EDITLABELS | WS_TABSTOP;
}

bool CItemPane::OnCreate()
{
    if (theItemPane == nullptr)
        theItemPane = this;
    // Image 0 web, image 1 e-mail.
    SendMessageA(m_hWnd, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(LoadImageList({IDI_WEB, IDI_EMAIL}, 16)));
    SendMessageA(m_hWnd, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(LoadImageList({IDI_WEB, IDI_EMAIL}, 32)));

    // "Univeral" is the header the program has always shown; keep it.
    const struct {
        const char* title;
        int width;
    } columns[] = {{"Bookmark Name", 250}, {"Univeral Resource Locator", 200}, {"Commentary", 200}};
    for (int index = 0; index < 3; ++index) {
        LVCOLUMNA column = {};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = columns[index].width;
        column.pszText = const_cast<char*>(columns[index].title);
        column.iSubItem = index;
        SendMessageA(m_hWnd, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
    }

    return ListPane::OnCreate();
}

void CItemPane::OnNcDestroyed()
{
    if (theItemPane == this)
        theItemPane = nullptr;
    ListPane::OnNcDestroyed();
}

void CItemPane::RefillItems()
{
    const CurrentSelection& selection = m_store.Selection();
    const ClipboardMarks& marks = m_store.Marks();
    const std::vector<size_t> shown = m_store.ItemsOfGroup(selection.currentGroup);
    std::vector<std::string> names;
    names.reserve(shown.size());
    for (const size_t index : shown)
        names.push_back(m_store.m_arrItems[index].m_strName);

    BeginRefill();
    // The icon views place each new row among all the others; filled in the
    // details view, they are placed once when their view comes back.
    const LONG style = GetWindowLongA(m_hWnd, GWL_STYLE);
    if ((style & LVS_TYPEMASK) != LVS_REPORT)
        SetWindowLongA(m_hWnd, GWL_STYLE, (style & ~LVS_TYPEMASK) | LVS_REPORT);
    SendMessageA(m_hWnd, LVM_DELETEALLITEMS, 0, 0);
    SendMessageA(m_hWnd, LVM_SETITEMCOUNT, shown.size(), 0);
    // Inserted already in name order, as sorting by column 0 would leave them.
    int row = 0;
    for (const size_t position : SortedOrder(names)) {
        const size_t index = shown[position];
        const BookmarkItem& bookmark = m_store.m_arrItems[index];
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
        item.iItem = row;
        // The texts come from the store when shown: three copies per row
        // made a large group slow to fill.
        item.pszText = LPSTR_TEXTCALLBACKA;
        item.iImage = TextEqual(bookmark.m_strURL.substr(0, 7), "mailto:") ? 1 : 0;
        item.lParam = static_cast<LPARAM>(index);
        item.stateMask = LVIS_CUT;
        if (bookmark.m_strURL == marks.cutURL && selection.currentGroup == marks.cutGroup)
            item.state = LVIS_CUT;
        row = static_cast<int>(SendMessageA(m_hWnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item))) + 1;
        LVITEMA sub = {};
        sub.pszText = LPSTR_TEXTCALLBACKA;
        for (sub.iSubItem = 1; sub.iSubItem < 3; ++sub.iSubItem)
            SendMessageA(m_hWnd, LVM_SETITEMTEXTA, row - 1, reinterpret_cast<LPARAM>(&sub));
    }
    if (GetWindowLongA(m_hWnd, GWL_STYLE) != style)
        SetWindowLongA(m_hWnd, GWL_STYLE, style);
    m_sortInfo.column = 0;
    m_sortInfo.ascending = true;
    for (int column = 0; column < 3; ++column)
        SendMessageA(m_hWnd, LVM_SETCOLUMNWIDTH, column, ColumnWidth(column, shown));
    EndRefill();
}

void CItemPane::SortRows(int column)
{
    m_sortInfo.column = column;
    m_sortInfo.ascending = true;
    SortBySortInfo();
}

void CItemPane::OnColumnClick(int column)
{
    m_sortInfo.ascending = column != m_sortInfo.column || !m_sortInfo.ascending;
    m_sortInfo.column = column;
    SortBySortInfo();
}

int CItemPane::AutoColumnWidth(int column) const
{
    std::vector<size_t> indices;
    const int rows = RowCount(m_hWnd);
    indices.reserve(static_cast<size_t>(rows));
    for (int row = 0; row < rows; ++row)
        indices.push_back(static_cast<size_t>(RowData(m_hWnd, row)));
    return ColumnWidth(column, indices);
}

int CItemPane::ColumnWidth(int column, const std::vector<size_t>& indices) const
{
    SortInfo columnText = m_sortInfo;
    columnText.column = column;
    std::vector<const std::string*> texts;
    texts.reserve(indices.size());
    for (const size_t index : indices)
        texts.push_back(&RowStoreText(columnText, static_cast<LPARAM>(index)));
    return WidestTextWidth(m_hWnd, texts);
}

void CItemPane::SelectCurrentItem()
{
    const int row = static_cast<int>(
        SendMessageA(m_hWnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED | LVNI_SELECTED));
    if (row < 0)
        return;
    // The whole texts from the store: a row's text may be cut when read,
    // and Delete, Cut and Undo find the bookmark by them.
    const LPARAM data = RowData(m_hWnd, row);
    if (data < 0 || static_cast<size_t>(data) >= m_store.m_arrItems.size())
        return;
    const BookmarkItem& item = m_store.m_arrItems[static_cast<size_t>(data)];
    CurrentSelection& selection = m_store.Selection();
    selection.itemURL = item.m_strURL;
    selection.itemName = item.m_strName;
    selection.itemDescription = item.m_strDescription;
    selection.itemIndex = static_cast<int32_t>(data);
}

void CItemPane::BeginRename(bool focus)
{
    if (focus)
        SetFocus(m_hWnd);
    // Found by the store index: a remembered row goes stale when rows move.
    const int row = m_store.Selection().itemIndex < 0 ? -1 : FindRowByData(m_hWnd, m_store.Selection().itemIndex);
    if (row >= 0)
        SendMessageA(m_hWnd, LVM_EDITLABELA, row, 0);
}

void CItemPane::OnLabelEdited(const std::string& text)
{
    m_store.RenameItem(text);  // refills this pane through Commit
}

void CItemPane::OnRightClick()
{
    if (theMainFrame != nullptr)
        theMainFrame->SetUrlPaneText(m_store.Selection().itemURL);
}

void CItemPane::OnDoubleClick()
{
    // The default action decides the way; OpenUrl opens nothing when the
    // double click left no row selected.
    if (!m_store.m_arrGroups.empty() && theMainFrame != nullptr)
        theMainFrame->OpenUrl(thePreferences.bCreateNewProcess != 0);
}

void CItemPane::OnContextMenu(LPARAM lParam)
{
    const bool rowSelected = SendMessageA(m_hWnd, LVM_GETSELECTEDCOUNT, 0, 0) != 0;
    const HMENU menu =
        LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(rowSelected ? IDR_ITEM_MENU : IDR_ITEM_VIEW_MENU));
    if (menu == nullptr)
        return;
    const HMENU popup = GetSubMenu(menu, 0);
    if (rowSelected) {
        SetMenuDefaultItem(popup, thePreferences.bCreateNewProcess != 0 ? ID_ITEM_OPEN_NEW_WINDOW : ID_ITEM_OPEN, FALSE);
    } else {
        static const DWORD kViews[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
        const DWORD view = static_cast<DWORD>(GetWindowLongA(m_hWnd, GWL_STYLE)) & LVS_TYPEMASK;
        for (UINT index = 0; index < 4; ++index) {
            if (kViews[index] == view)
                CheckMenuRadioItem(popup, ID_VIEW_LARGE_ICONS, ID_VIEW_DETAILS, ID_VIEW_LARGE_ICONS + index, MF_BYCOMMAND);
        }
    }
    TrackContextMenu(popup, lParam);
    DestroyMenu(menu);
}

void CItemPane::OnGetDisplayText(NMHDR* header)
{
    SortInfo columnText = m_sortInfo;
    if (header->code == LVN_GETDISPINFOW) {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
        columnText.column = item.iSubItem;
        if ((item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr && item.cchTextMax > 0) {
            const std::string& text = RowStoreText(columnText, RowData(m_hWnd, item.iItem));
            // Only what fits is converted: a text too long for the buffer
            // would fail whole and show as empty.
            const size_t fits = std::min(text.size(), static_cast<size_t>(item.cchTextMax - 1));
            const int length =
                MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(fits), item.pszText, item.cchTextMax - 1);
            item.pszText[length] = L'\0';
        }
        return;
    }
    LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(header)->item;
    columnText.column = item.iSubItem;
    if ((item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr && item.cchTextMax > 0)
        lstrcpynA(item.pszText, RowStoreText(columnText, RowData(m_hWnd, item.iItem)).c_str(), item.cchTextMax);
}

bool CItemPane::OnPaneNotify(NMHDR* header, LRESULT& result)
{
    result = 0;
    switch (header->code) {
    case LVN_GETDISPINFOA:
    case LVN_GETDISPINFOW:
        OnGetDisplayText(header);
        return true;
    case LVN_ITEMCHANGED:
        if (!IsRefilling() && (reinterpret_cast<const NMLISTVIEW*>(header)->uChanged & LVIF_STATE) != 0)
            SelectCurrentItem();
        return true;
    case NM_CLICK:
        return true;
    case NM_RCLICK:
        OnRightClick();
        return true;
    case NM_DBLCLK:
        OnDoubleClick();
        return true;
    case LVN_COLUMNCLICK:
        OnColumnClick(reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem);
        return true;
    }
    return false;
}
