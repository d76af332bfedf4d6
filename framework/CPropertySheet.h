// A modal property sheet.
#pragma once

#include "framework/CPropertyPage.h"

#include <vector>

// A modal property sheet of the common controls: tabs for its pages, OK,
// Cancel and Apply. The sheet window is the control's own; what the program
// does happens in the pages.
class CPropertySheet {
public:
    CPropertySheet(UINT captionId, HWND owner) : m_captionId(captionId), m_owner(owner) {}
    CPropertySheet(const CPropertySheet&) = delete;
    CPropertySheet& operator=(const CPropertySheet&) = delete;

    // Pages show as tabs in the order added; the first is shown first.
    void AddPage(CPropertyPage& page) { m_pages.push_back(&page); }
    // Runs the sheet until OK, Cancel or closing; the control's own result.
    INT_PTR DoModal();

private:
    UINT m_captionId;
    HWND m_owner;
    std::vector<CPropertyPage*> m_pages;
};
