#include "ui/CMB15View.h"

#include "store/CMB15Doc.h"
#include "store/TextCompare.h"
#include "ui/CMyList.h"

#include <string>

CMB15View* theItemPane = nullptr;

namespace {

std::string RowText(HWND list, int row, int column)
{
    char buffer[261] = "";
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return buffer;
}

int FindRowByData(HWND list, LPARAM data, int start)
{
    LVFINDINFOA find = {};
    find.flags = LVFI_PARAM | (start >= 0 ? LVFI_WRAP : 0);
    find.lParam = data;
    return static_cast<int>(SendMessageA(list, LVM_FINDITEMA, start, reinterpret_cast<LPARAM>(&find)));
}

} // namespace

int CALLBACK CompareRows(LPARAM data1, LPARAM data2, LPARAM info)
{
    const SortInfo& sort = *reinterpret_cast<const SortInfo*>(info);
    const HWND list = sort.pane->GetSafeHwnd();
    const int row1 = FindRowByData(list, data1, -1);
    const int row2 = FindRowByData(list, data2, row1);
    const int result = CompareNoCase(RowText(list, row1, sort.column), RowText(list, row2, sort.column));
    return sort.ascending ? result : -result;
}

int ListAutoColumnWidth(HWND list, int column)
{
    int widest = 0;
    const int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) {
        const std::string text = RowText(list, row, column);
        const int width = static_cast<int>(SendMessageA(list, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(text.c_str())));
        if (width > widest)
            widest = width;
    }
    return widest + 32;
}

CMB15View::CMB15View(CMB15Doc& document) : CView(document) {}

CMB15View::~CMB15View()
{
    if (m_imageListSmall != nullptr)
        ImageList_Destroy(m_imageListSmall);
    if (m_imageListLarge != nullptr)
        ImageList_Destroy(m_imageListLarge);
    if (m_font != nullptr)
        DeleteObject(m_font);
}

DWORD CMB15View::PreCreateStyle(DWORD style)
{
    return style | LVS_SINGLESEL | LVS_AUTOARRANGE | LVS_EDITLABELS | WS_TABSTOP;
}

bool CMB15View::OnCreate()
{
    if (theItemPane == nullptr)
        theItemPane = this;
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    m_imageListSmall = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 1);
    m_imageListLarge = ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 2, 1);
    for (const int iconId : {162, 160}) {
        for (HIMAGELIST list : {m_imageListSmall, m_imageListLarge}) {
            const int size = list == m_imageListSmall ? 16 : 32;
            const HICON icon =
                static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(iconId), IMAGE_ICON, size, size, 0));
            if (list != nullptr && icon != nullptr)
                ImageList_AddIcon(list, icon);
            if (icon != nullptr)
                DestroyIcon(icon);
        }
    }
    SendMessageA(m_hWnd, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(m_imageListSmall));
    SendMessageA(m_hWnd, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(m_imageListLarge));

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

    m_font = CreateIconTitleFont();
    if (m_font != nullptr)
        SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), TRUE);
    return true;
}

void CMB15View::OnUpdate()
{
    // The rows are the current group's bookmarks; their refill comes with
    // the pane's own commands.
}

void CMB15View::SortRows(int column)
{
    m_sortInfo.pane = this;
    m_sortInfo.column = column;
    m_sortInfo.ascending = true;
    SendMessageA(m_hWnd, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&m_sortInfo), reinterpret_cast<LPARAM>(&CompareRows));
}

int CMB15View::AutoColumnWidth(int column) const
{
    return ListAutoColumnWidth(m_hWnd, column);
}

LRESULT CMB15View::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND)
        PaneColours(m_hWnd);
    return CView::WindowProc(message, wParam, lParam);
}
