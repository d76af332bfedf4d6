// The frame window: menu, toolbar, status bar, command routing.
#include "framework/CFrameWnd.h"

#include "framework/CView.h"
#include "framework/CWinApp.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>

namespace {

// The sizes the program hands the controls, as 32-bit and 64-bit Windows lay them out.
static_assert(sizeof(TBBUTTON) == (sizeof(void*) == 4 ? 20 : 32), "toolbar button size");
static_assert(sizeof(MENUITEMINFOA) == (sizeof(void*) == 4 ? 48 : 80), "menu item record size");

using Row = CommandRow<CFrameWnd>;

// The light grey of a toolbar strip shows as the button's face.
const COLORREF kStripBackground = RGB(192, 192, 192);

} // namespace

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd()
{
    if (m_hWnd != nullptr && IsWindow(m_hWnd))
        DestroyWindow(m_hWnd);
}

CFrameWnd* CFrameWnd::FromHandle(HWND hwnd)
{
    return dynamic_cast<CFrameWnd*>(FromHandlePermanent(hwnd));
}

bool CFrameWnd::LoadFrame(UINT resourceId)
{
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    const std::string frameClass = AppWindowClass("Frame");
    if (!RegisterWindowClass(frameClass.c_str(), LoadIconA(instance, MAKEINTRESOURCEA(resourceId)),
                             LoadCursor(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)))
        return false;
    DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | kAddToTitle;
    PreCreateWindow(style);
    m_addToTitle = (style & kAddToTitle) != 0;
    style &= ~kAddToTitle;
    m_accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(resourceId));
    const HMENU menu = LoadMenuA(instance, MAKEINTRESOURCEA(resourceId));
    const std::string title = AppName();
    const UINT dpi = SystemDpi();
    const RECT rect = {CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT + ScaleForDpi(640, dpi),
                       CW_USEDEFAULT + ScaleForDpi(420, dpi)};
    if (!CreateEx(0, frameClass.c_str(), title.c_str(), style, rect, nullptr, menu)) {
        if (menu != nullptr)
            DestroyMenu(menu);
        return false;
    }
    return true;
}

bool CFrameWnd::OnCreate()
{
    m_dpi = WindowDpi(m_hWnd);
    return OnCreateClient();
}

void CFrameWnd::SetActiveView(CView* view, bool focus)
{
    m_activeView = view;
    if (focus && view != nullptr && view->GetSafeHwnd() != nullptr)
        SetFocus(view->GetSafeHwnd());
}

bool CFrameWnd::TranslateAccelerators(MSG& msg)
{
    if (m_hWnd == nullptr || m_accelerators == nullptr)
        return false;
    for (CView* pane : Panes()) {
        if (pane->IsEditingLabel())
            return false;
    }
    return TranslateAcceleratorW(m_hWnd, m_accelerators, &msg) != 0;
}

void CFrameWnd::TrackPopup(HMENU popup, POINT screen, UINT flags)
{
    if (popupTracker)
        popupTracker(popup, screen);
    else
        TrackPopupMenu(popup, flags, screen.x, screen.y, 0, m_hWnd, nullptr);
}

void CFrameWnd::UpdateTitle(const std::string& documentTitle)
{
    const std::string appTitle = AppName();
    const std::string title = m_addToTitle ? documentTitle + " - " + appTitle : appTitle;
    SetWindowTextA(m_hWnd, title.c_str());
    // With the path as idle text, a new name shows there too.
    ShowIdleText();
}

const Row CFrameWnd::kFrameCommands[2] = {
    {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, &CFrameWnd::OnViewBar, &CFrameWnd::OnUpdateViewBar},
    {ID_NEXT_PANE, ID_PREV_PANE, &CFrameWnd::OnNextPane, nullptr},
};

bool CFrameWnd::OnCommand(UINT id)
{
    if (RouteCommand(this, kFrameCommands, id))
        return true;
    CWinApp* app = CWinApp::Current();
    return app != nullptr && app->OnCommand(id);
}

bool CFrameWnd::OnUpdateCommand(CCmdUI& ui)
{
    if (RouteUpdate(this, kFrameCommands, ui))
        return true;
    CWinApp* app = CWinApp::Current();
    return app != nullptr && app->OnUpdateCommand(ui);
}

bool CFrameWnd::ExecuteCommand(UINT id)
{
    // A command disabled since its menu or button was drawn does not run.
    if (!QueryCommand(id).enabled)
        return false;
    return OnCommand(id);
}

CCmdUI CFrameWnd::QueryCommand(UINT id)
{
    CCmdUI ui;
    ui.id = id;
    if (!OnUpdateCommand(ui))
        ui.enabled = false;
    return ui;
}

void CFrameWnd::ApplyToMenuItem(HMENU menu, UINT position, const CCmdUI& ui)
{
    EnableMenuItem(menu, position, MF_BYPOSITION | (ui.enabled ? MF_ENABLED : MF_GRAYED));
    if (ui.check < 0)
        return;
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    if (!GetMenuItemInfoA(menu, position, TRUE, &info))
        return;
    info.fType = ui.radio ? (info.fType | MFT_RADIOCHECK) : (info.fType & ~MFT_RADIOCHECK);
    info.fState = ui.check > 0 ? (info.fState | MFS_CHECKED) : (info.fState & ~MFS_CHECKED);
    SetMenuItemInfoA(menu, position, TRUE, &info);
}

void CFrameWnd::UpdateMenu(HMENU menu)
{
    if (CWinApp* app = CWinApp::Current())
        app->PrepareMenu(menu);
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        const UINT id = GetMenuItemID(menu, position);
        // Popups (-1) stay enabled; separators have id 0.
        if (id == 0 || id == static_cast<UINT>(-1))
            continue;
        ApplyToMenuItem(menu, static_cast<UINT>(position), QueryCommand(id));
    }
}

void CFrameWnd::OnIdleUpdate()
{
    if (m_toolBar != nullptr && IsWindowVisible(m_toolBar)) {
        const int count = static_cast<int>(SendMessageA(m_toolBar, TB_BUTTONCOUNT, 0, 0));
        for (int index = 0; index < count; ++index) {
            TBBUTTON button = {};
            SendMessageA(m_toolBar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button));
            if ((button.fsStyle & BTNS_SEP) != 0)
                continue;
            const CCmdUI ui = QueryCommand(button.idCommand);
            SendMessageA(m_toolBar, TB_ENABLEBUTTON, button.idCommand, MAKELONG(ui.enabled, 0));
            if (ui.check >= 0)
                SendMessageA(m_toolBar, TB_CHECKBUTTON, button.idCommand, MAKELONG(ui.check > 0, 0));
        }
    }
    if (m_statusBar != nullptr) {
        for (size_t pane = 0; pane < m_indicators.size(); ++pane) {
            if (m_indicators[pane] == 0)
                continue;
            const CCmdUI ui = QueryCommand(m_indicators[pane]);
            if (ui.hasText)
                SetStatusPaneText(static_cast<int>(pane), ui.text);
        }
    }
}

std::string CFrameWnd::GetMessageString(UINT id)
{
    const std::string text = LoadResourceString(id);
    return text.substr(0, text.find('\n'));
}

void CFrameWnd::SetMessageText(const std::string& text)
{
    SetStatusPaneText(0, text);
}

void CFrameWnd::SetStatusPaneText(int pane, const std::string& text)
{
    if (m_statusBar == nullptr || pane < 0 || static_cast<size_t>(pane) >= m_statusTexts.size())
        return;
    if (m_statusTexts[pane] == text)
        return;
    m_statusTexts[pane] = text;
    const WPARAM style = pane == 0 ? SBT_NOBORDERS : 0;
    SendMessageA(m_statusBar, SB_SETTEXTA, static_cast<WPARAM>(pane) | style, reinterpret_cast<LPARAM>(text.c_str()));
}

bool CFrameWnd::CreateToolBar(UINT id, UINT resourceId, std::initializer_list<ToolBarStrip> largerStrips)
{
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    // The layout: WORDs version, width, height, count, then the commands.
    const HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(RT_TOOLBAR_LAYOUT));
    const HGLOBAL loaded = found != nullptr ? LoadResource(instance, found) : nullptr;
    const WORD* layout = loaded != nullptr ? static_cast<const WORD*>(LockResource(loaded)) : nullptr;
    const DWORD size = found != nullptr ? SizeofResource(instance, found) : 0;
    if (layout == nullptr || size < 8 || layout[0] != 1 || size < 8u + 2u * layout[3])
        return false;
    m_toolBar = CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                                WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP | CCS_NODIVIDER, 0, 0,
                                0, 0, m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), instance, nullptr);
    if (m_toolBar == nullptr)
        return false;
    SendMessageA(m_toolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    m_toolBarStrips.assign(1, {layout[1], resourceId});
    m_toolBarStrips.insert(m_toolBarStrips.end(), largerStrips.begin(), largerStrips.end());
    std::vector<TBBUTTON> buttons;
    int image = 0;
    for (WORD index = 0; index < layout[3]; ++index) {
        TBBUTTON button = {};
        button.idCommand = layout[4 + index];
        if (button.idCommand == 0) {
            button.fsStyle = BTNS_SEP;
        } else {
            button.iBitmap = image++;
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = BTNS_BUTTON;
        }
        buttons.push_back(button);
    }
    SetToolBarImages();
    if (m_toolBarImages == nullptr || ImageList_GetImageCount(m_toolBarImages) < image)
        return false;
    SendMessageA(m_toolBar, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    SendMessageA(m_toolBar, TB_AUTOSIZE, 0, 0);
    return true;
}

void CFrameWnd::SetToolBarImages()
{
    // The strip drawn nearest the DPI's size, the larger of two as near.
    const int wanted = ScaleForDpi(m_toolBarStrips.front().cell, m_dpi);
    const ToolBarStrip* chosen = &m_toolBarStrips.front();
    for (const ToolBarStrip& strip : m_toolBarStrips) {
        const int distance = std::abs(strip.cell - wanted);
        const int best = std::abs(chosen->cell - wanted);
        if (distance < best || (distance == best && strip.cell > chosen->cell))
            chosen = &strip;
    }
    const HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(chosen->bitmapId),
                                                           IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (bitmap == nullptr)
        return;
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    const HIMAGELIST images = ImageList_Create(chosen->cell, chosen->cell, ILC_COLOR24 | ILC_MASK,
                                               info.bmWidth / chosen->cell, 0);
    if (images != nullptr)
        ImageList_AddMasked(images, bitmap, kStripBackground);
    DeleteObject(bitmap);
    if (images == nullptr)
        return;
    // The toolbar never destroys a list it is given.
    SendMessageA(m_toolBar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    if (m_toolBarImages != nullptr)
        ImageList_Destroy(m_toolBarImages);
    m_toolBarImages = images;
    // The margins the toolbar gives a 16-pixel image by default.
    SendMessageA(m_toolBar, TB_SETBUTTONSIZE, 0, MAKELONG(chosen->cell + 7, chosen->cell + 6));
}

void CFrameWnd::OnDpiChanged(UINT dpi, const RECT& suggested)
{
    const UINT oldDpi = m_dpi;
    if (dpi == 0 || dpi == oldDpi)
        return;
    m_dpi = dpi;
    if (m_toolBar != nullptr) {
        SetToolBarImages();
        SendMessageA(m_toolBar, TB_AUTOSIZE, 0, 0);
    }
    if (m_statusBar != nullptr) {
        const HFONT font = CreateSystemFont(SystemFont::StatusBar, dpi);
        if (font != nullptr) {
            SendMessageA(m_statusBar, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
            if (m_statusFont != nullptr)
                DeleteObject(m_statusFont);
            m_statusFont = font;
        }
    }
    for (CView* pane : Panes()) {
        if (pane->GetSafeHwnd() != nullptr)
            pane->OnDpiChanged(oldDpi, dpi);
    }
    OnDpiScaled(oldDpi, dpi);
    SetWindowPos(m_hWnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RecalcLayout();
}

bool CFrameWnd::CreateStatusBar(UINT id, const std::vector<UINT>& indicators)
{
    m_statusBar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | CCS_BOTTOM, 0, 0, 0,
                                  0, m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                  GetModuleHandleA(nullptr), nullptr);
    if (m_statusBar == nullptr || indicators.empty())
        return false;
    m_indicators = indicators;
    // A text no pane can have, so that the first of each is always set.
    m_statusTexts.assign(indicators.size(), std::string(1, '\1'));
    return true;
}

void CFrameWnd::SetStatusPanes(const std::vector<int>& widths)
{
    std::vector<int> edges;
    int right = 0;
    for (int width : widths) {
        right += width;
        edges.push_back(width < 0 ? -1 : right);
    }
    SendMessageA(m_statusBar, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (size_t pane = 0; pane < widths.size() && pane < m_indicators.size(); ++pane) {
        if (m_indicators[pane] != 0)
            SetStatusPaneText(static_cast<int>(pane), GetMessageString(m_indicators[pane]));
    }
}

void CFrameWnd::CheckToolButton(UINT id, bool checked)
{
    if (m_toolBar != nullptr)
        SendMessageA(m_toolBar, TB_CHECKBUTTON, id, MAKELONG(checked, 0));
}

void CFrameWnd::RecalcLayout()
{
    if (m_hWnd == nullptr)
        return;
    RECT client;
    GetClientRect(m_hWnd, &client);
    if (m_toolBar != nullptr && IsWindowVisible(m_toolBar)) {
        SendMessageA(m_toolBar, TB_AUTOSIZE, 0, 0);
        RECT bar;
        GetWindowRect(m_toolBar, &bar);
        client.top += bar.bottom - bar.top;
    }
    if (m_statusBar != nullptr && IsWindowVisible(m_statusBar)) {
        SendMessageA(m_statusBar, WM_SIZE, 0, 0);
        RECT bar;
        GetWindowRect(m_statusBar, &bar);
        client.bottom -= bar.bottom - bar.top;
    }
    if (HWND clientWindow = ClientWindow()) {
        MoveWindow(clientWindow, client.left, client.top, client.right - client.left,
                   client.bottom > client.top ? client.bottom - client.top : 0, TRUE);
    }
}

RECT CFrameWnd::ContentScreenRect() const
{
    RECT rect = {};
    if (const HWND clientWindow = ClientWindow()) {
        GetWindowRect(clientWindow, &rect);
    } else if (m_hWnd != nullptr) {
        GetClientRect(m_hWnd, &rect);
        MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    }
    return rect;
}

void CFrameWnd::OnSize(UINT type)
{
    if (type != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnViewBar(UINT id)
{
    HWND bar = id == ID_VIEW_TOOLBAR ? m_toolBar : m_statusBar;
    if (bar == nullptr)
        return;
    ShowWindow(bar, IsWindowVisible(bar) ? SW_HIDE : SW_SHOW);
    RecalcLayout();
}

void CFrameWnd::OnUpdateViewBar(CCmdUI& ui)
{
    HWND bar = ui.id == ID_VIEW_TOOLBAR ? m_toolBar : m_statusBar;
    ui.Enable(bar != nullptr);
    ui.SetCheck(bar != nullptr && (GetWindowLongA(bar, GWL_STYLE) & WS_VISIBLE) != 0);
}

void CFrameWnd::OnNextPane(UINT id)
{
    const std::vector<CView*> panes = Panes();
    if (panes.empty())
        return;
    const auto found = std::find(panes.begin(), panes.end(), m_activeView);
    size_t index = found == panes.end() ? 0 : static_cast<size_t>(found - panes.begin());
    if (found != panes.end())
        index = id == ID_NEXT_PANE ? (index + 1) % panes.size() : (index + panes.size() - 1) % panes.size();
    SetActiveView(panes[index], true);
}

bool CFrameWnd::ExecuteUserCommand(UINT id)
{
    for (CView* pane : Panes())
        pane->EndLabelEdit();
    return ExecuteCommand(id);
}

void CFrameWnd::OnEndSession()
{
    if (CWinApp* app = CWinApp::Current())
        app->SaveSettingsAtEnd();
}

void CFrameWnd::OnClose()
{
    CWinApp* app = CWinApp::Current();
    if (app != nullptr && !app->SaveAllModified())
        return;
    DestroyWindow(m_hWnd);
}

void CFrameWnd::OnNotify(NMHDR* header)
{
    if (header->code == TTN_GETDISPINFOA || header->code == TTN_GETDISPINFOW) {
        const std::string text = LoadResourceString(static_cast<UINT>(header->idFrom));
        const size_t lineFeed = text.find('\n');
        m_tooltipText = lineFeed == std::string::npos ? std::string() : text.substr(lineFeed + 1);
        m_tooltipText = m_tooltipText.substr(0, m_tooltipText.find('\n'));
        if (header->code == TTN_GETDISPINFOA) {
            reinterpret_cast<NMTTDISPINFOA*>(header)->lpszText = const_cast<char*>(m_tooltipText.c_str());
        } else {
            const int length = MultiByteToWideChar(CP_ACP, 0, m_tooltipText.c_str(), -1, nullptr, 0);
            m_wideTooltip.assign(length > 0 ? static_cast<size_t>(length) : 1, L'\0');
            MultiByteToWideChar(CP_ACP, 0, m_tooltipText.c_str(), -1, &m_wideTooltip[0], length);
            reinterpret_cast<NMTTDISPINFOW*>(header)->lpszText = &m_wideTooltip[0];
        }
    } else if (header->code == TBN_HOTITEMCHANGE && header->hwndFrom == m_toolBar) {
        const auto* hot = reinterpret_cast<NMTBHOTITEM*>(header);
        if ((hot->dwFlags & HICF_LEAVING) != 0)
            ShowIdleText();
        else
            SetMessageText(GetMessageString(hot->idNew));
    }
}

LRESULT CFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate() ? 0 : -1;
    case WM_SIZE:
        OnSize(static_cast<UINT>(wParam));
        return 0;
    case WM_SETFOCUS:
        if (m_activeView != nullptr && m_activeView->GetSafeHwnd() != nullptr)
            SetFocus(m_activeView->GetSafeHwnd());
        return 0;
    case WM_COMMAND:
        if (lParam == 0 || reinterpret_cast<HWND>(lParam) == m_toolBar) {
            ExecuteUserCommand(LOWORD(wParam));
            return 0;
        }
        break;
    case WM_INITMENUPOPUP:
        if (!HIWORD(lParam))
            UpdateMenu(reinterpret_cast<HMENU>(wParam));
        return 0;
    case WM_MENUSELECT:
        if (HIWORD(wParam) == 0xFFFF && lParam == 0)
            ShowIdleText();
        else if ((HIWORD(wParam) & (MF_POPUP | MF_SEPARATOR)) != 0)
            SetMessageText("");
        else
            SetMessageText(GetMessageString(LOWORD(wParam)));
        return 0;
    case WM_EXITMENULOOP:
        ShowIdleText();
        return 0;
    case WM_NOTIFY:
        OnNotify(reinterpret_cast<NMHDR*>(lParam));
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_QUERYENDSESSION: {
        CWinApp* app = CWinApp::Current();
        return app == nullptr || app->SaveAllModified() ? TRUE : FALSE;
    }
    case WM_ENDSESSION:
        if (wParam)
            OnEndSession();
        return 0;
    case WM_DESTROY:
        OnDestroy();
        if (CWinApp* app = CWinApp::Current()) {
            if (app->MainFrame() == this)
                PostQuitMessage(0);
        }
        return 0;
    }
    return Default(message, wParam, lParam);
}

void CFrameWnd::OnNcDestroyed()
{
    m_toolBar = nullptr;
    m_statusBar = nullptr;
    if (m_toolBarImages != nullptr)
        ImageList_Destroy(m_toolBarImages);
    m_toolBarImages = nullptr;
    if (m_statusFont != nullptr)
        DeleteObject(m_statusFont);
    m_statusFont = nullptr;
}
