// The main frame's side of Quick Open: its global key and the bookmark chosen.
#include "ui/CMainFrame.h"

#include "framework/ResourceString.h"
#include "launch/BrowserCommand.h"
#include "launch/OpenUrl.h"
#include "res/resource.h"
#include "settings/Preferences.h"
#include "store/CBookmarkDoc.h"
#include "store/TextFormat.h"
#include "ui/CQuickOpenDlg.h"
#include "ui/CQuickOpenKeyDlg.h"

void CMainFrame::OnQuickOpen()
{
    // The window stays as it is: minimised, in the tray or behind others.
    if (!m_quickOpenDlg)
        m_quickOpenDlg.reset(new CQuickOpenDlg(m_hWnd, m_document));
    m_quickOpenDlg->Show();
}

void CMainFrame::OnQuickOpenBookmark(size_t index, LPARAM way)
{
    if (index >= m_document.Items().size())
        return;
    if (static_cast<QuickOpenWay>(way) == QuickOpenWay::GoTo) {
        if (GoToBookmark(index))
            SetForegroundWindow(m_hWnd);
        return;
    }
    // A copy: a message box of the launch lets the collection change.
    const std::string url = m_document.Items()[index].m_strURL;
    const bool newProcess = static_cast<QuickOpenWay>(way) == QuickOpenWay::OpenNewWindow && !IsEmailUrl(url);
    OpenInBrowserOrShell(*m_launcher, m_document.Prompt(), url, newProcess);
}

void CMainFrame::OnQuickOpenKey(UINT)
{
    CQuickOpenKeyDlg dialog(m_hWnd, thePreferences.quickOpenKey);
    if (dialog.DoModal() == IDOK)
        SetQuickOpenKey(dialog.Key());
}

bool CMainFrame::SetQuickOpenKey(uint32_t key)
{
    thePreferences.quickOpenKey = key;
    if (RegisterQuickOpenKey(m_hWnd, key))
        return true;
    ReportQuickOpenKeyTaken(key);
    return false;
}

void CMainFrame::ReportQuickOpenKeyTaken(uint32_t key)
{
    // Kept as chosen: the key is tried again at the next start.
    const std::string text = FormatText(LoadResourceString(IDS_QUICK_OPEN_KEY_TAKEN), {QuickOpenKeyText(key)});
    if (m_document.Prompt().ShowMessage(text, MessageStyle::QuestionYesNo) == MessageAnswer::Yes)
        OnQuickOpenKey(ID_PREF_QUICK_OPEN_KEY);
}
