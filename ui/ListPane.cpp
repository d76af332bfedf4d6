#include "ui/ListPane.h"

#include "framework/CFrameWnd.h"
#include "framework/IconTitleFont.h"
#include "settings/PaneColours.h"
#include "settings/Preferences.h"
#include "store/CBookmarkDoc.h"

void PaneColours(HWND list)
{
    const PaneColourPair colours = ChoosePaneColours(thePreferences, theColourSchemes, CurrentSystemColours());
    SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, colours.background);
    SendMessageA(list, LVM_SETBKCOLOR, 0, colours.background);
    SendMessageA(list, LVM_SETTEXTCOLOR, 0, colours.text);
}

ListPane::ListPane(CBookmarkDoc& document) : CView(document), m_store(document)
{
    m_sortInfo.document = &document;
}

ListPane::~ListPane()
{
    // Image lists are the control's: without LVS_SHAREIMAGELISTS the control
    // destroys them with its window, so they are not destroyed here again.
    if (m_font != nullptr)
        DeleteObject(m_font);
}

bool ListPane::OnCreate()
{
    m_font = CreateIconTitleFont();
    if (m_font != nullptr)
        SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), TRUE);
    return true;
}

HIMAGELIST ListPane::LoadImageList(std::initializer_list<int> iconIds, int size)
{
    const HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, static_cast<int>(iconIds.size()), 0);
    if (list == nullptr)
        return nullptr;
    for (const int iconId : iconIds) {
        const HICON icon = static_cast<HICON>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconId), IMAGE_ICON, size, size, 0));
        if (icon != nullptr) {
            ImageList_AddIcon(list, icon);
            DestroyIcon(icon);
        }
    }
    return list;
}

LPARAM ListPane::RowStoreIndex(int row) const
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageA(m_hWnd, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return -1;
    return item.lParam;
}

int ListPane::RowOfStoreIndex(LPARAM index) const
{
    LVFINDINFOA find = {};
    find.flags = LVFI_PARAM;
    find.lParam = index;
    return static_cast<int>(SendMessageA(m_hWnd, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

void ListPane::BeginRefill()
{
    m_refilling = true;
    SendMessageA(m_hWnd, WM_SETREDRAW, FALSE, 0);
}

void ListPane::EndRefill()
{
    SendMessageA(m_hWnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_hWnd, nullptr, TRUE);
    m_refilling = false;
}

void ListPane::SortBySortInfo()
{
    SendMessageA(m_hWnd, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&m_sortInfo), reinterpret_cast<LPARAM>(&CompareRows));
}

void ListPane::TrackContextMenu(HMENU popup, LPARAM lParam)
{
    if (CFrameWnd* frame = CFrameWnd::FromHandle(GetAncestor(m_hWnd, GA_ROOT)))
        frame->TrackPopup(popup, ContextMenuPoint(m_hWnd, lParam));
}

bool ListPane::OnNotify(NMHDR* header, LRESULT& result)
{
    if (header->code == LVN_ENDLABELEDITA || header->code == LVN_ENDLABELEDITW) {
        // 0 refuses the control's own change; the refilled row shows the name.
        result = 0;
        std::string text;
        if (EditedLabelText(header, text))
            OnLabelEdited(text);
        else
            OnLabelEditCancelled();
        return true;
    }
    return OnPaneNotify(header, result);
}

LRESULT ListPane::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
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
            OnRenameKey();
        break;
    }
    return CView::WindowProc(message, wParam, lParam);
}
