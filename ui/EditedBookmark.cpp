// The bookmark a properties sheet edits, found again after changes.
#include "ui/EditedBookmark.h"

#include "framework/ResourceString.h"
#include "res/resource.h"
#include "store/CBookmarkDoc.h"
#include "store/Prompt.h"
#include "store/TextFormat.h"

EditedBookmark::EditedBookmark(CBookmarkDoc& document, int32_t index)
    : m_document(document), m_index(std::string::npos)
{
    if (index < 0 || static_cast<size_t>(index) >= document.Items().size())
        return;
    m_index = static_cast<size_t>(index);
    Written();
}

const BookmarkItem* EditedBookmark::Find()
{
    if (m_index == std::string::npos)
        return nullptr;
    const size_t index = m_document.FindItem(m_group, m_name, m_url, m_index);
    if (index == std::string::npos)
        return nullptr;
    m_index = index;
    return &m_document.Items()[index];
}

bool EditedBookmark::IsCurrent() const
{
    return m_index != std::string::npos && m_document.Selection().itemIndex == static_cast<int64_t>(m_index);
}

void EditedBookmark::Written()
{
    const BookmarkItem& item = m_document.Items()[m_index];
    m_group = item.m_strGroup;
    m_name = item.m_strName;
    m_url = item.m_strURL;
}

void EditedBookmark::SayLost(HWND sheet)
{
    if (m_told)
        return;
    m_told = true;
    EnableWindow(sheet, FALSE);
    m_document.Prompt().ShowMessage(FormatText(LoadResourceString(IDS_EDITED_BOOKMARK_GONE), {m_name}),
                                    MessageStyle::StopOk);
    EnableWindow(sheet, TRUE);
}
