// The main frame of Linkhive.
#pragma once

#include "framework/CFrameWnd.h"
#include "framework/CSplitterWnd.h"
#include "framework/FolderWatcher.h"
#include "launch/LinkChecker.h"
#include "launch/SystemLauncher.h"
#include "ui/CFindDlg.h"
#include "ui/CTrayIcon.h"

#include <deque>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

class CBookmarkDoc;
class CCheckLinksDlg;
class CHistoryDlg;
class CDuplicatesDlg;
class CItemPane;
class CQuickOpenDlg;
class CGroupPane;
class IProfile;

// The main window: splitter with the group and item panes, toolbar, status
// bar, and the command table of the program's own commands.
class CMainFrame : public CFrameWnd {
public:
    CMainFrame(CBookmarkDoc& document, IProfile& profile);
    ~CMainFrame() override;

    std::vector<CView*> Panes() const override;
    CBookmarkDoc& Document() { return m_document; }
    CGroupPane* GroupPane() const { return m_groupPane.get(); }
    CItemPane* ItemPane() const { return m_itemPane.get(); }
    const CSplitterWnd& Splitter() const { return m_splitter; }

    std::string GetMessageString(UINT id) override;
    // The item pane's view (32787..32790), its radio mark and its button.
    void ApplyViewMode(UINT id);
    // Both panes repaint at once, erasing in the colours now in effect.
    void RedrawPanes();
    // The group pane's width to keep: as it is, unless the window is
    // minimised or hidden, when the last width it showed.
    int LeftPaneWidth() const;

    // Shows the bookmark at store index `index`: its group current, its row
    // selected and in view, the item pane active. False when there is none.
    bool GoToBookmark(size_t index);
    // The modeless dialogs, once first opened (open or closed since).
    CFindDlg* FindDialog() const { return m_findDlg.get(); }
    CDuplicatesDlg* DuplicatesDialog() const { return m_duplicatesDlg.get(); }
    CHistoryDlg* HistoryDialog() const { return m_historyDlg.get(); }
    CQuickOpenDlg* QuickOpenDialog() const { return m_quickOpenDlg.get(); }
    // Makes `key` the Quick Open key (Preferences::quickOpenKey). When another
    // program holds it, says so and offers the key dialog; false then.
    bool SetQuickOpenKey(uint32_t key);

    // Opens bookmarks through `launcher` instead of the system's.
    void SetLauncher(ILauncher& launcher) { m_launcher = &launcher; }
    // The limits of the next link check (tests shorten the timeout).
    void SetLinkCheckLimits(const LinkCheckLimits& limits) { m_linkCheckLimits = limits; }
    // The Check Links dialog last opened; null before the first.
    CCheckLinksDlg* CheckLinksDialog() const { return m_checkLinks.get(); }
    const CTrayIcon& TrayIcon() const { return m_trayIcon; }
    // A file a second start handed over (WM_COPYDATA): queued, opened once
    // no dialog holds the window. False for anything but a path.
    bool AcceptHandedFile(const COPYDATASTRUCT& data);
    // The frame follows the document's file: its folder is watched.
    void UpdateTitle(const std::string& documentTitle) override;
    // A collection was opened: its file, and the conflict copies sync
    // services left beside it, are looked at once the window runs.
    void CollectionOpened();
    // The command table's id ranges, first and last of each row (for test drivers).
    static std::vector<std::pair<UINT, UINT>> CommandRanges();

protected:
    bool OnCreateClient() override;
    bool OnCreate() override;
    void OnDestroy() override;
    void OnEndSession() override;
    void OnDropFiles(HDROP drop) override;
    // The item pane's right click shows the URL at once; its double click
    // opens the bookmark the default action's way.
    void OnNotify(NMHDR* header) override;
    HWND ClientWindow() const override { return m_splitter.GetSafeHwnd(); }
    bool OnCommand(UINT id) override;
    bool OnUpdateCommand(CCmdUI& ui) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnSize(UINT type) override;
    void OnDpiScaled(UINT oldDpi, UINT newDpi) override;

private:
    // The program's own commands: id ranges with their handlers.
    static const CommandRow<CMainFrame> kCommands[];

    void OnGroupAdd(UINT id);
    void OnGroupDelete(UINT id);
    void OnGroupRename(UINT id);
    void OnUpdateHasGroups(CCmdUI& ui);
    void OnItemDelete(UINT id);
    void OnItemRename(UINT id);
    void OnUpdateHasItem(CCmdUI& ui);
    void OnItemNew(UINT id);
    void OnItemProperties(UINT id);
    void OnSwitchPane(UINT id);
    void OnUpdateSelectionPane(CCmdUI& ui);
    void OnViewMode(UINT id);
    void OnArrange(UINT id);
    void OnToggle(UINT id);
    void OnUpdateToggle(CCmdUI& ui);
    void OnColourToggle(UINT id);
    void OnScheme(UINT id);
    void OnUpdateScheme(CCmdUI& ui);
    void OnCustomColour(UINT id);
    void OnCheckLinks(UINT id);
    void OnFind(UINT id);
    // The next bookmark of the last search after the selected one, wrapping.
    void OnFindNext(UINT id);
    void OnDuplicates(UINT id);
    void OnHistory(UINT id);
    // File > Restore Backup: the chosen backup, read whole, becomes an
    // untitled collection after the question about saving.
    void OnRestoreBackup(UINT id);
    void OnUpdateRestoreBackup(CCmdUI& ui);

    // Another program's changes, in CMainFrameSync.cpp. File > Merge
    // Collection: what another collection has and this one lacks, in one
    // change. The collection's file is looked at a moment after its folder
    // changed and when the program is activated (not while a dialog holds
    // the window or a name is being typed): an unmodified collection changed
    // there is reloaded, a modified one waits for its save, which merges.
    void OnMergeCollection(UINT id);
    void ScheduleCollectionCheck();
    void CheckCollection();
    // Asks about each conflict copy beside the collection (once a session
    // for one declined); one merged goes to the collection's backups.
    void OfferConflictCopies();

    // Opening bookmarks, in CMainFrameLaunch.cpp. OpenUrl opens the selected
    // row's bookmark; the tray's entry 35000 + k opens row k's.
    bool OpenUrl(bool newWindow);
    void OnTrayItem(UINT id);
    void OnOpen(UINT id);
    void OnUpdateOpenNewWindow(CCmdUI& ui);
    void OnOpenInBrowser(UINT id);
    void OnUpdateOpenInBrowser(CCmdUI& ui);
    void OnDefaultAction(UINT id);
    void OnUpdateDefaultAction(CCmdUI& ui);
    void OnConfigureBrowsers(UINT id);
    // Quick Open, in CMainFrameQuickOpen.cpp: the global key shows its
    // window, which hands back the bookmark chosen.
    void OnQuickOpen();
    void OnQuickOpenBookmark(size_t index, LPARAM way);
    void OnQuickOpenKey(UINT id);
    void ReportQuickOpenKeyTaken(uint32_t key);
    void OnSearchEngine(UINT id);
    // Imports, exports, shortcut files and the clipboard: CMainFrameExchange.cpp.
    void OnImportVersion20(UINT id);
    void OnImportMarkbox(UINT id);
    void OnImportHtml(UINT id);
    void OnImportAddressBook(UINT id);
    void OnImportFolder(UINT id);
    void OnImportBrowserBookmarks(UINT id);
    void OnImportChromium(UINT id);
    void OnImportFirefox(UINT id);
    void OnImportXbel(UINT id);
    void OnFileSaveAsHtml(UINT id);
    void OnFileExportBrowserBookmarks(UINT id);
    void OnFileExportXbel(UINT id);
    void OnFileExportChromium(UINT id);
    void OnGroupSaveAsHtml(UINT id);
    void OnItemSaveAsFile(UINT id);
    void OnEditCopy(UINT id);
    void OnEditCopyUrl(UINT id);
    void OnEditCut(UINT id);
    void OnEditPaste(UINT id);
    void OnEditUndo(UINT id);
    void OnUpdateEditPaste(CCmdUI& ui);
    void OnUpdateEditUndo(CCmdUI& ui);

    // The tray, in CMainFrameTray.cpp: minimising with "TrayIcon" on hides
    // the window behind the icon; the tray menu's own commands.
    void OnTrayShow(UINT id);
    void OnTrayGroup(UINT id);

    // The status bar's panes, sized for the frame's DPI.
    void LayoutStatusPanes();
    // Every preference, with the item pane's view and the group pane's width.
    void SavePreferences();
    CTrayIcon m_trayIcon;
    // The first minimising to the tray has tried to make the icon.
    bool trayIconCreated = false;
    CBookmarkDoc& m_document;
    IProfile& m_profile;
    CSplitterWnd m_splitter;
    std::unique_ptr<CGroupPane> m_groupPane;
    std::unique_ptr<CItemPane> m_itemPane;
    LastSearch m_lastSearch;
    CWndPtr<CFindDlg> m_findDlg;
    CWndPtr<CDuplicatesDlg> m_duplicatesDlg;
    CWndPtr<CHistoryDlg> m_historyDlg;
    CWndPtr<CQuickOpenDlg> m_quickOpenDlg;
    SystemLauncher m_systemLauncher;
    ILauncher* m_launcher = &m_systemLauncher;
    LinkCheckLimits m_linkCheckLimits;
    CWndPtr<CCheckLinksDlg> m_checkLinks;
    std::deque<std::string> m_handedFiles;
    FolderWatcher m_folderWatcher;
    bool m_collectionCheckDue = false;
    bool m_offerCopiesDue = false;
    std::set<std::string> m_declinedCopies;

    void OpenHandedFiles();
};

// Set when the frame's window is created; never cleared.
extern CMainFrame* theMainFrame;
