// A document to import into and what it then holds.
#pragma once

#include "tests/support/DocumentFixture.h"

#include <string>
#include <vector>

using ItemRows = std::vector<std::vector<std::string>>;

// (name, URL, group) of each item, in store order.
inline ItemRows Triples(const StoreContent& content)
{
    ItemRows rows;
    for (const BookmarkItem& item : content.m_arrItems)
        rows.push_back({item.m_strName, item.m_strURL, item.m_strGroup});
    return rows;
}

// The document fixture, with the items as (name, URL, group) rows.
class ImportFixture : public DocumentFixture {
protected:
    static BookmarkItem Item(const std::string& name, const std::string& url, const std::string& group)
    {
        return MakeItem(name, url, group);
    }

    ItemRows Triples() const { return ::Triples(doc.Content()); }

    // A titled, unmodified document loaded from kept.lkh with one group "Kept".
    void OpenKeptDocument()
    {
        WriteBytes(dir.Path("kept.lkh"), std::string("\xFF\xFF\xFF\xFF\0\0\0\0\x04Kept", 13));
        ASSERT_TRUE(doc.OnOpenDocument(dir.Path("kept.lkh")));
    }
};
