// One page of a property sheet.
#pragma once

#include "framework/CDialog.h"

#include <commctrl.h>

// One page of a property sheet, from a child dialog resource. Its bound
// strings follow the page: filled when it is first shown and again on each
// later visit, read back when it is left. The sheet's Apply and OK reach it
// as OnOK, its Cancel as OnCancel; a page never shown hears neither.
class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT templateId) : CDialog(templateId, nullptr) {}

    // What the sheet needs to make this page.
    PROPSHEETPAGEA SheetPage();

protected:
    // The page is about to show: on later visits the controls are first
    // refreshed from the bound strings.
    virtual void OnSetActive();
    // The page is left, or the sheet applies: the strings take the controls' texts.
    virtual void OnKillActive();
    void OnOK() override {}
    void OnCancel() override {}
    bool OnInitDialog() override;
    // Any edit of a control enables the sheet's Apply button.
    bool OnCommand(UINT id, UINT notifyCode) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    HWND Sheet() const { return GetParent(m_hWnd); }

private:
    // The sheet hands a page its copy of the page description; `this` is in it.
    static INT_PTR CALLBACK PageDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnSheetNotify(UINT code);
    void FillControls();

    bool m_shown = false;
    bool m_filling = false;
};
