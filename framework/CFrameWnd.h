// The frame window: menu, toolbar, status bar, command routing.
#pragma once

#include "framework/CCmdUI.h"
#include "framework/StandardIds.h"
#include "framework/CWnd.h"
#include "framework/Dpi.h"
#include "framework/ResourceString.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

class CView;

// The main window: menu, toolbar, status bar and a client window laid out
// between them; routes every command to the frame's table, then the
// framework's, then the application's, and runs the update handlers.
class CFrameWnd : public CWnd {
public:
    CFrameWnd();
    ~CFrameWnd() override;

    // Creates the window with the menu, icon and accelerators of `resourceId`.
    bool LoadFrame(UINT resourceId);
    static CFrameWnd* FromHandle(HWND hwnd);

    CView* GetActiveView() const { return m_activeView; }
    void SetActiveView(CView* view, bool focus = true);
    // The frame's panes in next-pane order.
    virtual std::vector<CView*> Panes() const { return {}; }

    // The title "document - program", or the program's name alone when the
    // frame was created without the document name. Called whenever the
    // document may have another file, so a frame may follow it there.
    virtual void UpdateTitle(const std::string& documentTitle);

    // Runs the command through the command tables; false when none handles it.
    bool ExecuteCommand(UINT id);
    // A command from a menu, the toolbar or a context menu: an open label
    // edit ends first, so the command sees the name typed and its prompt
    // names it.
    bool ExecuteUserCommand(UINT id);
    // The command's state: update handler, else enabled when it has a
    // handler, else disabled.
    CCmdUI QueryCommand(UINT id);
    // The idle-time update of toolbar buttons and status panes.
    void OnIdleUpdate();
    // Runs the update handlers of a menu's items, as when it opens.
    void UpdateMenu(HMENU menu);

    // Status-bar prompt of a command: its string up to the line feed.
    virtual std::string GetMessageString(UINT id);
    void SetMessageText(const std::string& text);
    void ShowIdleText() { SetMessageText(GetMessageString(kIdleMessage)); }
    HWND ToolBar() const { return m_toolBar; }
    HACCEL Accelerators() const { return m_accelerators; }
    // The accelerator table's translation, skipped while a pane edits a
    // label so that Ctrl+C, Del and the rest edit the label.
    bool TranslateAccelerators(MSG& msg);
    // Shows a context menu owned by the frame, so its choice comes back as
    // a command. Tracking blocks, so tests put a tracker of their own.
    void TrackPopup(HMENU popup, POINT screen, UINT flags = TPM_RIGHTBUTTON);
    std::function<void(HMENU popup, POINT screen)> popupTracker;
    HWND StatusBar() const { return m_statusBar; }
    void RecalcLayout();
    // The client window's place on the screen, between the bars.
    RECT ContentScreenRect() const;
    // The DPI the frame is laid out for: its monitor's.
    UINT Dpi() const { return m_dpi; }

    static const UINT kIdleMessage = IDS_IDLE_MESSAGE;
    // The style flag that puts the document's name into the title; taken off
    // before the window is made.
    static const DWORD kAddToTitle = 0x00008000;

protected:
    // Creation hooks: the style before the window exists, then its
    // creation, whose base makes the client area.
    virtual void PreCreateWindow(DWORD& style) { (void)style; }
    virtual bool OnCreateClient() { return true; }
    virtual bool OnCreate();

    // The client window between the bars, laid out by RecalcLayout.
    virtual HWND ClientWindow() const { return nullptr; }
    virtual bool OnCommand(UINT id);
    virtual bool OnUpdateCommand(CCmdUI& ui);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnNcDestroyed() override;
    virtual void OnClose();
    virtual void OnDestroy() {}
    // Every size change; the base lays out the bars and the client window.
    virtual void OnSize(UINT type);
    // The Windows session ends: write what closing the window writes.
    virtual void OnEndSession();
    // A child's notification, the panes' included when they leave it to the
    // frame; the base answers the tooltips and the toolbar's hot item.
    virtual void OnNotify(NMHDR* header);
    // Files dropped on the window; the handle must be given back with DragFinish.
    virtual void OnDropFiles(HDROP drop) { DragFinish(drop); }

    // A toolbar strip: square images `cell` pixels wide in one bitmap.
    struct ToolBarStrip {
        int cell;
        UINT bitmapId;
    };
    // The toolbar of the layout `resourceId`, whose bitmap of the same id is
    // drawn for 96 DPI; `largerStrips` are the same images drawn larger, the
    // nearest to the DPI's size shown.
    bool CreateToolBar(UINT id, UINT resourceId, std::initializer_list<ToolBarStrip> largerStrips = {});
    bool CreateStatusBar(UINT id, const std::vector<UINT>& indicators);
    // Widths of the status panes, -1 stretching; each indicator's pane
    // starts with its string. Pane 0 has no borders.
    void SetStatusPanes(const std::vector<int>& widths);
    void SetStatusPaneText(int pane, const std::string& text);
    void CheckToolButton(UINT id, bool checked);
    // The bars and panes have followed the window from `oldDpi` to `newDpi`
    // and its size is not yet set: what the frame laid out itself follows too.
    virtual void OnDpiScaled(UINT oldDpi, UINT newDpi)
    {
        (void)oldDpi;
        (void)newDpi;
    }

    HWND m_toolBar = nullptr;
    HWND m_statusBar = nullptr;
    std::vector<UINT> m_indicators;

private:
    void OnViewBar(UINT id);
    void OnUpdateViewBar(CCmdUI& ui);
    void OnNextPane(UINT id);
    void ApplyToMenuItem(HMENU menu, UINT position, const CCmdUI& ui);
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void SetToolBarImages();

    CView* m_activeView = nullptr;
    bool m_addToTitle = true;
    std::string m_tooltipText;
    std::vector<std::string> m_statusTexts;

    UINT m_dpi = kDefaultDpi;
    std::vector<ToolBarStrip> m_toolBarStrips;
    HIMAGELIST m_toolBarImages = nullptr;
    // Made once the DPI leaves the system's, which the bar's own font suits.
    HFONT m_statusFont = nullptr;

    HACCEL m_accelerators = nullptr;
    static const CommandRow<CFrameWnd> kFrameCommands[2];
    std::wstring m_wideTooltip;

};
