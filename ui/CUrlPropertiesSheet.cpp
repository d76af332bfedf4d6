// The URL Properties sheet.
#include "ui/CUrlPropertiesSheet.h"

#include "framework/ResourceString.h"
#include "res/resource.h"
#include "store/CBookmarkDoc.h"

PlaceholderPair NewBookmarkPlaceholder(bool email)
{
    return email ? PlaceholderPair{LoadResourceString(IDS_NEW_EMAIL_NAME), "mailto:"}
                 : PlaceholderPair{LoadResourceString(IDS_NEW_URL_NAME), "http://"};
}

CUrlPropertiesSheet::CUrlPropertiesSheet(CBookmarkDoc& document, HWND owner, const PlaceholderPair* placeholder)
    : CPropertySheet(IDS_URL_PROPERTIES, owner), m_bookmark(document, document.Selection().itemIndex),
      m_generalPage(document, m_bookmark, placeholder), m_descriptionPage(document, m_bookmark)
{
    const CurrentSelection& selection = document.Selection();
    m_generalPage.m_strName = selection.itemName;
    m_generalPage.m_strURL = selection.itemURL;
    m_descriptionPage.m_strDescription = selection.itemDescription;
    AddPage(m_generalPage);
    AddPage(m_descriptionPage);
}

void CreateBookmark(CBookmarkDoc& document, HWND owner, const PlaceholderPair& pair)
{
    std::vector<std::string> names;
    names.reserve(document.Items().size());
    for (const BookmarkItem& item : document.Items())
        names.push_back(item.m_strName);
    BookmarkItem item;
    item.m_strURL = pair.url;
    item.m_strName = MakeUniqueName(pair.name, names);
    item.m_strGroup = document.Selection().currentGroup;
    document.CreateItem(std::move(item));

    CUrlPropertiesSheet sheet(document, owner, &pair);
    sheet.DoModal();
}

void EditBookmark(CBookmarkDoc& document, HWND owner)
{
    CUrlPropertiesSheet sheet(document, owner);
    sheet.DoModal();
}
