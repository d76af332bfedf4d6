#include "exchange/NetscapeExport.h"

#include "exchange/HtmlExport.h"
#include "store/CBookmarkDoc.h"
#include "store/CodePage.h"
#include "store/FileError.h"
#include "store/FileIO.h"
#include "store/FileOperation.h"
#include "store/PathNames.h"
#include "store/Prompt.h"
#include "store/TextCompare.h"

namespace {

// HTML's blanks; a vertical tab is none.
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

void AppendEscaped(std::string& out, const std::string& stored)
{
    bool ascii = true;
    for (char c : stored)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    const std::string text = ascii ? stored : SystemCodePageToUtf8(stored);
    size_t lead = 0;
    while (lead < text.size() && IsBlank(text[lead]))
        ++lead;
    size_t trail = text.size();
    while (trail > lead && IsBlank(text[trail - 1]))
        --trail;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (i < lead || i >= trail) {
            out += "&#" + std::to_string(static_cast<int>(c)) + ";";
            continue;
        }
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
}

void AppendFolder(std::string& out, const StoreContent& content, const std::string& group,
                  const std::vector<size_t>& items)
{
    out += "    <DT><H3>";
    AppendEscaped(out, group);
    out += "</H3>\r\n    <DL><p>\r\n";
    for (size_t i : items) {
        const BookmarkItem& item = content.m_arrItems[i];
        out += "        <DT><A HREF=\"";
        AppendEscaped(out, item.m_strURL);
        out += "\">";
        AppendEscaped(out, item.m_strName);
        out += "</A>\r\n";
        if (!item.m_strDescription.empty()) {
            out += "        <DD>";
            AppendEscaped(out, item.m_strDescription);
            out += "\r\n";
        }
    }
    out += "    </DL><p>\r\n";
}

} // namespace

std::string NetscapeBookmarkFile(const StoreContent& content)
{
    const GroupedItems grouped(content);
    std::string out = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\r\n"
                      "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\r\n"
                      "<TITLE>Bookmarks</TITLE>\r\n"
                      "<H1>Bookmarks</H1>\r\n"
                      "<DL><p>\r\n";
    for (size_t g : SortedOrder(content.m_arrGroups)) {
        const std::string& group = content.m_arrGroups[g];
        AppendFolder(out, content, group, grouped.Of(group));
    }
    for (const std::string& group : grouped.Unlisted())
        AppendFolder(out, content, group, grouped.Of(group));
    out += "</DL><p>\r\n";
    return out;
}

std::string NetscapeFilePath(const std::string& chosen)
{
    return WithDefaultExtension(chosen, "html");
}

bool SaveNetscapeFile(CBookmarkDoc& doc, const std::string& path)
{
    return RunFileOperation(doc.Prompt(), path, FileReport::General,
                            [&] { WriteWholeFile(path, NetscapeBookmarkFile(doc)); });
}
