#include "ui/CDescriptionPage.h"

#include "res/resource.h"
#include "store/CBookmarkDoc.h"

CDescriptionPage::CDescriptionPage(CBookmarkDoc& document) : CPropertyPage(IDD_PAGE_DESCRIPTION), m_document(document)
{
    BindText(IDC_ITEM_DESCRIPTION, m_strDescription);
}

void CDescriptionPage::OnOK()
{
    if (BookmarkItem* item = m_document.SelectedItem())
        item->m_strDescription = m_strDescription;
    // The status bar shows the current item's description, not the one it had.
    m_document.Selection().itemDescription = m_strDescription;
    m_document.Commit(m_document.GroupPane());
}
