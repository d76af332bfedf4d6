// The JSON bookmark files: a Chromium-family browser's and Firefox's backups.
#include "exchange/BrowserFiles.h"

#include "exchange/BookmarkTree.h"
#include "exchange/Md5.h"
#include "store/CBookmarkDoc.h"
#include "store/CodePage.h"

#include <nlohmann/json.hpp>

#include <ctime>

using nlohmann::json;

namespace {

json Parse(const char* data, size_t size)
{
    // Without exceptions: a file that is no JSON is merely not recognised.
    return json::parse(data, data + size, nullptr, false);
}

const std::string& StringOf(const json& object, const char* key)
{
    static const std::string kEmpty;
    const auto found = object.find(key);
    return found != object.end() && found->is_string() ? found->get_ref<const std::string&>() : kEmpty;
}

const json* ArrayOf(const json& object, const char* key)
{
    const auto found = object.find(key);
    return found != object.end() && found->is_array() ? &*found : nullptr;
}

// Walks folders without recursion: a file may nest them as deep as it likes.
// `visit` sees each object and returns the children to descend into
// (nullptr for none); `folder` tells the builder whether that opened one.
template <typename Visit>
void Walk(const json& children, BookmarkTreeBuilder& builder, Visit visit)
{
    struct Level {
        const json* children;
        size_t next;
        bool folder;
    };
    std::vector<Level> levels{Level{&children, 0, false}};
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.next >= level.children->size()) {
            if (level.folder)
                builder.CloseFolder();
            levels.pop_back();
            continue;
        }
        const json& node = (*level.children)[level.next++];
        if (!node.is_object())
            continue;
        bool folder = false;
        if (const json* inner = visit(node, folder))
            levels.push_back(Level{inner, 0, folder});
    }
}

} // namespace

NetscapeFile ParseChromiumFile(const char* data, size_t size, const std::string& topGroup)
{
    BookmarkTreeBuilder builder(topGroup);
    const json file = Parse(data, size);
    if (!file.is_object() || !file.contains("roots") || !file["roots"].is_object())
        return builder.Finish();
    builder.Recognise();
    const json& roots = file["roots"];
    // The roots are the browser's own places: their links are the top group's.
    for (const char* root : {"bookmark_bar", "other", "synced"}) {
        const auto found = roots.find(root);
        if (found == roots.end() || !found->is_object())
            continue;
        const json* children = ArrayOf(*found, "children");
        if (!children)
            continue;
        Walk(*children, builder, [&](const json& node, bool& folder) -> const json* {
            const std::string& type = StringOf(node, "type");
            if (type == "url") {
                builder.AddLink(StringOf(node, "url"), StringOf(node, "name"));
            } else if (type == "folder") {
                const json* inner = ArrayOf(node, "children");
                if (inner) {
                    builder.OpenFolder(StringOf(node, "name"));
                    folder = true;
                }
                return inner;
            }
            return nullptr;
        });
    }
    return builder.Finish();
}

NetscapeFile ParseFirefoxBackup(const char* data, size_t size, const std::string& topGroup)
{
    static const char kContainer[] = "text/x-moz-place-container";
    BookmarkTreeBuilder builder(topGroup);
    const json file = Parse(data, size);
    if (!file.is_object() || StringOf(file, "type") != kContainer)
        return builder.Finish();
    builder.Recognise();
    const json* top = ArrayOf(file, "children");
    if (!top)
        return builder.Finish();
    Walk(*top, builder, [&](const json& node, bool& folder) -> const json* {
        const std::string& type = StringOf(node, "type");
        if (type == "text/x-moz-place") {
            builder.AddLink(StringOf(node, "uri"), StringOf(node, "title"));
        } else if (type == kContainer) {
            const json* inner = ArrayOf(node, "children");
            // The built-in folders (menu, toolbar, ...) name a "root": their
            // links are the top group's, as a Chromium root's are.
            if (inner && !node.contains("root")) {
                builder.OpenFolder(StringOf(node, "title"));
                folder = true;
            }
            return inner;
        }
        return nullptr;  // separators and anything newer
    });
    return builder.Finish();
}

void ChecksumFolderNode(Md5& md5, const std::string& id, const std::string& title)
{
    md5.Update(id);
    const std::u16string units = Utf8ToUtf16(title);
    for (char16_t unit : units) {
        const unsigned char bytes[2] = {static_cast<unsigned char>(unit & 0xff), static_cast<unsigned char>(unit >> 8)};
        md5.Update(bytes, 2);
    }
}

void ChecksumUrlNode(Md5& md5, const std::string& id, const std::string& title, const std::string& url)
{
    ChecksumFolderNode(md5, id, title);
    md5.Update("url");
    md5.Update(url);
}

namespace {

// A JSON string, ill-formed UTF-8 already replaced by the caller.
std::string Quoted(const std::string& text)
{
    return json(text).dump();
}

class ChromiumWriter {
public:
    ChromiumWriter(const StoreContent& content, const ExportTree& tree) : m_content(content), m_tree(tree)
    {
        // Microseconds since 1601, as the browser counts time.
        m_now = std::to_string((static_cast<uint64_t>(std::time(nullptr)) + 11644473600ULL) * 1000000ULL);
    }

    std::string Write()
    {
        std::string bar = Folder(0, "Bookmarks bar", 1, "1");
        std::string other = Folder(kNone, "Other bookmarks", 1, "2");
        std::string synced = Folder(kNone, "Mobile bookmarks", 1, "3");
        return "{\n   \"checksum\": \"" + m_md5.HexDigest() + "\",\n   \"roots\": {\n      \"bookmark_bar\": " + bar +
               ",\n      \"other\": " + other + ",\n      \"synced\": " + synced + "\n   },\n   \"version\": 1\n}\n";
    }

private:
    static constexpr size_t kNone = static_cast<size_t>(-1);

    std::string Id() { return std::to_string(m_nextId++); }

    // The checksum runs in the order the browser encodes: each root's
    // folders whole before the next root.
    std::string Folder(size_t folder, const std::string& name, size_t depth, std::string id = std::string())
    {
        if (id.empty())
            id = Id();
        ChecksumFolderNode(m_md5, id, name);
        m_md5.Update("folder");
        const std::string pad(3 * (depth + 2), ' ');
        std::string out = "{\n" + pad + "\"children\": [";
        bool first = true;
        if (folder != kNone) {
            for (const ExportTree::Entry& entry : m_tree.folders[folder].entries) {
                out += first ? "" : ",";
                out += " ";
                first = false;
                if (entry.folder)
                    out += Folder(entry.index, WellFormedUtf8(m_tree.folders[entry.index].name), depth + 1);
                else
                    out += Url(m_content.m_arrItems[entry.index], depth + 1);
            }
        }
        out += " ],\n" + pad + "\"date_added\": \"" + m_now + "\",\n" + pad + "\"date_modified\": \"0\",\n" + pad +
               "\"id\": \"" + id + "\",\n" + pad + "\"name\": " + Quoted(name) + ",\n" + pad + "\"type\": \"folder\"\n" +
               std::string(3 * (depth + 1), ' ') + "}";
        return out;
    }

    std::string Url(const BookmarkItem& item, size_t depth)
    {
        const std::string id = Id();
        const std::string name = WellFormedUtf8(item.m_strName);
        const std::string url = WellFormedUtf8(item.m_strURL);
        ChecksumUrlNode(m_md5, id, name, url);
        const std::string pad(3 * (depth + 2), ' ');
        return "{\n" + pad + "\"date_added\": \"" + m_now + "\",\n" + pad + "\"id\": \"" + id + "\",\n" + pad +
               "\"name\": " + Quoted(name) + ",\n" + pad + "\"type\": \"url\",\n" + pad + "\"url\": " + Quoted(url) +
               "\n" + std::string(3 * (depth + 1), ' ') + "}";
    }

    const StoreContent& m_content;
    const ExportTree& m_tree;
    Md5 m_md5;
    std::string m_now;
    size_t m_nextId = 4;  // after the roots
};

} // namespace

std::string ChromiumBookmarkFile(const StoreContent& content)
{
    const ExportTree tree = GroupTree(content);
    return ChromiumWriter(content, tree).Write();
}
