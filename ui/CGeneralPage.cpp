// The General page of the URL Properties sheet.
#include "ui/CGeneralPage.h"

#include "res/resource.h"
#include "store/CBookmarkDoc.h"
#include "store/TextCompare.h"
#include "ui/EditedBookmark.h"

#include <cstddef>

CGeneralPage::CGeneralPage(CBookmarkDoc& document, EditedBookmark& bookmark, const PlaceholderPair* placeholder)
    : CPropertyPage(IDD_PAGE_GENERAL), m_document(document), m_bookmark(bookmark), m_placeholder(placeholder)
{
    BindText(IDC_ITEM_NAME, m_strName);
    BindText(IDC_ITEM_URL, m_strURL);
}

void CGeneralPage::OnSetActive()
{
    m_rememberedName = m_strName;
    m_rememberedURL = m_strURL;
    CPropertyPage::OnSetActive();
}

void CGeneralPage::OnOK()
{
    const BookmarkItem* item = m_bookmark.Find();
    if (item == nullptr) {
        m_bookmark.SayLost(Sheet());
        return;
    }
    BookmarkItem fields = *item;
    fields.m_strName = m_strName;
    fields.m_strURL = m_strURL;
    m_document.ChangeItem(m_bookmark.Index(), fields);
    m_bookmark.Written();
}

void CGeneralPage::OnCancel()
{
    // Editing an existing bookmark that happens to carry the placeholder
    // pair must not delete it: only a creation's own sheet takes it back.
    if (m_placeholder == nullptr || m_rememberedName != m_placeholder->name || m_rememberedURL != m_placeholder->url)
        return;
    const BookmarkItem* item = m_bookmark.Find();
    if (item == nullptr || !TextEqual(item->m_strURL, m_placeholder->url)) {
        BookmarkItem remembered;
        remembered.m_strName = m_rememberedName;
        remembered.m_strURL = m_rememberedURL;
        m_document.RestoreSelectionTexts(item != nullptr && m_bookmark.IsCurrent() ? &remembered : nullptr);
        return;
    }
    m_document.DeleteItems({m_bookmark.Index()}, m_document.GroupPane());
}
