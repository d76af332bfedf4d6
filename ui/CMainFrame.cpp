// The main frame: its command table, window handlers and commands on the collection.
#include "ui/CMainFrame.h"

#include "framework/AccessibleName.h"
#include "res/resource.h"
#include "settings/ColourScheme.h"
#include "settings/PaneColours.h"
#include "settings/Preferences.h"
#include "store/Backups.h"
#include "store/CBookmarkDoc.h"
#include "store/FileIO.h"
#include "store/FileOperation.h"
#include "store/Prompt.h"
#include "store/TextCompare.h"
#include "ui/CCheckLinksDlg.h"
#include "ui/CDuplicatesDlg.h"
#include "ui/CHistoryDlg.h"
#include "ui/CItemPane.h"
#include "ui/CQuickOpenDlg.h"
#include "ui/CQuickOpenKeyDlg.h"
#include "ui/CommandKeys.h"
#include "ui/CGroupPane.h"
#include "ui/CRestoreBackupDlg.h"
#include "ui/CUrlPropertiesSheet.h"

#include <commctrl.h>

#include <algorithm>

CMainFrame* theMainFrame = nullptr;

// Commands of later features have no row yet, so their items stay greyed.
const CommandRow<CMainFrame> CMainFrame::kCommands[] = {
    {ID_GROUP_ADD, ID_GROUP_ADD, &CMainFrame::OnGroupAdd, nullptr},
    {ID_GROUP_DELETE, ID_GROUP_DELETE, &CMainFrame::OnGroupDelete, &CMainFrame::OnUpdateHasGroups},
    {ID_GROUP_RENAME, ID_GROUP_RENAME, &CMainFrame::OnGroupRename, &CMainFrame::OnUpdateHasGroups},
    {ID_ITEM_DELETE, ID_ITEM_DELETE, &CMainFrame::OnItemDelete, &CMainFrame::OnUpdateHasItem},
    {ID_ITEM_RENAME, ID_ITEM_RENAME, &CMainFrame::OnItemRename, &CMainFrame::OnUpdateHasItem},
    {ID_ITEM_NEW_URL, ID_ITEM_NEW_URL, &CMainFrame::OnItemNew, &CMainFrame::OnUpdateHasGroups},
    {ID_ITEM_NEW_EMAIL, ID_ITEM_NEW_EMAIL, &CMainFrame::OnItemNew, &CMainFrame::OnUpdateHasGroups},
    {ID_ITEM_PROPERTIES, ID_ITEM_PROPERTIES, &CMainFrame::OnItemProperties, &CMainFrame::OnUpdateHasItem},
    {ID_SWITCH_PANE, ID_SWITCH_PANE, &CMainFrame::OnSwitchPane, nullptr},
    {ID_INDICATOR_URL, ID_INDICATOR_URL, nullptr, &CMainFrame::OnUpdateSelectionPane},
    {ID_VIEW_LARGE_ICONS, ID_VIEW_DETAILS, &CMainFrame::OnViewMode, nullptr},
    {ID_ARRANGE_BY_NAME, ID_ARRANGE_BY_URL, &CMainFrame::OnArrange, nullptr},
    {ID_PREF_DELETE_SOURCE, ID_PREF_DELETE_SOURCE, &CMainFrame::OnToggle, &CMainFrame::OnUpdateToggle},
    {ID_PREF_SAVE_LEFT_WIDTH, ID_PREF_SAVE_LEFT_WIDTH, &CMainFrame::OnToggle, &CMainFrame::OnUpdateToggle},
    {ID_PREF_QUICK_EDIT, ID_PREF_QUICK_EDIT, &CMainFrame::OnToggle, &CMainFrame::OnUpdateToggle},
    {ID_PREF_OPEN_LAST_FILE, ID_PREF_OPEN_LAST_FILE, &CMainFrame::OnToggle, &CMainFrame::OnUpdateToggle},
    {ID_PREF_ONE_INSTANCE, ID_PREF_ONE_INSTANCE, &CMainFrame::OnToggle, &CMainFrame::OnUpdateToggle},
    {ID_COLOUR_USE_SYSTEM, ID_COLOUR_USE_SYSTEM, &CMainFrame::OnColourToggle, &CMainFrame::OnUpdateToggle},
    {ID_COLOUR_USE_CUSTOM, ID_COLOUR_USE_CUSTOM, &CMainFrame::OnColourToggle, &CMainFrame::OnUpdateToggle},
    {ID_SCHEME_SPACE, ID_SCHEME_SEA, &CMainFrame::OnScheme, &CMainFrame::OnUpdateScheme},
    {ID_SCHEME_MEADOW, ID_SCHEME_MEADOW, &CMainFrame::OnScheme, &CMainFrame::OnUpdateScheme},
    {ID_COLOUR_BACKGROUND, ID_COLOUR_BACKGROUND, &CMainFrame::OnCustomColour, nullptr},
    {ID_COLOUR_FONT, ID_COLOUR_FONT, &CMainFrame::OnCustomColour, nullptr},
    {ID_ITEM_OPEN, ID_ITEM_OPEN, &CMainFrame::OnOpen, &CMainFrame::OnUpdateHasItem},
    {ID_ITEM_OPEN_NEW_WINDOW, ID_ITEM_OPEN_NEW_WINDOW, &CMainFrame::OnOpen, &CMainFrame::OnUpdateOpenNewWindow},
    {ID_OPEN_IN_MSIE, ID_OPEN_IN_NETSCAPE, &CMainFrame::OnOpenInBrowser, &CMainFrame::OnUpdateOpenInBrowser},
    {ID_OPEN_IN_CUSTOM, ID_OPEN_IN_CUSTOM, &CMainFrame::OnOpenInBrowser, &CMainFrame::OnUpdateOpenInBrowser},
    {ID_PREF_OPEN_EXISTING_WINDOW, ID_PREF_OPEN_NEW_WINDOW, &CMainFrame::OnDefaultAction, &CMainFrame::OnUpdateDefaultAction},
    {ID_PREF_CONFIGURE_BROWSERS, ID_PREF_CONFIGURE_BROWSERS, &CMainFrame::OnConfigureBrowsers, nullptr},
    {ID_PREF_QUICK_OPEN_KEY, ID_PREF_QUICK_OPEN_KEY, &CMainFrame::OnQuickOpenKey, nullptr},
    {ID_SEARCH_ALTAVISTA, ID_SEARCH_EUROSEEK, &CMainFrame::OnSearchEngine, nullptr},
    {ID_TRAY_ITEM_FIRST, ID_TRAY_ITEM_LAST, &CMainFrame::OnTrayItem, nullptr},
    {ID_IMPORT_LINKHIVE20, ID_IMPORT_LINKHIVE20, &CMainFrame::OnImportVersion20, nullptr},
    {ID_IMPORT_MARKBOX, ID_IMPORT_MARKBOX, &CMainFrame::OnImportMarkbox, nullptr},
    {ID_IMPORT_HTML, ID_IMPORT_HTML, &CMainFrame::OnImportHtml, nullptr},
    {ID_IMPORT_ADDRESS_BOOK, ID_IMPORT_ADDRESS_BOOK, &CMainFrame::OnImportAddressBook, nullptr},
    {ID_IMPORT_FOLDER, ID_IMPORT_FOLDER, &CMainFrame::OnImportFolder, nullptr},
    {ID_IMPORT_BROWSER_BOOKMARKS, ID_IMPORT_BROWSER_BOOKMARKS, &CMainFrame::OnImportBrowserBookmarks, nullptr},
    {ID_IMPORT_CHROMIUM, ID_IMPORT_CHROMIUM, &CMainFrame::OnImportChromium, nullptr},
    {ID_IMPORT_FIREFOX, ID_IMPORT_FIREFOX, &CMainFrame::OnImportFirefox, nullptr},
    {ID_IMPORT_XBEL, ID_IMPORT_XBEL, &CMainFrame::OnImportXbel, nullptr},
    {ID_FILE_SAVE_AS_HTML, ID_FILE_SAVE_AS_HTML, &CMainFrame::OnFileSaveAsHtml, &CMainFrame::OnUpdateHasGroups},
    {ID_FILE_EXPORT_BROWSER_BOOKMARKS, ID_FILE_EXPORT_BROWSER_BOOKMARKS, &CMainFrame::OnFileExportBrowserBookmarks,
     &CMainFrame::OnUpdateHasGroups},
    {ID_FILE_EXPORT_XBEL, ID_FILE_EXPORT_XBEL, &CMainFrame::OnFileExportXbel, &CMainFrame::OnUpdateHasGroups},
    {ID_FILE_EXPORT_CHROMIUM, ID_FILE_EXPORT_CHROMIUM, &CMainFrame::OnFileExportChromium, &CMainFrame::OnUpdateHasGroups},
    {ID_GROUP_SAVE_AS_HTML, ID_GROUP_SAVE_AS_HTML, &CMainFrame::OnGroupSaveAsHtml, &CMainFrame::OnUpdateHasGroups},
    {ID_ITEM_SAVE_AS_FILE, ID_ITEM_SAVE_AS_FILE, &CMainFrame::OnItemSaveAsFile, &CMainFrame::OnUpdateHasItem},
    {ID_EDIT_COPY, ID_EDIT_COPY, &CMainFrame::OnEditCopy, &CMainFrame::OnUpdateHasItem},
    {ID_ITEM_COPY_URL, ID_ITEM_COPY_URL, &CMainFrame::OnEditCopyUrl, &CMainFrame::OnUpdateHasItem},
    {ID_EDIT_CUT, ID_EDIT_CUT, &CMainFrame::OnEditCut, &CMainFrame::OnUpdateHasItem},
    {ID_EDIT_PASTE, ID_EDIT_PASTE, &CMainFrame::OnEditPaste, &CMainFrame::OnUpdateEditPaste},
    {ID_EDIT_UNDO, ID_EDIT_UNDO, &CMainFrame::OnEditUndo, &CMainFrame::OnUpdateEditUndo},
    {ID_TRAY_GROUP_FIRST, ID_TRAY_GROUP_LAST, &CMainFrame::OnTrayGroup, nullptr},
    {ID_TRAY_SHOW, ID_TRAY_SHOW, &CMainFrame::OnTrayShow, nullptr},
    {ID_PREF_MINIMISE_TO_TRAY, ID_PREF_MINIMISE_TO_TRAY, &CMainFrame::OnToggle, &CMainFrame::OnUpdateToggle},
    {ID_TOOLS_CHECK_LINKS, ID_TOOLS_CHECK_LINKS, &CMainFrame::OnCheckLinks, nullptr},
    {ID_EDIT_FIND, ID_EDIT_FIND, &CMainFrame::OnFind, nullptr},
    {ID_EDIT_FIND_NEXT, ID_EDIT_FIND_NEXT, &CMainFrame::OnFindNext, nullptr},
    {ID_TOOLS_DUPLICATES, ID_TOOLS_DUPLICATES, &CMainFrame::OnDuplicates, nullptr},
    {ID_EDIT_HISTORY, ID_EDIT_HISTORY, &CMainFrame::OnHistory, nullptr},
    {ID_FILE_RESTORE_BACKUP, ID_FILE_RESTORE_BACKUP, &CMainFrame::OnRestoreBackup, &CMainFrame::OnUpdateRestoreBackup},
    {ID_PREF_KEEP_BACKUPS, ID_PREF_KEEP_BACKUPS, &CMainFrame::OnToggle, &CMainFrame::OnUpdateToggle},
    {ID_FILE_MERGE_COLLECTION, ID_FILE_MERGE_COLLECTION, &CMainFrame::OnMergeCollection, nullptr},
};

namespace {

// The list-view view field for each view command, in command order.
const DWORD kViewStyles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};

// Finds the menu (of the bar or a submenu) holding `id`, and its position.
bool FindMenuItem(HMENU menu, UINT id, HMENU& holder, UINT& position)
{
    const int count = GetMenuItemCount(menu);
    for (int index = 0; index < count; ++index) {
        if (HMENU sub = GetSubMenu(menu, index)) {
            if (FindMenuItem(sub, id, holder, position))
                return true;
        } else if (GetMenuItemID(menu, index) == id) {
            holder = menu;
            position = static_cast<UINT>(index);
            return true;
        }
    }
    return false;
}

} // namespace

CMainFrame::CMainFrame(CBookmarkDoc& document, IProfile& profile) : m_document(document), m_profile(profile) {}

CMainFrame::~CMainFrame()
{
    if (m_hWnd != nullptr && IsWindow(m_hWnd))
        DestroyWindow(m_hWnd);
}

std::vector<CView*> CMainFrame::Panes() const
{
    std::vector<CView*> panes;
    if (m_groupPane)
        panes.push_back(m_groupPane.get());
    if (m_itemPane)
        panes.push_back(m_itemPane.get());
    return panes;
}

std::string CMainFrame::GetMessageString(UINT id)
{
    if (id == kIdleMessage && thePreferences.oneInstance)
        return m_document.GetPathName();
    return CFrameWnd::GetMessageString(id);
}

bool CMainFrame::OnCreateClient()
{
    ReadColourPreferences(m_profile, thePreferences);
    theColourSchemes.clear();
    BuildColourSchemes(theColourSchemes);
    if (!m_splitter.CreateStatic(m_hWnd, IDW_SPLITTER))
        return false;
    ReadPaneWidthPreferences(m_profile, thePreferences);
    m_groupPane = std::make_unique<CGroupPane>(m_document);
    m_itemPane = std::make_unique<CItemPane>(m_document);
    m_splitter.CreateView(0, m_groupPane.get(), ScaleForDpi(static_cast<int>(InitialLeftPaneWidth(thePreferences)), Dpi()));
    m_splitter.CreateView(1, m_itemPane.get(), 0);
    m_document.SetPanes(m_groupPane.get(), m_itemPane.get());
    SetAccessibleName(m_groupPane->GetSafeHwnd(), LoadResourceString(IDS_GROUP_PANE_NAME));
    SetAccessibleName(m_itemPane->GetSafeHwnd(), LoadResourceString(IDS_ITEM_PANE_NAME));
    return true;
}

bool CMainFrame::OnCreate()
{
    if (!CFrameWnd::OnCreate())
        return false;
    if (!CreateToolBar(IDW_TOOLBAR, IDR_MAINFRAME, {{24, IDB_TOOLBAR_24}, {32, IDB_TOOLBAR_32}}))
        return false;
    if (!CreateStatusBar(IDW_STATUS_BAR, {0, 0, ID_INDICATOR_URL}))
        return false;
    LayoutStatusPanes();
    SetStatusPaneText(1, LoadResourceString(IDS_INFO_PANE));
    ShowIdleText();
    RecalcLayout();

    ReadViewModePreference(m_profile, thePreferences);
    ApplyViewMode(ViewModeCommand(ViewModeOf(thePreferences.viewMode)));
    ReadOtherPreferences(m_profile, thePreferences);
    // Said once the window is up, not in the middle of making it.
    if (!RegisterQuickOpenKey(m_hWnd, thePreferences.quickOpenKey))
        PostMessageA(m_hWnd, WM_QUICK_OPEN_KEY_TAKEN, 0, 0);
    SetActiveView(m_groupPane.get(), false);
    theMainFrame = this;
    return true;
}

void CMainFrame::OnDestroy()
{
    // A check under way ends here: its workers are waited for, its window goes.
    // A dialog whose question the closing came under goes once it is answered.
    m_checkLinks.reset();
    m_findDlg.reset();
    m_duplicatesDlg.reset();
    m_historyDlg.reset();
    m_folderWatcher.Stop();
    m_quickOpenDlg.reset();
    UnregisterHotKey(m_hWnd, IDH_QUICK_OPEN);
    SavePreferences();
    m_trayIcon.TrayDelete();
}

void CMainFrame::OnEndSession()
{
    SavePreferences();
    CFrameWnd::OnEndSession();
}

void CMainFrame::SavePreferences()
{
    if (m_itemPane && m_itemPane->GetSafeHwnd() != nullptr)
        thePreferences.viewMode = ViewModeOfStyle(static_cast<uint32_t>(GetWindowLongA(m_itemPane->GetSafeHwnd(), GWL_STYLE)));
    // Kept as at 96 DPI, so that it reads the same on any monitor.
    thePreferences.leftPaneWidth = static_cast<uint32_t>(RescaleDpi(LeftPaneWidth(), Dpi(), kDefaultDpi));
    WritePreferences(m_profile, thePreferences);
}

int CMainFrame::LeftPaneWidth() const
{
    if (!m_groupPane || m_groupPane->GetSafeHwnd() == nullptr)
        return ScaleForDpi(static_cast<int>(InitialLeftPaneWidth(thePreferences)), Dpi());
    RECT rect;
    GetWindowRect(m_groupPane->GetSafeHwnd(), &rect);
    const int width = rect.right - rect.left;
    if (width <= 0 || IsIconic(m_hWnd) || !IsWindowVisible(m_hWnd))
        return m_splitter.LastShownWidth();
    return width;
}

void CMainFrame::LayoutStatusPanes()
{
    SetStatusPanes({ScaleForDpi(300, Dpi()), ScaleForDpi(30, Dpi()), -1});
}

void CMainFrame::OnDpiScaled(UINT, UINT newDpi)
{
    m_splitter.SetDpi(newDpi);
    LayoutStatusPanes();
}

static_assert(sizeof(WINDOWPLACEMENT) == 44, "window placement size");

void CMainFrame::OnSize(UINT type)
{
    CFrameWnd::OnSize(type);
    if (!thePreferences.trayIcon)
        return;
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    GetWindowPlacement(m_hWnd, &placement);
    if (placement.showCmd != SW_SHOWMINIMIZED) {
        if (placement.showCmd != SW_SHOWNORMAL)
            ShowWindow(m_hWnd, SW_SHOW);
        m_trayIcon.TrayHide();
        return;
    }
    if (!trayIconCreated) {
        // The notification area shows small icons at the system's DPI.
        const UINT dpi = SystemDpi();
        const HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TRAY),
                                                         IMAGE_ICON, SystemMetricForDpi(SM_CXSMICON, dpi),
                                                         SystemMetricForDpi(SM_CYSMICON, dpi), LR_SHARED));
        const std::string tooltip = LoadResourceString(IDS_APP_TITLE);
        if (!m_trayIcon.TrayCreate(m_hWnd, WM_TRAY_NOTIFY, tooltip.c_str(), icon, IDR_TRAY_MENU)) {
            m_document.Prompt().ShowMessage(LoadResourceString(IDS_TRAY_ICON_FAILED), MessageStyle::StopOk);
            SavePreferences();
        }
        m_trayIcon.TrayHide();
        m_trayIcon.SetDefaultEntry(ID_TRAY_SHOW, false);
        trayIconCreated = true;
    }
    // Hidden only behind an icon that can bring it back; without one the
    // window stays minimised on the taskbar.
    if (m_trayIcon.TrayShow())
        ShowWindow(m_hWnd, SW_HIDE);
}

std::vector<std::pair<UINT, UINT>> CMainFrame::CommandRanges()
{
    std::vector<std::pair<UINT, UINT>> ranges;
    for (const CommandRow<CMainFrame>& row : kCommands)
        ranges.emplace_back(row.first, row.last);
    return ranges;
}

bool CMainFrame::OnCommand(UINT id)
{
    return RouteCommand(this, kCommands, id) || CFrameWnd::OnCommand(id);
}

bool CMainFrame::OnUpdateCommand(CCmdUI& ui)
{
    return RouteUpdate(this, kCommands, ui) || CFrameWnd::OnUpdateCommand(ui);
}

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TRAY_NOTIFY:
        return m_trayIcon.HandleTrayMessage(wParam, lParam);
    case WM_GO_TO_BOOKMARK:
        GoToBookmark(static_cast<size_t>(wParam));
        return 0;
    case WM_HOTKEY:
        if (wParam == IDH_QUICK_OPEN)
            OnQuickOpen();
        return 0;
    case WM_QUICK_OPEN_BOOKMARK:
        OnQuickOpenBookmark(static_cast<size_t>(wParam), lParam);
        return 0;
    case WM_QUICK_OPEN_KEY_TAKEN:
        ReportQuickOpenKeyTaken(thePreferences.quickOpenKey);
        return 0;
    case WM_COPYDATA:
        return AcceptHandedFile(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case WM_OPEN_HANDED_FILE:
        OpenHandedFiles();
        return 0;
    case WM_BACKUP_FAILED:
        SetMessageText(LoadResourceString(IDS_BACKUP_FAILED));
        return 0;
    case WM_FOLDER_CHANGED:
        ScheduleCollectionCheck();
        return 0;
    case WM_CHECK_COLLECTION:
        CheckCollection();
        return 0;
    case WM_ACTIVATEAPP:
        if (wParam)
            ScheduleCollectionCheck();
        break;
    case WM_TIMER:
        if (wParam == IDT_CHECK_COLLECTION) {
            KillTimer(m_hWnd, IDT_CHECK_COLLECTION);
            m_collectionCheckDue = false;
            CheckCollection();
            return 0;
        }
        if (wParam != IDT_HANDED_FILE)
            break;
        KillTimer(m_hWnd, IDT_HANDED_FILE);
        OpenHandedFiles();
        return 0;
    }
    return CFrameWnd::WindowProc(message, wParam, lParam);
}

bool CMainFrame::AcceptHandedFile(const COPYDATASTRUCT& data)
{
    // Another program may send anything: a bounded path with no NUL inside.
    const size_t kMaxPath = 32767;
    if (data.dwData != COPYDATA_OPEN_FILE || data.lpData == nullptr || data.cbData == 0 || data.cbData > kMaxPath)
        return false;
    std::string path(static_cast<const char*>(data.lpData), data.cbData);
    if (path.back() == '\0')
        path.pop_back();
    if (path.empty() || path.find('\0') != std::string::npos)
        return false;
    m_handedFiles.push_back(path);
    // Opening may ask to save first: not inside the sender's SendMessage.
    PostMessageA(m_hWnd, WM_OPEN_HANDED_FILE, 0, 0);
    return true;
}

void CMainFrame::OpenHandedFiles()
{
    if (m_handedFiles.empty())
        return;
    if (IsIconic(m_hWnd) || !IsWindowVisible(m_hWnd))
        ShowWindow(m_hWnd, SW_RESTORE);
    SetForegroundWindow(m_hWnd);
    // A modal dialog or sheet works on the document: wait until it is gone.
    if (!IsWindowEnabled(m_hWnd)) {
        SetTimer(m_hWnd, IDT_HANDED_FILE, 250, nullptr);
        return;
    }
    for (CView* pane : Panes())
        pane->EndLabelEdit();
    while (!m_handedFiles.empty()) {
        const std::string path = m_handedFiles.front();
        m_handedFiles.pop_front();
        CWinApp::Current()->OpenChosenFile(path);
    }
}

void CMainFrame::ApplyViewMode(UINT id)
{
    if (id < ID_VIEW_LARGE_ICONS || id > ID_VIEW_DETAILS || !m_itemPane)
        return;
    const HWND list = m_itemPane->GetSafeHwnd();
    m_itemPane->SetView(kViewStyles[id - ID_VIEW_LARGE_ICONS]);

    HMENU holder = nullptr;
    UINT position = 0;
    if (FindMenuItem(GetMenu(m_hWnd), id, holder, position)) {
        const UINT first = position - (id - ID_VIEW_LARGE_ICONS);
        CheckMenuRadioItem(holder, first, first + 3, position, MF_BYPOSITION);
    }
    for (UINT command = ID_VIEW_LARGE_ICONS; command <= ID_VIEW_DETAILS; ++command)
        CheckToolButton(command, command == id);

    for (int column = 0; column < 2; ++column)
        SendMessageA(list, LVM_SETCOLUMNWIDTH, column, m_itemPane->AutoColumnWidth(column));
}

void CMainFrame::RedrawPanes()
{
    for (CView* pane : Panes()) {
        if (pane->GetSafeHwnd() != nullptr)
            RedrawWindow(pane->GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
}

void CMainFrame::OnGroupAdd(UINT)
{
    m_document.AddGroup();
    m_groupPane->BeginRename();
}

void CMainFrame::OnGroupDelete(UINT)
{
    if (!m_document.DeleteGroup())
        return;
    // A deleted name left current would file the next new bookmark under a
    // group that no longer exists.
    m_document.SetCurrentGroup(m_document.FirstGroupInPaneOrder());
}

void CMainFrame::OnGroupRename(UINT)
{
    m_groupPane->BeginRename();
}

void CMainFrame::OnUpdateHasGroups(CCmdUI& ui)
{
    ui.Enable(!m_document.Groups().empty());
}

void CMainFrame::OnItemDelete(UINT)
{
    m_document.DeleteItem();
}

void CMainFrame::OnItemRename(UINT)
{
    m_itemPane->BeginRename();
}

void CMainFrame::OnItemNew(UINT id)
{
    CreateBookmark(m_document, m_hWnd, NewBookmarkPlaceholder(id == ID_ITEM_NEW_EMAIL));
}

void CMainFrame::OnItemProperties(UINT)
{
    EditBookmark(m_document, m_hWnd);
}

void CMainFrame::OnUpdateHasItem(CCmdUI& ui)
{
    ui.Enable(SendMessageA(m_itemPane->GetSafeHwnd(), LVM_GETSELECTEDCOUNT, 0, 0) != 0);
}

void CMainFrame::OnSwitchPane(UINT)
{
    if (GetActiveView() == m_groupPane.get())
        SetActiveView(m_itemPane.get(), true);
    else if (GetActiveView() == m_itemPane.get())
        SetActiveView(m_groupPane.get(), true);
}

void CMainFrame::OnUpdateSelectionPane(CCmdUI& ui)
{
    const CurrentSelection& selection = m_document.Selection();
    ui.Enable();
    ui.SetText(selection.itemDescription.empty() ? selection.itemURL : selection.itemDescription);
}

void CMainFrame::OnViewMode(UINT id)
{
    ApplyViewMode(id);
}

void CMainFrame::OnArrange(UINT id)
{
    m_itemPane->SortRows(id == ID_ARRANGE_BY_NAME ? 0 : 1);
}

void CMainFrame::OnToggle(UINT id)
{
    Toggle toggle;
    if (ToggleOfCommand(id, toggle))
        FlipToggle(thePreferences, toggle);
    if (id == ID_PREF_ONE_INSTANCE)
        ShowIdleText();
}

void CMainFrame::OnUpdateToggle(CCmdUI& ui)
{
    Toggle toggle;
    ui.Enable();
    ui.SetCheck(ToggleOfCommand(ui.id, toggle) && ToggleOn(thePreferences, toggle));
}

void CMainFrame::OnColourToggle(UINT id)
{
    OnToggle(id);
    RedrawPanes();
}

void CMainFrame::OnScheme(UINT id)
{
    const int scheme = SchemeOfCommand(id);
    if (scheme < 0)
        return;
    thePreferences.scheme = static_cast<uint32_t>(scheme);
    RedrawPanes();
}

void CMainFrame::OnUpdateScheme(CCmdUI& ui)
{
    ui.Enable(SchemeOfCommand(ui.id) >= 0);
    ui.SetRadio(ui.id == SchemeCommand(MarkedScheme(thePreferences)));
}

void CMainFrame::OnCustomColour(UINT id)
{
    if (ChooseCustomColour(m_document.Prompt(), thePreferences, theColourSchemes, CurrentSystemColours(),
                           id == ID_COLOUR_BACKGROUND))
        RedrawPanes();
}

void CMainFrame::OnCheckLinks(UINT)
{
    if (m_checkLinks && m_checkLinks->GetSafeHwnd() != nullptr) {
        ShowWindow(m_checkLinks->GetSafeHwnd(), SW_RESTORE);
        SetActiveWindow(m_checkLinks->GetSafeHwnd());
        return;
    }
    m_checkLinks.reset(new CCheckLinksDlg(m_hWnd, m_document, m_linkCheckLimits));
    if (!m_checkLinks->Create())
        m_checkLinks.reset();
}

bool CMainFrame::GoToBookmark(size_t index)
{
    if (index >= m_document.Items().size() || !m_itemPane)
        return false;
    const std::string group = m_document.Items()[index].m_strGroup;
    if (!TextEqual(m_document.Selection().currentGroup, group)) {
        // The group as the group pane names it, when it lists it.
        const auto listed = std::find_if(m_document.Groups().begin(), m_document.Groups().end(),
                                         [&group](const std::string& name) { return TextEqual(name, group); });
        m_document.SetCurrentGroup(listed != m_document.Groups().end() ? *listed : group);
    }
    if (!m_itemPane->SelectBookmark(index))
        return false;
    SendMessageA(m_groupPane->GetSafeHwnd(), LVM_ENSUREVISIBLE, m_groupPane->CurrentGroupRow(), FALSE);
    if (IsIconic(m_hWnd) || !IsWindowVisible(m_hWnd))
        ShowWindow(m_hWnd, SW_RESTORE);
    SetActiveView(m_itemPane.get(), true);
    return true;
}

void CMainFrame::OnFind(UINT)
{
    if (!m_findDlg)
        m_findDlg.reset(new CFindDlg(m_hWnd, m_document, m_lastSearch));
    if (m_findDlg->Open())
        m_findDlg->FocusText();
}

void CMainFrame::OnFindNext(UINT)
{
    if (m_findDlg)
        m_findDlg->SearchTypedText();
    if (!m_lastSearch.made) {
        OnFind(ID_EDIT_FIND);
        return;
    }
    const LPARAM selected = m_itemPane->RowStoreIndex(m_itemPane->SelectedRow());
    const std::string group = m_document.Selection().currentGroup;
    const size_t next =
        FindNextBookmark(m_document.Content(), TextSearch(m_lastSearch.text), selected >= 0 ? static_cast<size_t>(selected) : kNoBookmark,
                         m_lastSearch.currentGroupOnly ? &group : nullptr);
    if (next == kNoBookmark || !GoToBookmark(next)) {
        MessageBeep(MB_OK);
        return;
    }
    if (m_findDlg && m_findDlg->IsOpen())
        m_findDlg->ShowResult(next);
}

void CMainFrame::OnHistory(UINT)
{
    if (!m_historyDlg)
        m_historyDlg.reset(new CHistoryDlg(m_hWnd, m_document));
    m_historyDlg->Open();
}

void CMainFrame::OnDuplicates(UINT)
{
    if (!m_duplicatesDlg)
        m_duplicatesDlg.reset(new CDuplicatesDlg(m_hWnd, m_document));
    m_duplicatesDlg->Open();
}

void CMainFrame::OnRestoreBackup(UINT)
{
    CRestoreBackupDlg dialog(m_hWnd, BackupShelf(m_document.GetPathName()).List());
    if (dialog.DoModal() != IDOK)
        return;
    // Read before the question about saving: a backup that cannot be read
    // leaves the collection as it is, and the save's own backup may rotate
    // the chosen one away.
    const std::string path = dialog.ChosenPath();
    StoreContent content;
    const auto read = [&] {
        InputFile file(path);
        ReadDataFile(file, content);
    };
    if (!RunFileOperation(m_document.Prompt(), path, FileReport::DocumentOpen, read))
        return;
    CWinApp* app = CWinApp::Current();
    if (app != nullptr && !app->SaveAllModified())
        return;
    // Untitled and unchanged, as a new collection: a save asks where it goes.
    m_document.OnNewDocument();
    m_document.ImportCollection(std::move(content));
    m_document.SetModifiedFlag(false);
    UpdateTitle(m_document.GetTitle());
    SetActiveView(m_groupPane.get(), true);
}

void CMainFrame::OnUpdateRestoreBackup(CCmdUI& ui)
{
    ui.Enable(!m_document.GetPathName().empty());
}
