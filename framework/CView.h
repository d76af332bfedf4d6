#pragma once

#include "store/CDocument.h"

#include <windows.h>

// A pane of the splitter: a list-view control subclassed so that the pane
// class sees its messages, and fed its notifications by the splitter.
class CView : public IView {
public:
    explicit CView(CDocument& document) : m_document(document) {}
    ~CView() override;
    CView(const CView&) = delete;
    CView& operator=(const CView&) = delete;

    bool Create(HWND parent, UINT id, int width, int height);
    HWND GetSafeHwnd() const { return m_hWnd; }
    CDocument& GetDocument() { return m_document; }
    static CView* FromHandle(HWND hwnd);
    // While a label's in-place edit is open, keys belong to it.
    bool IsEditingLabel() const;

    // After the document is first loaded or emptied.
    virtual void OnInitialUpdate() { OnUpdate(); }
    // A notification of this pane's control; true when answered.
    virtual bool OnNotify(NMHDR* header, LRESULT& result)
    {
        (void)header;
        (void)result;
        return false;
    }

protected:
    // The pane's own window styles, added to child, visible and border.
    virtual DWORD PreCreateStyle(DWORD style) { return style; }
    // The rest of the pane's creation, once its control exists.
    virtual bool OnCreate() { return true; }
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    CDocument& m_document;
    WNDPROC m_controlProc = nullptr;
};
