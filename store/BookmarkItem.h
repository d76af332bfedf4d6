// One bookmark as the store keeps it: group, name, URL, description.
#pragma once

#include <string>

struct BookmarkItem {
    std::string m_strURL;
    std::string m_strName;
    std::string m_strGroup;
    std::string m_strDescription;

    // A bookmark whose URL begins with "mailto:" (byte for byte) is an e-mail item.
    bool IsMail() const { return m_strURL.compare(0, 7, "mailto:") == 0; }
};
