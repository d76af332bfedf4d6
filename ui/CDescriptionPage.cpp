#include "ui/CDescriptionPage.h"

#include "framework/AccessibleName.h"
#include "framework/ResourceString.h"
#include "res/resource.h"
#include "store/CBookmarkDoc.h"

CDescriptionPage::CDescriptionPage(CBookmarkDoc& document) : CPropertyPage(IDD_PAGE_DESCRIPTION), m_document(document)
{
    BindText(IDC_ITEM_DESCRIPTION, m_strDescription);
}

bool CDescriptionPage::OnInitDialog()
{
    // The page's only box has no label in front of it: the page names it.
    SetAccessibleName(GetDlgItem(m_hWnd, IDC_ITEM_DESCRIPTION), LoadResourceString(IDS_DESCRIPTION_NAME));
    return CPropertyPage::OnInitDialog();
}

void CDescriptionPage::OnOK()
{
    // The status bar shows the current item's description, not the one it had.
    m_document.Selection().itemDescription = m_strDescription;
    BookmarkItem* item = m_document.SelectedItem();
    if (item == nullptr) {
        m_document.Commit(m_document.GroupPane());
        return;
    }
    item->m_strDescription = m_strDescription;
    m_document.Commit(m_document.GroupPane(),
                      ItemsHint({}, {static_cast<size_t>(m_document.Selection().itemIndex)}, 0));
}
