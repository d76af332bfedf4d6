#include "ui/CMyList.h"

#include "settings/PaneColours.h"
#include "settings/Preferences.h"
#include "store/CMB15Doc.h"

CMyList* theGroupPane = nullptr;

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

CMyList::CMyList(CMB15Doc& document) : CView(document) {}

CMyList::~CMyList()
{
    if (m_imageList != nullptr)
        ImageList_Destroy(m_imageList);
    if (m_font != nullptr)
        DeleteObject(m_font);
}

DWORD CMyList::PreCreateStyle(DWORD style)
{
    return style | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_AUTOARRANGE | LVS_EDITLABELS |
           LVS_NOCOLUMNHEADER | WS_TABSTOP;
}

bool CMyList::OnCreate()
{
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    m_imageList = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
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

void CMyList::OnUpdate()
{
    // The rows are the groups of the document; their refill comes with the
    // pane's own commands.
}

LRESULT CMyList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND)
        PaneColours(m_hWnd);
    return CView::WindowProc(message, wParam, lParam);
}
