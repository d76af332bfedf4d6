// The JSON bookmark files: a Chromium-family browser's and Firefox's backups.
#include "exchange/BrowserFiles.h"

#include "exchange/BookmarkTree.h"
#include "exchange/Md5.h"
#include "store/CBookmarkDoc.h"
#include "store/CodePage.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <ctime>
#include <initializer_list>
#include <vector>

using nlohmann::json;

namespace {

// What a reader needs of a JSON file, kept while it streams past: for each
// object the last value of each key the reader asks for (a repeated key
// replaces the earlier one, as in a parsed document), for each array the
// objects in it. Nothing else is kept, so a large file costs little more
// than its names and addresses.
class JsonOutline {
public:
    static constexpr uint32_t kNone = UINT32_MAX;

    // `keys` are the names the reader asks for; a key's number is its place there.
    explicit JsonOutline(std::initializer_list<const char*> keys) : m_keys(keys) {}

    // False when the data is no JSON; the outline is then meaningless.
    bool Parse(const char* data, size_t size) { return json::sax_parse(data, data + size, this); }

    // The top value's object, kNone when it is something else.
    uint32_t Top() const { return m_top; }

    const std::string& StringOf(uint32_t object, size_t key) const
    {
        static const std::string kEmpty;
        const Value& value = Slot(object, key);
        return value.kind == Kind::String ? m_strings[value.index] : kEmpty;
    }
    uint32_t ObjectOf(uint32_t object, size_t key) const { return IndexOf(object, key, Kind::Object); }
    uint32_t ArrayOf(uint32_t object, size_t key) const { return IndexOf(object, key, Kind::Array); }
    bool Contains(uint32_t object, size_t key) const { return Slot(object, key).kind != Kind::Absent; }

    // The objects of an array in order, each leading to the next.
    uint32_t FirstObject(uint32_t array) const { return m_arrays[array].first; }
    uint32_t NextObject(uint32_t object) const { return m_next[object]; }

    // The handler nlohmann::json::sax_parse drives.
    bool null() { return Put(Kind::Other, 0); }
    bool boolean(bool) { return Put(Kind::Other, 0); }
    bool number_integer(json::number_integer_t) { return Put(Kind::Other, 0); }
    bool number_unsigned(json::number_unsigned_t) { return Put(Kind::Other, 0); }
    bool number_float(json::number_float_t, const std::string&) { return Put(Kind::Other, 0); }
    bool binary(json::binary_t&) { return Put(Kind::Other, 0); }
    bool string(std::string& text)
    {
        if (m_open.empty() || m_open.back().array || m_open.back().key == kNone)
            return true;  // no string the reader asked for
        m_strings.push_back(std::move(text));
        return Put(Kind::String, static_cast<uint32_t>(m_strings.size() - 1));
    }
    bool start_object(size_t)
    {
        const uint32_t object = static_cast<uint32_t>(m_next.size());
        m_next.push_back(kNone);
        m_slots.resize(m_slots.size() + m_keys.size());
        if (m_open.empty())
            m_top = object;
        else if (m_open.back().array)
            Append(m_open.back().index, object);
        else
            Put(Kind::Object, object);
        m_open.push_back(Open{object, kNone, false});
        return true;
    }
    bool key(std::string& name)
    {
        Open& open = m_open.back();
        open.key = kNone;
        for (size_t key = 0; key < m_keys.size(); ++key) {
            if (name == m_keys[key])
                open.key = static_cast<uint32_t>(key);
        }
        return true;
    }
    bool end_object()
    {
        m_open.pop_back();
        return true;
    }
    bool start_array(size_t)
    {
        const uint32_t array = static_cast<uint32_t>(m_arrays.size());
        m_arrays.push_back(Array{kNone, kNone});
        Put(Kind::Array, array);
        m_open.push_back(Open{array, kNone, true});
        return true;
    }
    bool end_array()
    {
        m_open.pop_back();
        return true;
    }
    bool parse_error(size_t, const std::string&, const nlohmann::detail::exception&) { return false; }

private:
    enum class Kind : uint8_t { Absent, String, Object, Array, Other };
    struct Value {
        Kind kind = Kind::Absent;
        uint32_t index = 0;
    };
    struct Array {
        uint32_t first;
        uint32_t last;
    };
    // An object or array the parser is inside, with an object's current key.
    struct Open {
        uint32_t index;
        uint32_t key;
        bool array;
    };

    const Value& Slot(uint32_t object, size_t key) const { return m_slots[object * m_keys.size() + key]; }

    uint32_t IndexOf(uint32_t object, size_t key, Kind kind) const
    {
        const Value& value = Slot(object, key);
        return value.kind == kind ? value.index : kNone;
    }

    // A value arrived: it becomes the current key's if the reader asked for
    // that key. Other values in an array do not matter to any reader.
    bool Put(Kind kind, uint32_t index)
    {
        if (m_open.empty() || m_open.back().array || m_open.back().key == kNone)
            return true;
        const Open& open = m_open.back();
        m_slots[open.index * m_keys.size() + open.key] = Value{kind, index};
        return true;
    }

    void Append(uint32_t array, uint32_t object)
    {
        Array& list = m_arrays[array];
        if (list.last == kNone)
            list.first = object;
        else
            m_next[list.last] = object;
        list.last = object;
    }

    std::vector<const char*> m_keys;
    std::vector<Value> m_slots;        // m_keys.size() per object
    std::vector<uint32_t> m_next;      // per object: the next object of its array
    std::vector<Array> m_arrays;
    std::vector<std::string> m_strings;
    std::vector<Open> m_open;          // the parser keeps its own nesting without recursion
    uint32_t m_top = kNone;
};

// Walks folders without recursion: a file may nest them as deep as it likes.
// `visit` sees each object and returns the array to descend into (kNone for
// none); `folder` tells the builder whether that opened one.
template <typename Visit>
void Walk(const JsonOutline& outline, uint32_t children, BookmarkTreeBuilder& builder, Visit visit)
{
    struct Level {
        uint32_t next;
        bool folder;
    };
    std::vector<Level> levels{Level{outline.FirstObject(children), false}};
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.next == JsonOutline::kNone) {
            if (level.folder)
                builder.CloseFolder();
            levels.pop_back();
            continue;
        }
        const uint32_t node = level.next;
        level.next = outline.NextObject(node);
        bool folder = false;
        const uint32_t inner = visit(node, folder);
        if (inner != JsonOutline::kNone)
            levels.push_back(Level{outline.FirstObject(inner), folder});
    }
}

} // namespace

NetscapeFile ParseChromiumFile(const char* data, size_t size, const std::string& topGroup)
{
    enum { kRoots, kBookmarkBar, kOther, kSynced, kChildren, kType, kName, kUrl };
    BookmarkTreeBuilder builder(topGroup);
    JsonOutline file({"roots", "bookmark_bar", "other", "synced", "children", "type", "name", "url"});
    if (!file.Parse(data, size) || file.Top() == JsonOutline::kNone)
        return builder.Finish();
    const uint32_t roots = file.ObjectOf(file.Top(), kRoots);
    if (roots == JsonOutline::kNone)
        return builder.Finish();
    builder.Recognise();
    // The roots are the browser's own places: their links are the top group's.
    for (const int root : {kBookmarkBar, kOther, kSynced}) {
        const uint32_t place = file.ObjectOf(roots, root);
        if (place == JsonOutline::kNone)
            continue;
        const uint32_t children = file.ArrayOf(place, kChildren);
        if (children == JsonOutline::kNone)
            continue;
        Walk(file, children, builder, [&](uint32_t node, bool& folder) -> uint32_t {
            const std::string& type = file.StringOf(node, kType);
            if (type == "url") {
                builder.AddLink(file.StringOf(node, kUrl), file.StringOf(node, kName));
            } else if (type == "folder") {
                const uint32_t inner = file.ArrayOf(node, kChildren);
                if (inner != JsonOutline::kNone) {
                    builder.OpenFolder(file.StringOf(node, kName));
                    folder = true;
                }
                return inner;
            }
            return JsonOutline::kNone;
        });
    }
    return builder.Finish();
}

NetscapeFile ParseFirefoxBackup(const char* data, size_t size, const std::string& topGroup)
{
    static const char kContainer[] = "text/x-moz-place-container";
    enum { kType, kChildren, kTitle, kUri, kRoot };
    BookmarkTreeBuilder builder(topGroup);
    JsonOutline file({"type", "children", "title", "uri", "root"});
    if (!file.Parse(data, size) || file.Top() == JsonOutline::kNone || file.StringOf(file.Top(), kType) != kContainer)
        return builder.Finish();
    builder.Recognise();
    const uint32_t top = file.ArrayOf(file.Top(), kChildren);
    if (top == JsonOutline::kNone)
        return builder.Finish();
    Walk(file, top, builder, [&](uint32_t node, bool& folder) -> uint32_t {
        const std::string& type = file.StringOf(node, kType);
        if (type == "text/x-moz-place") {
            builder.AddLink(file.StringOf(node, kUri), file.StringOf(node, kTitle));
        } else if (type == kContainer) {
            const uint32_t inner = file.ArrayOf(node, kChildren);
            // The built-in folders (menu, toolbar, ...) name a "root": their
            // links are the top group's, as a Chromium root's are.
            if (inner != JsonOutline::kNone && !file.Contains(node, kRoot)) {
                builder.OpenFolder(file.StringOf(node, kTitle));
                folder = true;
            }
            return inner;
        }
        return JsonOutline::kNone;  // separators and anything newer
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
