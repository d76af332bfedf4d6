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
    BookmarkItem* item = m_bookmark.Find();
    if (item == nullptr) {
        m_bookmark.SayLost(Sheet());
        return;
    }
    if (m_bookmark.IsCurrent()) {
        CurrentSelection& selection = m_document.Selection();
        selection.itemName = m_strName;
        selection.itemURL = m_strURL;
    }
    item->m_strName = m_strName;
    item->m_strURL = m_strURL;
    m_bookmark.Written();
    m_document.Commit(m_document.GroupPane(), ItemsHint({}, {m_bookmark.Index()}, 0));
}

void CGeneralPage::OnCancel()
{
    // Editing an existing bookmark that happens to carry the placeholder
    // pair must not delete it: only a creation's own sheet takes it back.
    if (m_placeholder == nullptr || m_rememberedName != m_placeholder->name || m_rememberedURL != m_placeholder->url)
        return;
    const BookmarkItem* item = m_bookmark.Find();
    if (item != nullptr && m_bookmark.IsCurrent()) {
        CurrentSelection& selection = m_document.Selection();
        selection.itemName = m_rememberedName;
        selection.itemURL = m_rememberedURL;
    }
    if (item == nullptr || !TextEqual(item->m_strURL, m_placeholder->url)) {
        m_document.UpdateAllViews(m_document.GroupPane());
        return;
    }
    const size_t index = m_bookmark.Index();
    m_document.m_arrItems.erase(m_document.m_arrItems.begin() + static_cast<std::ptrdiff_t>(index));
    m_document.ClearSelectedItem();
    m_document.UpdateAllViews(m_document.GroupPane(), ItemsHint({index}, {}, 0));
}
