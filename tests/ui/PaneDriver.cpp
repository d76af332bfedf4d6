// Reading and driving the panes' list-view controls as a user would.
#include "tests/ui/PaneDriver.h"
#include "tests/support/DocContent.h"

#include "tests/support/Fakes.h"
#include "ui/ListPane.h"

#include <commctrl.h>

std::vector<std::string> RowTexts(HWND list, int column)
{
    std::vector<std::string> texts;
    const int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) {
        char buffer[1024] = "";
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = buffer;
        item.cchTextMax = sizeof buffer;
        SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        texts.push_back(buffer);
    }
    return texts;
}

std::vector<LPARAM> RowIndices(HWND list)
{
    std::vector<LPARAM> indices;
    const int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row)
        indices.push_back(RowData(list, row));
    return indices;
}

int SelectedRow(HWND list)
{
    return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void ClickRow(HWND list, int row)
{
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

void EditLabel(HWND list, int row, const std::string& text, bool cancel)
{
    SetFocus(list);
    if (row >= 0)
        SendMessageA(list, LVM_EDITLABELA, row, 0);
    else
        SendMessageA(list, WM_KEYDOWN, VK_F2, 0);
    const HWND edit = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETEDITCONTROL, 0, 0));
    if (edit == nullptr)
        return;
    SetWindowTextA(edit, text.c_str());
    SendMessageA(edit, WM_KEYDOWN, cancel ? VK_ESCAPE : VK_RETURN, 0);
}

HWND OpenLabelEditByKey(HWND list)
{
    SetFocus(list);
    SendMessageA(list, WM_KEYDOWN, VK_F2, 0);
    return reinterpret_cast<HWND>(SendMessageA(list, LVM_GETEDITCONTROL, 0, 0));
}

void AppendAndConfirm(HWND edit, char letter)
{
    const int end = GetWindowTextLengthA(edit);
    SendMessageA(edit, EM_SETSEL, end, end);
    SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(letter), 0);
    SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
}

void CancelLabelEdit(HWND list)
{
    const HWND edit = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETEDITCONTROL, 0, 0));
    if (edit != nullptr)
        SendMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
}

void EditLabelAsWindows(HWND list, int row, const std::string& text)
{
    EditLabel(list, row, "", true);
    NMLVDISPINFOA end = {};
    end.hdr.hwndFrom = list;
    end.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(list));
    end.hdr.code = LVN_ENDLABELEDITA;
    end.item.iItem = row;
    end.item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(GetParent(list), WM_NOTIFY, end.hdr.idFrom, reinterpret_cast<LPARAM>(&end));
}

void ClickHeader(HWND list, int column)
{
    NMLISTVIEW click = {};
    click.hdr.hwndFrom = list;
    click.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(list));
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = column;
    SendMessageA(GetParent(list), WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
}

BookmarkItem Bookmark(const std::string& name, const std::string& url, const std::string& group,
                      const std::string& description)
{
    return MakeItem(name, url, group, description);
}

void Fill(CBookmarkDoc& document, const std::vector<std::string>& groups, const std::vector<BookmarkItem>& items,
          const std::string& currentGroup)
{
    SetGroups(document, groups);
    SetItems(document, items);
    document.SetCurrentGroup(currentGroup);
    document.UpdateAllViews(nullptr);
}

void RecordMenu(HMENU popup, POINT at, TrackedMenu& menu)
{
    menu.shown = true;
    menu.at = at;
    menu.ids.clear();
    for (int position = 0; position < GetMenuItemCount(popup); ++position) {
        HMENU sub = GetSubMenu(popup, position);
        const int count = sub != nullptr ? GetMenuItemCount(sub) : 1;
        for (int index = 0; index < count; ++index) {
            const UINT id = sub != nullptr ? GetMenuItemID(sub, index) : GetMenuItemID(popup, position);
            if (id == 0 || id == static_cast<UINT>(-1))
                continue;
            menu.ids.push_back(id);
            MENUITEMINFOA info = {};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE | MIIM_STATE;
            GetMenuItemInfoA(sub != nullptr ? sub : popup, id, FALSE, &info);
            if ((info.fType & MFT_RADIOCHECK) != 0 && (info.fState & MFS_CHECKED) != 0)
                menu.radioMarked = id;
        }
    }
    menu.defaultId = GetMenuDefaultItem(popup, FALSE, 0);
}
