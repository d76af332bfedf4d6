#include "exchange/HtmlExport.h"

#include "exchange/ImportFile.h"
#include "exchange/TextModeOutput.h"
#include "store/CBookmarkDoc.h"
#include "store/FileError.h"
#include "store/FileIO.h"
#include "store/Prompt.h"
#include "store/TextCompare.h"

#include <unordered_map>
#include <vector>

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
    try {
        WriteWholeFile(path, page);
    } catch (const FileError& error) {
        doc.Prompt().ShowMessage(GeneralFileErrorMessage(error, path), MessageStyle::StopOk);
        return false;
    }
    return true;
}

} // namespace

std::string CollectionPage(const StoreContent& content)
{
    // Items by folded group name, so a store of many groups is walked once.
    std::unordered_map<std::string, std::vector<size_t>> itemsOfGroup;
    for (size_t i = 0; i < content.m_arrItems.size(); ++i)
        itemsOfGroup[FoldedName(content.m_arrItems[i].m_strGroup)].push_back(i);

    std::string page = "<html>\n<title>Linkhive Bookmarks</title>\n<body>\n";
    for (size_t g = 0; g < content.m_arrGroups.size(); ++g) {
        const std::string& group = content.m_arrGroups[g];
        if (g > 0)
            page += "\n</ul>\n\n";
        page += "\n<h3>" + group + "</h3>\n\n<ul>\n";
        const auto items = itemsOfGroup.find(FoldedName(group));
        if (items == itemsOfGroup.end())
            continue;
        for (size_t i : items->second) {
            const BookmarkItem& item = content.m_arrItems[i];
            page += "  <li><a href=\"" + item.m_strURL + "\">" + item.m_strName + "</a></li>\n";
        }
    }
    if (!content.m_arrGroups.empty())
        page += "\n</ul>\n\n";
    page += "\n</body>\n</html>";
    return TextModeBytes(page);
}

std::string GroupPage(const StoreContent& content, const std::string& group)
{
    std::string page = "<html>\n<body>\n\n";
    for (const BookmarkItem& item : content.m_arrItems) {
        if (TextEqual(item.m_strGroup, group))
            page += "<p><a href=\"" + item.m_strURL + "\">" + item.m_strName + "</a></p>\n";
    }
    page += "</body>\n</html>";
    return TextModeBytes(page);
}

std::string CollectionPagePath(const std::string& chosen)
{
    return WithExtension(chosen, "html");
}

std::string GroupPagePath(const std::string& chosen)
{
    const std::string name = FileTitleOf(chosen);
    const size_t dot = name.find_last_of('.');
    if (dot == std::string::npos || dot + 1 == name.size())
        return chosen + ".html";
    return chosen;
}

bool SaveCollectionPage(CBookmarkDoc& doc, const std::string& chosen)
{
    return SavePage(doc, CollectionPagePath(chosen), CollectionPage(doc));
}

bool SaveGroupPage(CBookmarkDoc& doc, const std::string& chosen)
{
    return SavePage(doc, GroupPagePath(chosen), GroupPage(doc, doc.Selection().currentGroup));
}
