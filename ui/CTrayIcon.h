// The tray icon and its menu.
#pragma once

#include "framework/CWnd.h"

#include <windows.h>
#include <shellapi.h>

class CMainFrame;

// One icon in the taskbar's notification area and its menu. The frame owns
// one, creates it at the first minimising to the tray and takes it out of
// the tray and back as the window is restored and minimised again.
class CTrayIcon : public CWnd {
public:
    CTrayIcon() = default;
    ~CTrayIcon() override;

    // Makes the hidden window and adds the icon, whose messages go to `owner`
    // (the hidden window when null). False when the shell refused the icon.
    bool TrayCreate(HWND owner, UINT callbackMessage, const char* tooltip, HICON icon, UINT id);
    void TrayDelete();
    // Takes the icon out of the tray for now.
    void TrayHide();
    // Puts it back; true when the icon is in the tray afterwards.
    bool TrayShow();
    // The menu's default entry, a command or a position; false when the menu
    // resource cannot be loaded.
    bool SetDefaultEntry(UINT entry, bool byPosition);
    // The icon's callback: a double click runs the default entry, a right
    // click shows the menu. Non-zero when handled.
    LRESULT HandleTrayMessage(WPARAM id, LPARAM mouseMessage);

    bool IsEnabled() const { return m_bEnabled; }
    const NOTIFYICONDATAA& IconData() const { return m_iconData; }

    // Entries the menu lists at most of the bookmarks, and of the groups:
    // the size of each command range.
    static const int kMaxEntries = 1000;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Builds the menu from the panes' rows and tracks it; false when the
    // menu resource cannot be loaded.
    bool ShowMenu(CMainFrame& frame);
    bool IsInTray() const { return m_bEnabled && !m_bHidden; }

    bool m_bEnabled = false;
    bool m_bHidden = false;
    NOTIFYICONDATAA m_iconData = {};
    UINT m_defaultEntry = 0;
    bool m_defaultByPosition = true;
};
