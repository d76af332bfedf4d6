// The item pane: the current group's bookmarks.
#include "ui/CItemPane.h"

#include "framework/Dpi.h"
#include "framework/ResourceString.h"
#include "query/GroupRows.h"
#include "res/resource.h"
#include "settings/Preferences.h"
#include "store/CBookmarkDoc.h"
#include "store/TextCompare.h"
#include "ui/CUrlPropertiesSheet.h"

#include <algorithm>
#include <cstddef>
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
    // The selection shows without the focus too: Find goes to a bookmark
    // while its dialog keeps the keyboard.
    return style | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_AUTOARRANGE | LVS_EDITLABELS | LVS_OWNERDATA | WS_TABSTOP;
}

bool CItemPane::OnCreate()
{
    if (theItemPane == nullptr)
        theItemPane = this;
    InsertListColumns(m_hWnd, {{IDS_ITEM_COLUMN_NAME, 250}, {IDS_ITEM_COLUMN_URL, 200}, {IDS_ITEM_COLUMN_DESCRIPTION, 200}});

    // The cut style is asked for with the rest of a row.
    SendMessageA(m_hWnd, LVM_SETCALLBACKMASK, LVIS_CUT, 0);
    return ListPane::OnCreate();
}

void CItemPane::LoadImages(UINT dpi)
{
    // Image 0 web, image 1 e-mail.
    SetImageList(LVSIL_SMALL, {IDI_WEB, IDI_EMAIL}, ScaleForDpi(16, dpi));
    SetImageList(LVSIL_NORMAL, {IDI_WEB, IDI_EMAIL}, ScaleForDpi(32, dpi));
}

void CItemPane::OnNcDestroyed()
{
    if (theItemPane == this)
        theItemPane = nullptr;
    ListPane::OnNcDestroyed();
}

void CItemPane::OnUpdate(const UpdateHint& hint)
{
    if (hint.kind != UpdateHint::Items || !PatchRows(hint))
        RefillItems();
}

void CItemPane::RefillItems()
{
    BeginRefill();
    // The old rows' selection and focus go with them.
    SendMessageA(m_hWnd, LVM_DELETEALLITEMS, 0, 0);
    m_rows = m_store.ItemsOfGroup(m_store.Selection().currentGroup);
    m_sortInfo.column = 0;
    m_sortInfo.ascending = true;
    // The order CompareRows gives, faster than through it.
    SortIndicesNoCase(
        m_rows, [this](size_t index) -> const std::string& { return RowStoreText(m_sortInfo, static_cast<LPARAM>(index)); },
        m_sortInfo.ascending);
    SetRowCount(0);
    for (int column = 0; column < 3; ++column)
        SendMessageA(m_hWnd, LVM_SETCOLUMNWIDTH, column, AutoColumnWidth(column));
    EndRefill();
}

void CItemPane::SetRowCount(LPARAM flags)
{
    // In the icon views the control places every row as the count is set,
    // slowly; set in the details view, rows are placed as they come to be shown.
    const LONG style = GetWindowLongA(m_hWnd, GWL_STYLE);
    if ((style & LVS_TYPEMASK) != LVS_REPORT)
        SetWindowLongA(m_hWnd, GWL_STYLE, (style & ~LVS_TYPEMASK) | LVS_REPORT);
    SendMessageA(m_hWnd, LVM_SETITEMCOUNT, m_rows.size(), flags);
    if (GetWindowLongA(m_hWnd, GWL_STYLE) != style)
        SetWindowLongA(m_hWnd, GWL_STYLE, style);
}

bool CItemPane::PatchRows(const UpdateHint& hint)
{
    // The row of the current item stays selected as long as the item is shown.
    const int selectedRow = SelectedRow();
    std::vector<size_t> current;
    if (selectedRow >= 0 && RowStoreIndex(selectedRow) == m_store.Selection().itemIndex)
        current.push_back(static_cast<size_t>(RowStoreIndex(selectedRow)));
    const auto before = [this](size_t a, size_t b) {
        return CompareRows(static_cast<LPARAM>(a), static_cast<LPARAM>(b), reinterpret_cast<LPARAM>(&m_sortInfo)) < 0;
    };
    std::vector<size_t> placed;
    if (!PatchGroupRows(m_rows, hint, m_store.Items(), m_store.Selection().currentGroup, before, placed))
        return false;
    RemoveIndices(current, hint.removed);

    BeginRefill();
    ClearSelection(m_hWnd);
    SetRowCount(LVSICF_NOSCROLL);
    const int row = current.empty() ? -1 : RowOfStoreIndex(static_cast<LPARAM>(current.front()));
    if (row >= 0) {
        LVITEMA state = {};
        state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(m_hWnd, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    }
    WidenColumnsFor(placed);
    EndRefill();
    if (row >= 0) {
        // Its index or texts may have changed with it.
        SelectCurrentItem();
        if (std::find(placed.begin(), placed.end(), current.front()) != placed.end())
            SendMessageA(m_hWnd, LVM_ENSUREVISIBLE, row, FALSE);
    }
    return true;
}

void CItemPane::WidenColumnsFor(const std::vector<size_t>& indices)
{
    if (indices.empty())
        return;
    for (int column = 0; column < 3; ++column) {
        SortInfo columnText = m_sortInfo;
        columnText.column = column;
        std::vector<const std::string*> texts;
        for (const size_t index : indices)
            texts.push_back(&RowStoreText(columnText, static_cast<LPARAM>(index)));
        const int width = WidestTextWidth(m_hWnd, texts);
        if (width > SendMessageA(m_hWnd, LVM_GETCOLUMNWIDTH, column, 0))
            SendMessageA(m_hWnd, LVM_SETCOLUMNWIDTH, column, width);
    }
}

bool CItemPane::SelectBookmark(size_t index)
{
    const int row = RowOfStoreIndex(static_cast<LPARAM>(index));
    if (row < 0)
        return false;
    BeginRefill();
    ClearSelection(m_hWnd);
    EndRefill();
    LVITEMA state = {};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(m_hWnd, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    SendMessageA(m_hWnd, LVM_ENSUREVISIBLE, row, FALSE);
    return true;
}

void CItemPane::SortStoreIndices()
{
    std::sort(m_rows.begin(), m_rows.end(), [this](size_t a, size_t b) {
        return CompareRows(static_cast<LPARAM>(a), static_cast<LPARAM>(b), reinterpret_cast<LPARAM>(&m_sortInfo)) < 0;
    });
}

void CItemPane::SortShownRows()
{
    // The selected bookmark stays selected wherever it moves.
    const int selected = SelectedRow();
    const LPARAM selectedIndex = selected >= 0 ? RowStoreIndex(selected) : -1;
    SortStoreIndices();
    const int moved = selectedIndex >= 0 ? RowOfStoreIndex(selectedIndex) : -1;
    if (moved != selected) {
        BeginRefill();
        ClearSelection(m_hWnd);
        LVITEMA state = {};
        state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(m_hWnd, LVM_SETITEMSTATE, moved, reinterpret_cast<LPARAM>(&state));
        EndRefill();
    } else {
        InvalidateRect(m_hWnd, nullptr, TRUE);
    }
}

void CItemPane::SortRows(int column)
{
    m_sortInfo.column = column;
    m_sortInfo.ascending = true;
    SortShownRows();
}

void CItemPane::OnColumnClick(int column)
{
    m_sortInfo.ascending = column != m_sortInfo.column || !m_sortInfo.ascending;
    m_sortInfo.column = column;
    SortShownRows();
}

int CItemPane::AutoColumnWidth(int column) const
{
    SortInfo columnText = m_sortInfo;
    columnText.column = column;
    std::vector<const std::string*> texts;
    texts.reserve(m_rows.size());
    for (const size_t index : m_rows)
        texts.push_back(&RowStoreText(columnText, static_cast<LPARAM>(index)));
    return WidestTextWidth(m_hWnd, texts);
}

int CItemPane::SelectedRow() const
{
    return FirstSelectedRow(m_hWnd);
}

const BookmarkItem* CItemPane::BookmarkOfRow(int row) const
{
    const LPARAM index = RowStoreIndex(row);
    if (index < 0 || static_cast<size_t>(index) >= m_store.Items().size())
        return nullptr;
    return &m_store.Items()[static_cast<size_t>(index)];
}

LPARAM CItemPane::RowStoreIndex(int row) const
{
    return row >= 0 && static_cast<size_t>(row) < m_rows.size() ? static_cast<LPARAM>(m_rows[static_cast<size_t>(row)])
                                                                 : -1;
}

int CItemPane::RowOfStoreIndex(LPARAM index) const
{
    const auto found = std::find(m_rows.begin(), m_rows.end(), static_cast<size_t>(index));
    return index < 0 || found == m_rows.end() ? -1 : static_cast<int>(found - m_rows.begin());
}

void CItemPane::SelectCurrentItem()
{
    const int row = static_cast<int>(
        SendMessageA(m_hWnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED | LVNI_SELECTED));
    if (row < 0)
        return;
    // The whole texts: Delete, Cut and Undo find the bookmark by them.
    const BookmarkItem* item = BookmarkOfRow(row);
    if (item == nullptr)
        return;
    m_store.SelectItem(static_cast<size_t>(RowStoreIndex(row)));
}

void CItemPane::BeginRename(bool focus)
{
    if (focus)
        SetFocus(m_hWnd);
    // Found by the store index: a remembered row goes stale when rows move.
    const int row = m_store.Selection().itemIndex < 0 ? -1 : RowOfStoreIndex(m_store.Selection().itemIndex);
    if (row < 0)
        return;
    // The edit selects its row again, which clears any other selection by
    // visiting every row; with none left it need not.
    BeginRefill();
    ClearSelection(m_hWnd);
    EndRefill();
    // The Unicode form makes a Unicode edit, which takes every typed
    // character whole.
    SendMessageW(m_hWnd, LVM_EDITLABELW, row, 0);
}

void CItemPane::OnLabelEdited(const std::string& text)
{
    // Enter on an unchanged name changes nothing, not even the modified flag.
    if (text == StoredLabelText())
        return;
    m_store.RenameItem(text);  // refills this pane through Commit
}

std::string CItemPane::StoredLabelText() const
{
    const BookmarkItem* item = m_store.SelectedItem();
    return item != nullptr ? item->m_strName : std::string();
}

void CItemPane::OnContextMenu(LPARAM lParam)
{
    const bool rowSelected = SendMessageA(m_hWnd, LVM_GETSELECTEDCOUNT, 0, 0) != 0;
    if (rowSelected && thePreferences.quickEdit != 0) {
        EditBookmark(m_store, GetAncestor(m_hWnd, GA_ROOT));
        return;
    }
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

namespace {

// Fills what the control asked for of one row; `Item` is LVITEMA or LVITEMW.
template <typename Item>
void FillDisplayItem(Item& item, const BookmarkItem& bookmark, bool cut, LPARAM index)
{
    if ((item.mask & LVIF_IMAGE) != 0)
        item.iImage = TextEqual(bookmark.m_strURL.substr(0, 7), "mailto:") ? 1 : 0;
    if ((item.mask & LVIF_STATE) != 0) {
        item.state = (item.state & ~LVIS_CUT) | (cut ? LVIS_CUT : 0);
        item.stateMask |= LVIS_CUT;
    }
    if ((item.mask & LVIF_PARAM) != 0)
        item.lParam = index;
}

} // namespace

void CItemPane::OnGetDisplayText(NMHDR* header)
{
    const bool wide = header->code == LVN_GETDISPINFOW;
    LVITEMA& narrowItem = reinterpret_cast<NMLVDISPINFOA*>(header)->item;
    LVITEMW& wideItem = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
    const DisplayCell cell = DisplayInfoCell(header);
    const LPARAM index = RowStoreIndex(cell.row);
    if (index < 0 || static_cast<size_t>(index) >= m_store.Items().size())
        return;
    const BookmarkItem& bookmark = m_store.Items()[static_cast<size_t>(index)];
    const ClipboardMarks& marks = m_store.Marks();
    // The cut mark compares the texts byte for byte: only the cut bookmark
    // itself shows cut, not another of the same address.
    const bool cut = bookmark.m_strURL == marks.cutURL && m_store.Selection().currentGroup == marks.cutGroup &&
                     bookmark.m_strName == marks.cutName && bookmark.m_strDescription == marks.cutDescription;
    if (wide)
        FillDisplayItem(wideItem, bookmark, cut, index);
    else
        FillDisplayItem(narrowItem, bookmark, cut, index);
    SortInfo columnText = m_sortInfo;
    columnText.column = cell.column;
    SetDisplayText(header, RowStoreText(columnText, index));
}

// The narrow record is read for both: the fields besides the text must lie alike.
static_assert(offsetof(NMLVFINDITEMA, iStart) == offsetof(NMLVFINDITEMW, iStart), "find record layout");
static_assert(offsetof(NMLVFINDITEMA, lvfi.flags) == offsetof(NMLVFINDITEMW, lvfi.flags), "find record layout");
static_assert(offsetof(NMLVFINDITEMA, lvfi.psz) == offsetof(NMLVFINDITEMW, lvfi.psz), "find record layout");
static_assert(offsetof(NMLVFINDITEMA, lvfi.lParam) == offsetof(NMLVFINDITEMW, lvfi.lParam), "find record layout");
static_assert(sizeof(NMLVFINDITEMA) == (sizeof(void*) == 4 ? 40 : 72), "find record size");

int CItemPane::OnFindItem(const NMHDR* header) const
{
    // The A and W records differ only in the text's type.
    const auto& find = *reinterpret_cast<const NMLVFINDITEMA*>(header);
    if ((find.lvfi.flags & LVFI_PARAM) != 0)
        return RowOfStoreIndex(find.lvfi.lParam);
    if ((find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) == 0 || find.lvfi.psz == nullptr)
        return -1;
    std::string typed;
    if (header->code == LVN_ODFINDITEMW) {
        const auto* wide = reinterpret_cast<const NMLVFINDITEMW*>(header)->lvfi.psz;
        const int length = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
        typed.assign(length > 0 ? static_cast<size_t>(length) : 1, '\0');
        WideCharToMultiByte(CP_ACP, 0, wide, -1, &typed[0], length, nullptr, nullptr);
        typed.resize(typed.size() - 1);
    } else {
        typed = find.lvfi.psz;
    }
    return FindRowByName(typed, find.iStart, (find.lvfi.flags & LVFI_PARTIAL) != 0);
}

int CItemPane::FindRowByName(const std::string& typed, int start, bool prefix) const
{
    // From `start`, wrapping: type-ahead goes on from the row after the focused one.
    const size_t count = m_rows.size();
    const size_t first = start >= 0 && static_cast<size_t>(start) < count ? static_cast<size_t>(start) : 0;
    if (prefix && m_sortInfo.column == 0 && m_sortInfo.ascending) {
        // Rows in name order hold every name beginning with `typed` in one
        // run: two binary searches instead of a pass over a million names.
        const auto nameOf = [this](size_t index) -> const std::string& { return m_store.Items()[index].m_strName; };
        const auto low = std::partition_point(m_rows.begin(), m_rows.end(),
                                              [&](size_t index) { return CompareNoCasePrefix(nameOf(index), typed) < 0; });
        const auto high = std::partition_point(low, m_rows.end(),
                                               [&](size_t index) { return CompareNoCasePrefix(nameOf(index), typed) == 0; });
        if (low == high)
            return -1;
        const size_t lowRow = static_cast<size_t>(low - m_rows.begin());
        const size_t highRow = static_cast<size_t>(high - m_rows.begin());
        return static_cast<int>(first >= lowRow && first < highRow ? first : lowRow);
    }
    for (size_t step = 0; step < count; ++step) {
        const size_t row = (first + step) % count;
        const std::string& name = m_store.Items()[m_rows[row]].m_strName;
        const bool matches = prefix ? StartsWithNoCase(name, typed) : TextEqual(name, typed);
        if (matches)
            return static_cast<int>(row);
    }
    return -1;
}

bool CItemPane::OnPaneNotify(NMHDR* header, LRESULT& result)
{
    result = 0;
    switch (header->code) {
    case LVN_GETDISPINFOA:
    case LVN_GETDISPINFOW:
        OnGetDisplayText(header);
        return true;
    case LVN_ODFINDITEMA:
    case LVN_ODFINDITEMW:
        result = OnFindItem(header);
        return true;
    case LVN_ITEMCHANGED:
        if (!IsRefilling() && (reinterpret_cast<const NMLISTVIEW*>(header)->uChanged & LVIF_STATE) != 0)
            SelectCurrentItem();
        return true;
    case NM_CLICK:
        return true;
    case NM_RCLICK:
    case NM_DBLCLK:
        return false;  // the frame's to act on: it shows the URL or opens the bookmark
    case LVN_COLUMNCLICK:
        OnColumnClick(reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem);
        return true;
    }
    return false;
}
