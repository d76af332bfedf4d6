// The File menu's recent files.
#include "framework/CRecentFileList.h"

#include "framework/ResourceString.h"
#include "framework/StandardIds.h"
#include "settings/Profile.h"
#include "store/TextCompare.h"

#include <algorithm>

void CRecentFileList::Add(const std::string& path)
{
    m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(),
                                   [&path](const std::string& entry) { return TextEqual(entry, path); }),
                    m_entries.end());
    m_entries.insert(m_entries.begin(), path);
    if (m_entries.size() > m_size)
        m_entries.resize(m_size);
}

void CRecentFileList::Remove(size_t index)
{
    if (index < m_entries.size())
        m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(index));
}

void CRecentFileList::ReadList(IProfile& profile)
{
    m_entries.clear();
    for (size_t number = 1; number <= m_size; ++number) {
        const std::string path = profile.GetProfileString(kRecentFileSection, "File" + std::to_string(number), "");
        // The list ends at its first gap: an empty "File1" means no last file.
        if (path.empty())
            break;
        m_entries.push_back(path);
    }
}

void CRecentFileList::WriteList(IProfile& profile) const
{
    for (size_t number = 1; number <= m_size; ++number) {
        const std::string path = number <= m_entries.size() ? m_entries[number - 1] : std::string();
        profile.WriteProfileString(kRecentFileSection, "File" + std::to_string(number), path);
    }
}

void CRecentFileList::UpdateMenu(HMENU menu) const
{
    int first = -1;
    for (int position = GetMenuItemCount(menu) - 1; position >= 0; --position) {
        const UINT id = GetMenuItemID(menu, position);
        if (id >= m_firstId && id < m_firstId + m_size) {
            DeleteMenu(menu, static_cast<UINT>(position), MF_BYPOSITION);
            first = position;
        }
    }
    if (first < 0)
        return;
    if (m_entries.empty()) {
        InsertMenuA(menu, static_cast<UINT>(first), MF_BYPOSITION | MF_STRING | MF_GRAYED, m_firstId, LoadResourceString(IDS_RECENT_FILE_NONE).c_str());
        return;
    }
    for (size_t index = 0; index < m_entries.size(); ++index) {
        std::string text = "&" + std::to_string(index + 1) + " ";
        // A '&' in a path is shown, not taken as the item's mnemonic.
        for (const char c : m_entries[index])
            text += c == '&' ? std::string("&&") : std::string(1, c);
        InsertMenuA(menu, static_cast<UINT>(first) + static_cast<UINT>(index), MF_BYPOSITION | MF_STRING,
                    m_firstId + static_cast<UINT>(index), text.c_str());
    }
}
