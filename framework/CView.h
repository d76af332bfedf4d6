// A pane of the splitter showing the document.
#pragma once

#include "framework/CWnd.h"
#include "store/CDocument.h"

// A pane of the splitter: a list-view control subclassed so that the pane
// class sees its messages, and fed its notifications by the splitter.
class CView : public CWnd, public IView {
public:
    explicit CView(CDocument& document) : m_document(document) {}
    ~CView() override;

    bool Create(HWND parent, UINT id, int width, int height);
    CDocument& GetDocument() { return m_document; }
    static CView* FromHandle(HWND hwnd);
    // While a label's in-place edit is open, keys belong to it.
    bool IsEditingLabel() const;
    // Ends an open label edit as a click elsewhere would, keeping its text.
    void EndLabelEdit();

    // A notification of this pane's control; true when answered.
    virtual bool OnNotify(NMHDR* header, LRESULT& result)
    {
        (void)header;
        (void)result;
        return false;
    }
    // The window moved to a monitor of another DPI: fonts, images and
    // column widths follow.
    virtual void OnDpiChanged(UINT oldDpi, UINT newDpi)
    {
        (void)oldDpi;
        (void)newDpi;
    }

protected:
    // The pane's own window styles, added to child, visible and border.
    virtual DWORD PreCreateStyle(DWORD style) { return style; }
    // The rest of the pane's creation, once its control exists.
    virtual bool OnCreate() { return true; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnNcDestroyed() override;

private:
    CDocument& m_document;
    ViewRegistration m_registration;
};
