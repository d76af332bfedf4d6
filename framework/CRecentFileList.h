// The File menu's recent files.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class IProfile;

// The most recently used files, newest first, shown in the File menu from
// its first entry's id on and kept as "File1".."FileN" in "Recent File List".
class CRecentFileList {
public:
    CRecentFileList(UINT firstId, size_t size) : m_firstId(firstId), m_size(size) {}

    void Add(const std::string& path);
    void Remove(size_t index);
    const std::vector<std::string>& Entries() const { return m_entries; }
    UINT FirstId() const { return m_firstId; }
    size_t Size() const { return m_size; }

    void ReadList(IProfile& profile);
    void WriteList(IProfile& profile) const;
    // Replaces the menu's entries by the list, or by a greyed "Recent File"
    // while it is empty; menus without the entries are left alone.
    void UpdateMenu(HMENU menu) const;

private:
    UINT m_firstId;
    size_t m_size;
    std::vector<std::string> m_entries;
};
