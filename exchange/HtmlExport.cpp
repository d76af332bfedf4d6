// The collection or one group as an HTML page.
#include "exchange/HtmlExport.h"

#include "exchange/ImportFile.h"
#include "exchange/TextModeOutput.h"
#include "store/CBookmarkDoc.h"
#include "store/CodePage.h"
#include "store/FileError.h"
#include "store/FileIO.h"
#include "store/FileOperation.h"
#include "store/PathNames.h"
#include "store/Prompt.h"
#include "store/TextCompare.h"

namespace {

std::string FoldedName(const std::string& name)
{
    std::string folded = name;
    for (char& c : folded)
        c = FoldAscii(c);
    return folded;
}

bool SavePage(CBookmarkDoc& doc, const std::string& path, const std::string& page)
{
    return RunFileOperation(doc.Prompt(), path, FileReport::General, [&] { WriteWholeFile(path, page); });
}

} // namespace

GroupedItems::GroupedItems(const StoreContent& content) : m_content(content)
{
    for (size_t i = 0; i < content.m_arrItems.size(); ++i) {
        const std::string& name = content.m_arrItems[i].m_strGroup;
        const auto found = m_byFolded.emplace(FoldedName(name), m_groups.size());
        if (found.second)
            m_groups.push_back(Group{name, {}});
        m_groups[found.first->second].items.push_back(i);
    }
}

const std::vector<size_t>& GroupedItems::Of(const std::string& group) const
{
    static const std::vector<size_t> kNone;
    const auto found = m_byFolded.find(FoldedName(group));
    return found == m_byFolded.end() ? kNone : m_groups[found->second].items;
}

std::vector<std::string> GroupedItems::Unlisted() const
{
    std::vector<bool> listed(m_groups.size(), false);
    for (const std::string& group : m_content.m_arrGroups) {
        const auto found = m_byFolded.find(FoldedName(group));
        if (found != m_byFolded.end())
            listed[found->second] = true;
    }
    std::vector<std::string> names;
    for (size_t g = 0; g < m_groups.size(); ++g) {
        if (!listed[g])
            names.push_back(m_groups[g].spelling);
    }
    return names;
}

const char kUtf8PageCharset[] = "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">";

namespace {

std::string PageBytes(const std::string& page)
{
    std::string legacy;
    if (IsAscii(page))
        return TextModeBytes(page);
    if (Utf8ToCodePage(page, LegacyCodePage(), legacy))
        return TextModeBytes(legacy);
    const size_t head = page.find('\n') + 1;  // every page starts with "<html>\n"
    return TextModeBytes(page.substr(0, head) + kUtf8PageCharset + "\n" + page.substr(head));
}

} // namespace

std::string CollectionPage(const StoreContent& content)
{
    const GroupedItems grouped(content);

    std::string page = "<html>\n<title>Linkhive Bookmarks</title>\n<body>\n";
    for (size_t g = 0; g < content.m_arrGroups.size(); ++g) {
        const std::string& group = content.m_arrGroups[g];
        if (g > 0)
            page += "\n</ul>\n\n";
        page += "\n<h3>" + group + "</h3>\n\n<ul>\n";
        for (size_t i : grouped.Of(group)) {
            const BookmarkItem& item = content.m_arrItems[i];
            page += "  <li><a href=\"" + item.m_strURL + "\">" + item.m_strName + "</a></li>\n";
        }
    }
    if (!content.m_arrGroups.empty())
        page += "\n</ul>\n\n";
    page += "\n</body>\n</html>";
    return PageBytes(page);
}

std::string GroupPage(const StoreContent& content, const std::string& group)
{
    std::string page = "<html>\n<body>\n\n";
    for (const BookmarkItem& item : content.m_arrItems) {
        if (TextEqual(item.m_strGroup, group))
            page += "<p><a href=\"" + item.m_strURL + "\">" + item.m_strName + "</a></p>\n";
    }
    page += "</body>\n</html>";
    return PageBytes(page);
}

std::string CollectionPagePath(const std::string& chosen)
{
    return WithExtension(chosen, "html");
}

std::string GroupPagePath(const std::string& chosen)
{
    return WithDefaultExtension(chosen, "html");
}

bool SaveCollectionPage(CBookmarkDoc& doc, const std::string& chosen)
{
    return SavePage(doc, CollectionPagePath(chosen), CollectionPage(doc.Content()));
}

bool SaveGroupPage(CBookmarkDoc& doc, const std::string& chosen)
{
    return SavePage(doc, GroupPagePath(chosen), GroupPage(doc.Content(), doc.Selection().currentGroup));
}
