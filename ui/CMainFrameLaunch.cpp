// The main frame's commands that open bookmarks, and the panes' notifications.
#include "ui/CMainFrame.h"

#include "launch/BrowserCommand.h"
#include "launch/OpenUrl.h"
#include "launch/SearchEngines.h"
#include "ui/CommandKeys.h"
#include "res/resource.h"
#include "settings/Preferences.h"
#include "store/CBookmarkDoc.h"
#include "ui/CBrowsersDlg.h"
#include "ui/CItemPane.h"

namespace {

std::string& BrowserPath(Preferences& prefs, UINT id)
{
    switch (id) {
    case ID_OPEN_IN_MSIE: return prefs.msiePath;
    case ID_OPEN_IN_NETSCAPE: return prefs.nnPath;
    default: return prefs.customPath;
    }
}

}  // namespace

bool CMainFrame::OpenUrl(bool newWindow)
{
    // The whole URL from the store: a cut one is another address.
    const BookmarkItem* bookmark = m_itemPane->BookmarkOfRow(m_itemPane->SelectedRow());
    if (bookmark == nullptr)
        return false;
    // E-mail addresses go to the mail program, which only the shell knows.
    const bool newProcess = newWindow && !IsEmailUrl(m_document.Selection().itemURL);
    return OpenInBrowserOrShell(*m_launcher, m_document.Prompt(), bookmark->m_strURL, newProcess);
}

void CMainFrame::OnNotify(NMHDR* header)
{
    if (!m_itemPane || header->hwndFrom != m_itemPane->GetSafeHwnd()) {
        CFrameWnd::OnNotify(header);
    } else if (header->code == NM_RCLICK) {
        // The status bar's selection pane, until the next idle update.
        SetStatusPaneText(2, m_document.Selection().itemURL);
    } else if (header->code == NM_DBLCLK && !m_document.Groups().empty()) {
        // OpenUrl opens nothing when the double click left no row selected.
        OpenUrl(thePreferences.bCreateNewProcess != 0);
    }
}

void CMainFrame::OnTrayItem(UINT id)
{
    // The tray menu lists the rows in row order; a pane changed since opens nothing.
    const BookmarkItem* bookmark = m_itemPane->BookmarkOfRow(static_cast<int>(id - ID_TRAY_ITEM_FIRST));
    if (bookmark == nullptr)
        return;
    OpenInBrowserOrShell(*m_launcher, m_document.Prompt(), bookmark->m_strURL, thePreferences.bCreateNewProcess != 0);
}

void CMainFrame::OnOpen(UINT id)
{
    OpenUrl(id == ID_ITEM_OPEN_NEW_WINDOW);
}

void CMainFrame::OnUpdateOpenNewWindow(CCmdUI& ui)
{
    OnUpdateHasItem(ui);
    if (IsEmailUrl(m_document.Selection().itemURL))
        ui.Enable(false);
}

void CMainFrame::OnOpenInBrowser(UINT id)
{
    const BookmarkItem* bookmark = m_itemPane->BookmarkOfRow(m_itemPane->SelectedRow());
    if (bookmark == nullptr || IsEmailUrl(m_document.Selection().itemURL))
        return;
    StartNamedBrowser(*m_launcher, BrowserPath(thePreferences, id), bookmark->m_strURL);
}

void CMainFrame::OnUpdateOpenInBrowser(CCmdUI& ui)
{
    ui.Enable(!BrowserPath(thePreferences, ui.id).empty() && !IsEmailUrl(m_document.Selection().itemURL));
}

void CMainFrame::OnDefaultAction(UINT)
{
    // Both entries flip: choosing the marked one moves the mark to the other.
    FlipToggle(thePreferences.bCreateNewProcess);
}

void CMainFrame::OnUpdateDefaultAction(CCmdUI& ui)
{
    ui.Enable();
    ui.SetRadio((thePreferences.bCreateNewProcess != 0) == (ui.id == ID_PREF_OPEN_NEW_WINDOW));
}

void CMainFrame::OnConfigureBrowsers(UINT)
{
    CBrowsersDlg dialog(m_hWnd, m_document.Prompt());
    dialog.msiePath = thePreferences.msiePath;
    dialog.nnPath = thePreferences.nnPath;
    dialog.customPath = thePreferences.customPath;
    if (dialog.DoModal() != IDOK)
        return;
    thePreferences.msiePath = dialog.msiePath;
    thePreferences.nnPath = dialog.nnPath;
    thePreferences.customPath = dialog.customPath;
}

void CMainFrame::OnSearchEngine(UINT id)
{
    OpenSearchEngine(*m_launcher, m_document.Prompt(), SearchEngineOfCommand(id));
}
