// The bookmark a properties sheet edits, found again after changes.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

class CBookmarkDoc;
struct BookmarkItem;

// The bookmark a properties sheet edits, found again by the group, name and
// URL it had when the sheet opened or last wrote them, where it was tried
// first: neither the selection nor the store's order is the sheet's to rely on.
class EditedBookmark {
public:
    // The bookmark at `index`; none when the index names none.
    EditedBookmark(CBookmarkDoc& document, int32_t index);

    // The bookmark now, or null when it was changed or deleted meanwhile.
    const BookmarkItem* Find();
    // Where Find last found it.
    size_t Index() const { return m_index; }
    // The current item's fields follow the sheet only when it is the one edited.
    bool IsCurrent() const;
    // Its name or URL was written: it is found by the new ones from now on.
    void Written();
    // Tells the user, once, that the edits had nowhere to go; `sheet` waits meanwhile.
    void SayLost(HWND sheet);

private:
    CBookmarkDoc& m_document;
    size_t m_index;
    std::string m_group;
    std::string m_name;
    std::string m_url;
    bool m_told = false;
};
