#include "ui/CGroupPane.h"

#include "framework/CFrameWnd.h"
#include "res/resource.h"
#include "settings/PaneColours.h"
#include "settings/Preferences.h"
#include "store/CBookmarkDoc.h"
#include "store/TextCompare.h"

CGroupPane* theGroupPane = nullptr;

void PaneColours(HWND list)
{
    const PaneColourPair colours = ChoosePaneColours(thePreferences, theColourSchemes, CurrentSystemColours());
    SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, colours.background);
    SendMessageA(list, LVM_SETBKCOLOR, 0, colours.background);
    SendMessageA(list, LVM_SETTEXTCOLOR, 0, colours.text);
}

HFONT CreateIconTitleFont()
{
    LOGFONTA font = {};
    if (!SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0))
        return nullptr;
    font.lfCharSet = DEFAULT_CHARSET;
    return CreateFontIndirectA(&font);
}

CGroupPane::CGroupPane(CBookmarkDoc& document) : CView(document), m_store(document)
{
    m_sortInfo.document = &document;
    m_sortInfo.groupRows = true;
}

CGroupPane::~CGroupPane()
{
    // The image list is the control's: without LVS_SHAREIMAGELISTS the
    // control destroys it with its window, so it is not destroyed here again.
    if (m_font != nullptr)
        DeleteObject(m_font);
}

DWORD CGroupPane::PreCreateStyle(DWORD style)
{
    return style | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_AUTOARRANGE | LVS_EDITLABELS |
           LVS_NOCOLUMNHEADER | WS_TABSTOP;
}

bool CGroupPane::OnCreate()
{
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    m_imageList = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 0);
    const HICON icon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(128), IMAGE_ICON, 16, 16, 0));
    if (m_imageList != nullptr && icon != nullptr)
        ImageList_AddIcon(m_imageList, icon);
    if (icon != nullptr)
        DestroyIcon(icon);
    SendMessageA(m_hWnd, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(m_imageList));

    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = static_cast<int>(InitialLeftPaneWidth(thePreferences));
    column.pszText = const_cast<char*>("Groups");
    SendMessageA(m_hWnd, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    column.cx = 0;
    column.pszText = const_cast<char*>("");
    column.iSubItem = 1;
    SendMessageA(m_hWnd, LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));

    if (theGroupPane == nullptr)
        theGroupPane = this;
    m_font = CreateIconTitleFont();
    if (m_font != nullptr)
        SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), TRUE);
    return true;
}

void CGroupPane::RefillGroups()
{
    const std::vector<std::string>& groups = m_store.m_arrGroups;
    const std::string& current = m_store.Selection().currentGroup;
    m_refilling = true;
    SendMessageA(m_hWnd, WM_SETREDRAW, FALSE, 0);
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
    SendMessageA(m_hWnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_hWnd, nullptr, TRUE);
    m_refilling = false;
}

void CGroupPane::SortRows()
{
    m_sortInfo.column = 0;
    SendMessageA(m_hWnd, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&m_sortInfo), reinterpret_cast<LPARAM>(&CompareRows));
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
    if (data < 0 || static_cast<size_t>(data) >= m_store.m_arrGroups.size())
        return;
    m_store.Selection().currentGroup = m_store.m_arrGroups[static_cast<size_t>(data)];
    m_store.UpdateAllViews(this);
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
    if (row >= 0)
        SendMessageA(m_hWnd, LVM_EDITLABELA, row, 0);
}

void CGroupPane::OnEndLabelEdit(NMHDR* header)
{
    std::string text;
    if (EditedLabelText(header, text))
        m_store.RenameGroup(text);  // refills this pane through Commit
    SortRows();
}

void CGroupPane::OnContextMenu(LPARAM lParam)
{
    if (SendMessageA(m_hWnd, LVM_GETSELECTEDCOUNT, 0, 0) == 0)
        return;
    CFrameWnd* frame = CFrameWnd::FromHandle(GetAncestor(m_hWnd, GA_ROOT));
    const HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_GROUP_MENU));
    if (frame != nullptr && menu != nullptr)
        frame->TrackPopup(GetSubMenu(menu, 0), ContextMenuPoint(m_hWnd, lParam));
    if (menu != nullptr)
        DestroyMenu(menu);
}

bool CGroupPane::OnNotify(NMHDR* header, LRESULT& result)
{
    result = 0;
    switch (header->code) {
    case LVN_ITEMCHANGED: {
        // Only a row becoming selected can change the current group.
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
        if (!m_refilling && (change->uChanged & LVIF_STATE) != 0 && (change->uNewState & LVIS_SELECTED) != 0 &&
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
    case LVN_ENDLABELEDITA:
    case LVN_ENDLABELEDITW:
        // 0 refuses the control's own change; the refilled row shows the name.
        OnEndLabelEdit(header);
        return true;
    }
    return false;
}

LRESULT CGroupPane::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        PaneColours(m_hWnd);
        break;
    case WM_CONTEXTMENU:
        OnContextMenu(lParam);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_F2)
            BeginRename();
        break;
    }
    return CView::WindowProc(message, wParam, lParam);
}
