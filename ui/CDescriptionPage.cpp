// The Description page of the URL Properties sheet.
#include "ui/CDescriptionPage.h"

#include "framework/AccessibleName.h"
#include "framework/ResourceString.h"
#include "res/resource.h"
#include "store/CBookmarkDoc.h"
#include "ui/EditedBookmark.h"

CDescriptionPage::CDescriptionPage(CBookmarkDoc& document, EditedBookmark& bookmark)
    : CPropertyPage(IDD_PAGE_DESCRIPTION), m_document(document), m_bookmark(bookmark)
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
    const BookmarkItem* item = m_bookmark.Find();
    if (item == nullptr) {
        m_bookmark.SayLost(Sheet());
        return;
    }
    // The status bar shows the current item's description, not the one it had.
    BookmarkItem fields = *item;
    fields.m_strDescription = m_strDescription;
    m_document.ChangeItem(m_bookmark.Index(), fields);
}
