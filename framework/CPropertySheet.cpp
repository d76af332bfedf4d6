// A modal property sheet.
#include "framework/CPropertySheet.h"

#include "framework/CWinApp.h"

static_assert(sizeof(PROPSHEETHEADERA) == (sizeof(void*) == 4 ? 52 : 96), "property sheet header size");

INT_PTR CPropertySheet::DoModal()
{
    std::vector<PROPSHEETPAGEA> pages;
    for (CPropertyPage* page : m_pages)
        pages.push_back(page->SheetPage());
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE;
    header.hwndParent = m_owner;
    header.hInstance = GetModuleHandleA(nullptr);
    header.pszCaption = MAKEINTRESOURCEA(m_captionId);
    header.nPages = static_cast<UINT>(pages.size());
    header.ppsp = pages.data();
    const ModalScope modal;
    return PropertySheetA(&header);
}
