#pragma once

#include "support/DocumentFixture.h"

#include <string>
#include <vector>

// The document fixture, with the items as (name, URL, group) rows.
class ImportFixture : public DocumentFixture {
protected:
    static BookmarkItem Item(const std::string& name, const std::string& url, const std::string& group)
    {
        return MakeItem(name, url, group);
    }

    std::vector<std::vector<std::string>> Triples() const
    {
        std::vector<std::vector<std::string>> rows;
        for (const BookmarkItem& item : doc.m_arrItems)
            rows.push_back({item.m_strName, item.m_strURL, item.m_strGroup});
        return rows;
    }
};
