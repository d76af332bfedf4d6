// XBEL, the XML bookmark exchange format.
#include "exchange/BrowserFiles.h"

#include "exchange/BookmarkTree.h"
#include "store/CBookmarkDoc.h"
#include "store/CodePage.h"

#include <rapidxml/rapidxml.hpp>

#include <cstring>
#include <new>
#include <string_view>
#include <vector>

namespace {

using Node = rapidxml::xml_node<char>;

// The parser descends once per nested element: a file nesting deeper than
// this is refused before it can exhaust the stack. Counted on the raw text
// as the parser splits it (comments, CDATA and quoted values skipped whole),
// an opening tag deepening, a closing one going back.
const size_t kMaxElementDepth = 512;

bool NestsTooDeep(std::string_view text)
{
    size_t depth = 0;
    size_t i = 0;
    const auto skipTo = [&](const char* end) {
        const size_t at = text.find(end, i);
        i = at == std::string_view::npos ? text.size() : at + std::strlen(end);
    };
    while ((i = text.find('<', i)) != std::string_view::npos) {
        const std::string_view rest = text.substr(i);
        if (rest.compare(0, 4, "<!--") == 0) {
            skipTo("-->");
        } else if (rest.compare(0, 9, "<![CDATA[") == 0) {
            skipTo("]]>");
        } else if (rest.compare(0, 2, "<?") == 0) {
            skipTo("?>");
        } else if (rest.compare(0, 2, "</") == 0) {
            depth -= depth > 0;
            ++i;
        } else if (rest.compare(0, 2, "<!") == 0) {
            ++i;
        } else {
            char quote = 0;
            char last = 0;
            for (++i; i < text.size(); ++i) {
                const char c = text[i];
                if (quote) {
                    quote = c == quote ? 0 : quote;
                } else if (c == '"' || c == '\'') {
                    quote = c;
                } else if (c == '>') {
                    break;
                }
                last = c;
            }
            if (last != '/' && ++depth > kMaxElementDepth)
                return true;
        }
    }
    return false;
}

bool Named(const Node* node, const char* name)
{
    return node->type() == rapidxml::node_element && node->name_size() == std::strlen(name) &&
           std::memcmp(node->name(), name, node->name_size()) == 0;
}

std::string_view ChildText(const Node* node, const char* name)
{
    const Node* child = node->first_node(name, std::strlen(name));
    return child ? std::string_view(child->value(), child->value_size()) : std::string_view();
}

} // namespace

NetscapeFile ParseXbelFile(const char* data, size_t size, const std::string& topGroup)
{
    BookmarkTreeBuilder builder(topGroup);
    if (NestsTooDeep(std::string_view(data, size)))
        return builder.Finish();
    std::vector<char> text(data, data + size);
    text.push_back('\0');  // the parser reads up to a terminating zero
    rapidxml::xml_document<char> document;
    try {
        document.parse<0>(text.data());
    } catch (const rapidxml::parse_error&) {
        return builder.Finish();
    }
    const Node* root = document.first_node();
    while (root && root->type() != rapidxml::node_element)
        root = root->next_sibling();
    if (!root || !Named(root, "xbel"))
        return builder.Finish();
    builder.Recognise();
    // Folders walked without recursion, through the nodes' own links.
    const Node* node = root->first_node();
    while (node) {
        if (Named(node, "folder")) {
            builder.OpenFolder(ChildText(node, "title"));
            if (node->first_node()) {
                node = node->first_node();
                continue;
            }
            builder.CloseFolder();
        } else if (Named(node, "bookmark")) {
            const auto* href = node->first_attribute("href", 4);
            builder.AddLink(href ? std::string_view(href->value(), href->value_size()) : std::string_view(),
                            ChildText(node, "title"), ChildText(node, "desc"));
        }
        while (node && !node->next_sibling()) {
            node = node->parent();
            if (node == root) {
                node = nullptr;
                break;
            }
            builder.CloseFolder();
        }
        if (node)
            node = node->next_sibling();
    }
    return builder.Finish();
}

namespace {

// Text as XML 1.0 allows it: the control characters it forbids dropped, the
// blanks an attribute's normalisation would fold written as references.
void AppendEscaped(std::string& out, const std::string& raw, bool attribute)
{
    const std::string text = WellFormedUtf8(raw);
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += attribute ? "&quot;" : "\""; break;
        case '\t': out += attribute ? "&#9;" : "\t"; break;
        case '\n': out += attribute ? "&#10;" : "\n"; break;
        case '\r': out += "&#13;"; break;
        default:
            if (static_cast<unsigned char>(c) >= 0x20)
                out += c;
        }
    }
}

class XbelWriter {
public:
    XbelWriter(const StoreContent& content, const ExportTree& tree) : m_content(content), m_tree(tree) {}

    void Entries(std::string& out, size_t folder, size_t depth)
    {
        const std::string pad(2 * depth, ' ');
        for (const ExportTree::Entry& entry : m_tree.folders[folder].entries) {
            if (entry.folder) {
                out += pad + "<folder>\n" + pad + "  <title>";
                AppendEscaped(out, m_tree.folders[entry.index].name, false);
                out += "</title>\n";
                Entries(out, entry.index, depth + 1);
                out += pad + "</folder>\n";
                continue;
            }
            const BookmarkItem& item = m_content.m_arrItems[entry.index];
            out += pad + "<bookmark href=\"";
            AppendEscaped(out, item.m_strURL, true);
            out += "\">\n" + pad + "  <title>";
            AppendEscaped(out, item.m_strName, false);
            out += "</title>\n";
            if (!item.m_strDescription.empty()) {
                out += pad + "  <desc>";
                AppendEscaped(out, item.m_strDescription, false);
                out += "</desc>\n";
            }
            out += pad + "</bookmark>\n";
        }
    }

private:
    const StoreContent& m_content;
    const ExportTree& m_tree;
};

} // namespace

std::string XbelBookmarkFile(const StoreContent& content)
{
    const ExportTree tree = GroupTree(content);
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<!DOCTYPE xbel PUBLIC \"+//IDN python.org//DTD XML Bookmark Exchange Language 1.0//EN//XML\" "
                      "\"http://www.python.org/topics/xml/dtds/xbel-1.0.dtd\">\n"
                      "<xbel version=\"1.0\">\n";
    XbelWriter(content, tree).Entries(out, 0, 1);
    out += "</xbel>\n";
    return out;
}
