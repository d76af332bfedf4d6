// The collection as a browser's bookmark file.
#include "exchange/NetscapeExport.h"

#include "exchange/BookmarkTree.h"
#include "exchange/HtmlExport.h"
#include "store/CBookmarkDoc.h"
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

void AppendEscaped(std::string& out, const std::string& text)
{
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

// Writes groups in turn as nested folders. A folder stays open while the
// next groups lie in it (their paths begin with its own, byte for byte), so
// the bookmarks come in the order of their groups: the order the import
// makes the groups in.
class FolderWriter {
public:
    FolderWriter(std::string& out, const StoreContent& content) : m_out(out), m_content(content) {}

    void Group(const std::string& group, const std::vector<size_t>& items)
    {
        const std::vector<std::string> path = FolderPath(group);
        size_t shared = 0;
        while (shared < m_open.size() && shared < path.size() && m_open[shared] == path[shared])
            ++shared;
        CloseTo(shared);
        for (size_t i = shared; i < path.size(); ++i) {
            Indent();
            m_out += "<DT><H3>";
            AppendEscaped(m_out, path[i]);
            m_out += "</H3>\r\n";
            Indent();
            m_out += "<DL><p>\r\n";
            m_open.push_back(path[i]);
        }
        for (size_t i : items) {
            const BookmarkItem& item = m_content.m_arrItems[i];
            Indent();
            m_out += "<DT><A HREF=\"";
            AppendEscaped(m_out, item.m_strURL);
            m_out += "\">";
            AppendEscaped(m_out, item.m_strName);
            m_out += "</A>\r\n";
            if (!item.m_strDescription.empty()) {
                Indent();
                m_out += "<DD>";
                AppendEscaped(m_out, item.m_strDescription);
                m_out += "\r\n";
            }
        }
    }

    void CloseTo(size_t depth)
    {
        while (m_open.size() > depth) {
            m_open.pop_back();
            Indent();
            m_out += "</DL><p>\r\n";
        }
    }

private:
    // Four blanks a level, the outermost list's entries the first.
    void Indent() { m_out.append(4 * (m_open.size() + 1), ' '); }

    std::string& m_out;
    const StoreContent& m_content;
    std::vector<std::string> m_open;  // the open folders' names, outermost first
};

} // namespace

std::string NetscapeBookmarkFile(const StoreContent& content)
{
    const GroupedItems grouped(content);
    std::string out = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\r\n"
                      "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\r\n"
                      "<TITLE>Bookmarks</TITLE>\r\n"
                      "<H1>Bookmarks</H1>\r\n"
                      "<DL><p>\r\n";
    FolderWriter folders(out, content);
    for (size_t g : SortedOrder(content.m_arrGroups)) {
        const std::string& group = content.m_arrGroups[g];
        folders.Group(group, grouped.Of(group));
    }
    for (const std::string& group : grouped.Unlisted())
        folders.Group(group, grouped.Of(group));
    folders.CloseTo(0);
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
                            [&] { WriteWholeFile(path, NetscapeBookmarkFile(doc.Content())); });
}
