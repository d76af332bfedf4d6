#pragma once

#include "store/CBookmarkDoc.h"

#include <string>
#include <utility>
#include <vector>

// Tests set up a collection the one way a load does (CBookmarkDoc::LoadContent):
// the views and the modified flag hear nothing of it.
template <typename Edit>
void EditContent(CBookmarkDoc& doc, Edit edit)
{
    StoreContent content = doc.Content();
    edit(content);
    doc.LoadContent(std::move(content));
}

inline void SetGroups(CBookmarkDoc& doc, std::vector<std::string> groups)
{
    EditContent(doc, [&](StoreContent& content) { content.m_arrGroups = std::move(groups); });
}

inline void SetItems(CBookmarkDoc& doc, std::vector<BookmarkItem> items)
{
    EditContent(doc, [&](StoreContent& content) { content.m_arrItems = std::move(items); });
}

inline void AppendItem(CBookmarkDoc& doc, const BookmarkItem& item)
{
    EditContent(doc, [&](StoreContent& content) { content.m_arrItems.push_back(item); });
}
