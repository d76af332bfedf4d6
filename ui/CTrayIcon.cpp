// The tray icon and its menu.
#include "ui/CTrayIcon.h"

#include "framework/CWinApp.h"
#include "framework/ResourceString.h"
#include "res/resource.h"
#include "store/CBookmarkDoc.h"
#include "store/TextFormat.h"
#include "ui/CGroupPane.h"
#include "ui/CItemPane.h"
#include "ui/CMainFrame.h"

#include <cstddef>
#include <string>
#include <vector>

namespace {

// The four entries that go when there are no groups: "&Group", a separator,
// "Default &Action for URLs" and the separator after it.
const int kGroupEntries = 4;
const UINT kNoCommand = 0;

struct MenuEntry {
    std::string text;
    UINT command;  // kNoCommand: the grey count of rows left out
};

// A pane's rows in row order, named as the store names them (a row's own
// text may be cut short). A range holds kMaxEntries commands; when the rows
// need more, the last entry counts those left out instead.
std::vector<MenuEntry> RowEntries(const ListPane* pane, UINT firstCommand)
{
    std::vector<MenuEntry> entries;
    if (pane == nullptr || pane->GetSafeHwnd() == nullptr)
        return entries;
    const HWND list = pane->GetSafeHwnd();
    SortInfo names = pane->Sorting();
    names.column = 0;
    const int rows = RowCount(list);
    const int listed = rows > CTrayIcon::kMaxEntries ? CTrayIcon::kMaxEntries - 1 : rows;
    for (int row = 0; row < listed; ++row)
        entries.push_back({RowStoreText(names, RowData(list, row)), firstCommand + static_cast<UINT>(row)});
    if (listed < rows) {
        entries.push_back(
            {FormatText(LoadResourceString(IDS_TRAY_MORE), {std::to_string(rows - listed)}), kNoCommand});
    }
    return entries;
}

// Menus take '&' as the mark of a mnemonic; doubled, it shows as itself.
std::string MenuText(const std::string& name)
{
    std::string text;
    for (const char c : name) {
        text += c;
        if (c == '&')
            text += '&';
    }
    return text;
}

void PutEntry(HMENU menu, UINT position, const MenuEntry& entry, bool checked, bool replace)
{
    UINT flags = MF_BYPOSITION | MF_STRING;
    if (entry.command == kNoCommand)
        flags |= MF_GRAYED;
    if (checked)
        flags |= MF_CHECKED;
    const std::string text = MenuText(entry.text);
    if (replace)
        ModifyMenuA(menu, position, flags, entry.command, text.c_str());
    else
        InsertMenuA(menu, position, flags, entry.command, text.c_str());
}

// The menu resource numbered as the icon, with its one popup; null (and no
// menu left over) when either is missing.
HMENU LoadTrayMenu(UINT iconId, HMENU& popup)
{
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(LOWORD(iconId)));
    popup = menu != nullptr ? GetSubMenu(menu, 0) : nullptr;
    if (popup == nullptr && menu != nullptr) {
        DestroyMenu(menu);
        menu = nullptr;
    }
    return menu;
}

// The first version's record ends with a 64-character tip: 88 bytes in the
// 32-bit program, 104 in the 64-bit one. The shell reads no further.
constexpr size_t kV1TipSize = NOTIFYICONDATAA_V1_SIZE - offsetof(NOTIFYICONDATAA, szTip);
static_assert(NOTIFYICONDATAA_V1_SIZE == (sizeof(void*) == 4 ? 88 : 104), "tray record size");
static_assert(kV1TipSize == 64, "tray tip size");

UINT TaskbarCreatedMessage()
{
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

}  // namespace

CTrayIcon::~CTrayIcon()
{
    TrayDelete();
    if (m_hWnd != nullptr)
        DestroyWindow(m_hWnd);
}

bool CTrayIcon::TrayCreate(HWND owner, UINT callbackMessage, const char* tooltip, HICON icon, UINT id)
{
    const std::string trayClass = AppWindowClass("Tray");
    if (m_hWnd == nullptr && RegisterWindowClass(trayClass.c_str(), nullptr, nullptr, nullptr)) {
        const RECT rect = {0, 0, 10, 10};
        CreateEx(0, trayClass.c_str(), "", WS_POPUP, rect, nullptr, nullptr);
    }
    m_iconData = {};
    // The first version's record: every shell takes it.
    m_iconData.cbSize = NOTIFYICONDATAA_V1_SIZE;
    m_iconData.hWnd = owner != nullptr ? owner : m_hWnd;
    m_iconData.uID = id;
    m_iconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_iconData.uCallbackMessage = callbackMessage;
    m_iconData.hIcon = icon;
    lstrcpynA(m_iconData.szTip, tooltip, kV1TipSize);
    m_bEnabled = m_iconData.hWnd != nullptr && Shell_NotifyIconA(NIM_ADD, &m_iconData);
    m_bHidden = false;
    return m_bEnabled;
}

void CTrayIcon::TrayDelete()
{
    if (!m_bEnabled)
        return;
    m_iconData.uFlags = 0;
    Shell_NotifyIconA(NIM_DELETE, &m_iconData);
    m_bEnabled = false;
}

void CTrayIcon::TrayHide()
{
    if (!m_bEnabled || m_bHidden)
        return;
    m_iconData.uFlags = NIF_ICON;
    Shell_NotifyIconA(NIM_DELETE, &m_iconData);
    m_bHidden = true;
}

bool CTrayIcon::TrayShow()
{
    if (m_bEnabled && m_bHidden) {
        m_iconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        if (Shell_NotifyIconA(NIM_ADD, &m_iconData))
            m_bHidden = false;
    }
    return IsInTray();
}

bool CTrayIcon::SetDefaultEntry(UINT entry, bool byPosition)
{
    if (entry == m_defaultEntry && byPosition == m_defaultByPosition)
        return true;
    m_defaultEntry = entry;
    m_defaultByPosition = byPosition;
    // The menu is built afresh for each click; here it only has to exist.
    HMENU popup = nullptr;
    const HMENU menu = LoadTrayMenu(m_iconData.uID, popup);
    if (menu == nullptr)
        return false;
    DestroyMenu(menu);
    return true;
}

LRESULT CTrayIcon::HandleTrayMessage(WPARAM id, LPARAM mouseMessage)
{
    if (id != m_iconData.uID)
        return 0;
    CWinApp* app = CWinApp::Current();
    auto* frame = app != nullptr ? dynamic_cast<CMainFrame*>(app->MainFrame()) : nullptr;
    const HWND target = frame != nullptr ? frame->GetSafeHwnd() : nullptr;
    if (target == nullptr)
        return 0;
    switch (mouseMessage) {
    case WM_LBUTTONDBLCLK: {
        UINT command = m_defaultEntry;
        if (m_defaultByPosition) {
            HMENU popup = nullptr;
            const HMENU menu = LoadTrayMenu(m_iconData.uID, popup);
            if (menu == nullptr)
                return 0;
            command = GetMenuItemID(popup, static_cast<int>(m_defaultEntry));
            DestroyMenu(menu);
        }
        SetForegroundWindow(target);
        SendMessageA(target, WM_COMMAND, command, 0);
        return 1;
    }
    case WM_RBUTTONUP:
        return ShowMenu(*frame) ? 1 : 0;
    }
    return 1;
}

bool CTrayIcon::ShowMenu(CMainFrame& frame)
{
    HMENU popup = nullptr;
    const HMENU menu = LoadTrayMenu(m_iconData.uID, popup);
    if (menu == nullptr)
        return false;

    const std::vector<MenuEntry> items = RowEntries(frame.ItemPane(), ID_TRAY_ITEM_FIRST);
    const UINT itemCount = static_cast<UINT>(items.size());
    for (UINT position = 0; position < itemCount; ++position)
        PutEntry(popup, position, items[position], false, false);
    if (itemCount != 0)
        InsertMenuA(popup, itemCount, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);

    const UINT groupPosition = itemCount != 0 ? itemCount + 1 : 0;
    const std::vector<MenuEntry> groups = RowEntries(frame.GroupPane(), ID_TRAY_GROUP_FIRST);
    if (groups.empty()) {
        for (int entry = 0; entry < kGroupEntries; ++entry)
            DeleteMenu(popup, groupPosition, MF_BYPOSITION);
    } else {
        const HMENU groupMenu = GetSubMenu(popup, static_cast<int>(groupPosition));
        const std::string& current = frame.Document().Selection().currentGroup;
        for (UINT position = 0; position < groups.size(); ++position) {
            const MenuEntry& group = groups[position];
            // Letter case counts here: of "Work" and "work" only one is current.
            const bool checked = group.command != kNoCommand && group.text == current;
            PutEntry(groupMenu, position, group, checked, position == 0);
        }
    }
    SetMenuDefaultItem(popup, m_defaultEntry, m_defaultByPosition);

    // Made foreground, the window lets the menu close when the user clicks
    // elsewhere; the message after it lets a second click open it again.
    POINT cursor = {0, 0};
    GetCursorPos(&cursor);
    SetForegroundWindow(frame.GetSafeHwnd());
    frame.TrackPopup(popup, cursor, TPM_LEFTALIGN | TPM_LEFTBUTTON);
    PostMessageA(frame.GetSafeHwnd(), WM_NULL, 0, 0);
    DestroyMenu(menu);
    return true;
}

LRESULT CTrayIcon::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == m_iconData.uCallbackMessage && m_iconData.hWnd == m_hWnd)
        return HandleTrayMessage(wParam, lParam);
    // A restarted shell has forgotten every icon; ours comes back if shown.
    if (message == TaskbarCreatedMessage()) {
        if (IsInTray()) {
            m_iconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
            Shell_NotifyIconA(NIM_ADD, &m_iconData);
        }
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
