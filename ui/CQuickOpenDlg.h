// The Quick Open window.
#pragma once

#include "framework/CWinApp.h"
#include "query/QuickOpen.h"
#include "ui/CBookmarkListDlg.h"

// How Quick Open hands its choice to the owner (WM_QUICK_OPEN_BOOKMARK's lParam).
enum class QuickOpenWay { Open, OpenNewWindow, GoTo };

// "Quick Open": a small topmost window the global key brings up over any
// program. Every word typed must be in a bookmark's name, URL or group; the
// best 50 show. Up and Down choose, Enter opens (Shift: in a new window,
// Ctrl: goes to it in the main window); Escape or leaving it closes it.
class CQuickOpenDlg : public CBookmarkListDlg, public IIdleWork {
public:
    CQuickOpenDlg(HWND owner, CBookmarkDoc& document);
    ~CQuickOpenDlg() override;

    // Shows the window empty, centred on the monitor of the window in front.
    void Show();
    void OnUpdate(const UpdateHint& hint) override;
    bool OnIdleSlice() override;
    // A scan too long for one keystroke is under way.
    bool Searching() const { return m_search.Scanning(); }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(UINT id, UINT notifyCode) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnNcDestroyed() override;

private:
    // The text's keys that move the list's selection go to the list.
    class CText : public CWnd {
    public:
        explicit CText(HWND list) : m_list(list) {}
        bool Attach(HWND edit) { return SubclassWindow(edit); }

    protected:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    private:
        HWND m_list;
    };

    // Starts the scan for the text: a small one ends at once, a long one
    // goes on in idle slices. Its rows show when it ends, the best chosen,
    // or with `chooseBest` false the one chosen before while still among them.
    void ShowMatches(bool chooseBest);
    void ShowFinished();
    void StopScan();
    void CentreOn(HMONITOR monitor);

    QuickOpenSearch m_search;
    std::unique_ptr<CText> m_text;
    bool m_chooseBest = false;    // for the scan under way
    bool m_handingOver = false;  // the choice is on its way: deactivation is ours
};
