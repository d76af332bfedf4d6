#include "exchange/NetscapeImport.h"

#include "exchange/CharacterReference.h"
#include "exchange/IconFilter.h"
#include "exchange/ImportFile.h"
#include "exchange/LinkImport.h"
#include "store/CBookmarkDoc.h"
#include "store/CodePage.h"
#include "store/CoreText.h"
#include "store/FileIO.h"
#include "store/FileOperation.h"
#include "store/PathNames.h"
#include "store/Prompt.h"
#include "store/TextCompare.h"
#include "store/TextFormat.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <string_view>
#include <unordered_map>

namespace {

const size_t kNone = static_cast<size_t>(-1);

// HTML's blanks; a vertical tab is none.
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// `text` begins with `lower`, ASCII letters in any case.
bool StartsNoCase(std::string_view text, const char* lower)
{
    const size_t n = std::strlen(lower);
    if (text.size() < n)
        return false;
    for (size_t i = 0; i < n; ++i) {
        if (FoldAscii(text[i]) != lower[i])
            return false;
    }
    return true;
}

bool EqualsNoCase(std::string_view text, const char* lower)
{
    return text.size() == std::strlen(lower) && StartsNoCase(text, lower);
}

size_t FindNoCase(std::string_view text, const char* lower)
{
    for (size_t i = 0; i < text.size(); ++i) {
        if (StartsNoCase(text.substr(i), lower))
            return i;
    }
    return kNone;
}

// Walks the attributes of a tag from just after its name, as browsers read
// them: a name, then optionally "=" and a value in double quotes, single
// quotes or bare.
class AttributeReader {
public:
    explicit AttributeReader(std::string_view text) : m_text(text) {}

    // False at the tag's ">" (then Closed()) or where the text ends.
    bool Next(std::string_view& name, std::string_view& value)
    {
        while (m_pos < m_text.size() && (IsBlank(m_text[m_pos]) || m_text[m_pos] == '/'))
            ++m_pos;
        if (m_pos >= m_text.size() || m_text[m_pos] == '>')
            return false;
        const size_t nameStart = m_pos++;  // a first "=" belongs to the name
        while (m_pos < m_text.size() && !IsBlank(m_text[m_pos]) && m_text[m_pos] != '/' && m_text[m_pos] != '>' &&
               m_text[m_pos] != '=')
            ++m_pos;
        name = m_text.substr(nameStart, m_pos - nameStart);
        value = std::string_view();
        SkipBlanks();
        if (m_pos >= m_text.size() || m_text[m_pos] != '=')
            return true;
        ++m_pos;
        SkipBlanks();
        if (m_pos >= m_text.size())
            return true;
        const char quote = m_text[m_pos];
        if (quote == '"' || quote == '\'') {
            const size_t close = m_text.find(quote, m_pos + 1);
            if (close == std::string_view::npos) {
                m_pos = m_text.size();  // cut off: the tag never ends
                return false;
            }
            value = m_text.substr(m_pos + 1, close - m_pos - 1);
            m_pos = close + 1;
            return true;
        }
        const size_t valueStart = m_pos;
        while (m_pos < m_text.size() && !IsBlank(m_text[m_pos]) && m_text[m_pos] != '>')
            ++m_pos;
        value = m_text.substr(valueStart, m_pos - valueStart);
        return true;
    }

    bool Closed() const { return m_pos < m_text.size() && m_text[m_pos] == '>'; }
    size_t Position() const { return m_pos; }

private:
    void SkipBlanks()
    {
        while (m_pos < m_text.size() && IsBlank(m_text[m_pos]))
            ++m_pos;
    }

    std::string_view m_text;
    size_t m_pos = 0;
};

bool FindAttribute(std::string_view attributes, const char* lowerName, std::string_view& value)
{
    AttributeReader reader(attributes);
    std::string_view name;
    while (reader.Next(name, value)) {
        if (EqualsNoCase(name, lowerName))
            return true;
    }
    return false;
}

struct Piece {
    enum Kind { Text, StartTag, EndTag, Doctype } kind;
    std::string_view text;        // the raw text, the tag's name or the DOCTYPE's content
    std::string_view attributes;  // a start tag's, up to its ">"
};

// The file as text and tags; comments and other declarations are skipped, a
// tag the file cuts off is dropped, and a "<" that begins no tag is text.
class TagStream {
public:
    explicit TagStream(std::string_view text) : m_text(text) {}

    bool Next(Piece& piece)
    {
        while (m_pos < m_text.size()) {
            const size_t textEnd = FindMarkup(m_pos);
            if (textEnd > m_pos) {
                piece = Piece{Piece::Text, m_text.substr(m_pos, textEnd - m_pos), {}};
                m_pos = textEnd;
                return true;
            }
            if (ReadMarkup(piece))
                return true;
        }
        return false;
    }

private:
    bool BeginsMarkup(size_t at) const
    {
        if (at + 1 >= m_text.size())
            return false;
        const char next = m_text[at + 1];
        return IsLetter(next) || next == '!' || next == '?' ||
               (next == '/' && at + 2 < m_text.size() && IsLetter(m_text[at + 2]));
    }

    size_t FindMarkup(size_t from) const
    {
        for (;;) {
            const void* found = std::memchr(m_text.data() + from, '<', m_text.size() - from);
            if (!found)
                return m_text.size();
            from = static_cast<size_t>(static_cast<const char*>(found) - m_text.data());
            if (BeginsMarkup(from))
                return from;
            ++from;
        }
    }

    // The markup at m_pos; false when it was one to skip.
    bool ReadMarkup(Piece& piece)
    {
        const char next = m_text[m_pos + 1];
        if (next == '!' || next == '?') {
            if (m_text.compare(m_pos, 4, "<!--") == 0) {
                const size_t close = m_text.find("-->", m_pos + 4);
                m_pos = close == std::string_view::npos ? m_text.size() : close + 3;
                return false;
            }
            size_t close = m_text.find('>', m_pos + 2);
            if (close == std::string_view::npos)
                close = m_text.size();
            const std::string_view body = m_text.substr(m_pos + 2, close - m_pos - 2);
            m_pos = std::min(close + 1, m_text.size());
            if (next == '!' && StartsNoCase(body, "doctype")) {
                piece = Piece{Piece::Doctype, body, {}};
                return true;
            }
            return false;
        }
        const bool end = next == '/';
        const size_t nameStart = m_pos + (end ? 2 : 1);
        size_t nameEnd = nameStart;
        while (nameEnd < m_text.size() && !IsBlank(m_text[nameEnd]) && m_text[nameEnd] != '/' && m_text[nameEnd] != '>')
            ++nameEnd;
        AttributeReader reader(m_text.substr(nameEnd));
        std::string_view name;
        std::string_view value;
        while (reader.Next(name, value)) {
        }
        if (!reader.Closed()) {
            m_pos = m_text.size();
            return false;
        }
        piece = Piece{end ? Piece::EndTag : Piece::StartTag, m_text.substr(nameStart, nameEnd - nameStart),
                      m_text.substr(nameEnd, reader.Position())};
        m_pos = nameEnd + reader.Position() + 1;
        return true;
    }

    std::string_view m_text;
    size_t m_pos = 0;
};

void AppendUtf8(std::string& out, uint32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool IsAscii(const std::string& text)
{
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

// One text gathered from the pieces between tags, references decoded. The
// blanks the file writes as such at both ends are trimmed; those it writes
// as references are kept, which is how the export keeps them. `utf8` says
// what the file is in: UTF-8 (read or converted), or bytes taken as they
// are, into which a reference goes in the store's code page at once.
class TextCollector {
public:
    explicit TextCollector(bool utf8) : m_utf8(utf8) {}

    void Start()
    {
        m_text.clear();
        m_lead = 0;
        m_trail = 0;
        m_onlyBlanks = true;
        m_unconvertible = 0;
    }

    void Append(std::string_view raw)
    {
        size_t i = 0;
        while (i < raw.size()) {
            const size_t amp = raw.find('&', i);
            const size_t runEnd = amp == std::string_view::npos ? raw.size() : amp;
            AppendRaw(raw.substr(i, runEnd - i));
            if (amp == std::string_view::npos)
                break;
            CharacterReference reference;
            if (ReadCharacterReference(raw, amp, reference)) {
                for (size_t k = 0; k < reference.count; ++k)
                    AppendCharacter(reference.codes[k]);
                i = amp + reference.length;
            } else {
                AppendRaw("&");
                i = amp + 1;
            }
        }
    }

    // The text in the store's code page; adds the characters that became '?'.
    std::string Finish(size_t& unconvertible)
    {
        if (m_onlyBlanks)
            return std::string();
        std::string text = m_text.substr(m_lead, m_text.size() - m_lead - m_trail);
        unconvertible += m_unconvertible;
        if (m_utf8 && !IsAscii(text))
            return Utf8ToSystemCodePage(text, unconvertible);
        return text;
    }

private:
    void AppendRaw(std::string_view run)
    {
        if (run.empty())
            return;
        size_t lead = 0;
        while (lead < run.size() && IsBlank(run[lead]))
            ++lead;
        if (m_onlyBlanks) {
            m_lead += lead;
            m_onlyBlanks = lead == run.size();
        }
        size_t trail = 0;
        while (trail < run.size() && IsBlank(run[run.size() - 1 - trail]))
            ++trail;
        m_trail = trail == run.size() ? m_trail + trail : trail;
        m_text.append(run.data(), run.size());
    }

    void AppendCharacter(uint32_t code)
    {
        std::string utf8;
        AppendUtf8(utf8, code);
        m_text += m_utf8 || code < 0x80 ? utf8 : Utf8ToSystemCodePage(utf8, m_unconvertible);
        m_onlyBlanks = false;
        m_trail = 0;
    }

    bool m_utf8;
    std::string m_text;
    size_t m_lead = 0;
    size_t m_trail = 0;
    bool m_onlyBlanks = true;
    size_t m_unconvertible = 0;
};

struct NoCaseHash {
    size_t operator()(const std::string& text) const { return HashNoCase(text); }
};
struct NoCaseEqual {
    bool operator()(const std::string& a, const std::string& b) const { return TextEqual(a, b); }
};
using NoCaseIndex = std::unordered_map<std::string, size_t, NoCaseHash, NoCaseEqual>;

// The tags' meaning: folders, their lists, links and descriptions.
class NetscapeReader {
public:
    NetscapeReader(std::string_view text, bool utf8, const std::string& topGroup)
        : m_stream(text), m_collector(utf8), m_url(utf8)
    {
        m_folders.push_back(Folder{kNone, topGroup, 0, kNone});
        m_levels.push_back(0);
    }

    NetscapeFile Read()
    {
        Piece piece;
        while (m_stream.Next(piece)) {
            switch (piece.kind) {
            case Piece::Text:
                if (m_capture != Capture::None)
                    m_collector.Append(piece.text);
                break;
            case Piece::Doctype:
                if (FindNoCase(piece.text, "netscape-bookmark-file-1") != kNone)
                    m_file.recognised = true;
                break;
            case Piece::StartTag: OnStartTag(piece.text, piece.attributes); break;
            case Piece::EndTag: OnEndTag(piece.text); break;
            }
        }
        EndCapture();
        return std::move(m_file);
    }

private:
    enum class Capture { None, FolderName, LinkName, Description };

    struct Folder {
        size_t parent;
        std::string name;
        size_t unconvertible;
        size_t group;  // kNone until a link lands in it
    };

    // The tags that end a link's or a folder's name when its end tag is missing.
    static bool EndsName(std::string_view tag)
    {
        static const char* const kTags[] = {"a", "dt", "dd", "dl", "hr", "p", "h1", "h2", "h3", "h4", "h5", "h6"};
        for (const char* known : kTags) {
            if (EqualsNoCase(tag, known))
                return true;
        }
        return false;
    }

    void OnStartTag(std::string_view tag, std::string_view attributes)
    {
        if (m_capture == Capture::Description || EndsName(tag))
            EndCapture();
        if (EqualsNoCase(tag, "a")) {
            m_folderPending = false;
            m_lastLink = kNone;
            std::string_view href;
            if (!FindAttribute(attributes, "href", href))
                return;
            m_file.recognised = true;
            m_url.Start();
            m_url.Append(href);
            StartCapture(Capture::LinkName);
        } else if (EqualsNoCase(tag, "h3")) {
            m_folderPending = false;
            m_lastLink = kNone;
            StartCapture(Capture::FolderName);
        } else if (EqualsNoCase(tag, "dl")) {
            OpenList();
        } else if (EqualsNoCase(tag, "dd")) {
            m_describedLink = m_lastLink;
            m_lastLink = kNone;
            if (m_describedLink != kNone)
                StartCapture(Capture::Description);
        } else if (EqualsNoCase(tag, "dt") || EqualsNoCase(tag, "hr")) {
            m_folderPending = false;
            m_lastLink = kNone;
        }
    }

    void OnEndTag(std::string_view tag)
    {
        if (m_capture == Capture::Description || (m_capture == Capture::LinkName && EqualsNoCase(tag, "a")) ||
            (m_capture == Capture::FolderName && EqualsNoCase(tag, "h3")) || EndsName(tag))
            EndCapture();
        if (EqualsNoCase(tag, "dl")) {
            if (m_levels.size() > 1)
                m_levels.pop_back();
            m_folderPending = false;
            m_lastLink = kNone;
        }
    }

    void OpenList()
    {
        if (m_folderPending) {
            m_folders.push_back(Folder{m_levels.back(), std::move(m_pendingName), m_pendingUnconvertible, kNone});
            m_levels.push_back(m_folders.size() - 1);
        } else {
            m_levels.push_back(m_levels.back());  // a list of no folder's: its links stay where they are
        }
        m_folderPending = false;
        m_lastLink = kNone;
    }

    void StartCapture(Capture capture)
    {
        m_capture = capture;
        m_collector.Start();
    }

    void EndCapture()
    {
        const Capture capture = m_capture;
        m_capture = Capture::None;
        switch (capture) {
        case Capture::None: break;
        case Capture::FolderName:
            m_pendingUnconvertible = 0;
            m_pendingName = m_collector.Finish(m_pendingUnconvertible);
            m_folderPending = true;
            break;
        case Capture::LinkName: AddLink(); break;
        case Capture::Description: {
            NetscapeFile::Link& link = m_file.links[m_describedLink];
            link.item.m_strDescription = m_collector.Finish(link.unconvertible);
            Spend(link.item.m_strDescription.size());
            break;
        }
        }
    }

    void AddLink()
    {
        size_t unconvertible = 0;
        std::string url = m_url.Finish(unconvertible);
        std::string name = m_collector.Finish(unconvertible);
        if (url.empty() || StartsNoCase(url, "place:")) {
            ++m_file.skipped;
            return;
        }
        CheckImportItems(m_file.links.size());
        const size_t group = GroupOf(m_levels.back());
        Spend(url.size() + name.size() + m_file.groups[group].name.size());
        NetscapeFile::Link link{BookmarkItem(), group, unconvertible};
        link.item.m_strURL = std::move(url);
        link.item.m_strName = std::move(name);
        m_file.links.push_back(std::move(link));
        m_lastLink = m_file.links.size() - 1;
    }

    // The group of a folder's links: its path from the top, or the top
    // group; made when its first link comes.
    size_t GroupOf(size_t folder)
    {
        if (m_folders[folder].group != kNone)
            return m_folders[folder].group;
        std::string path;
        size_t unconvertible = 0;
        if (folder == 0) {
            path = m_folders[0].name;
        } else {
            std::vector<size_t> chain;
            for (size_t f = folder; f != 0; f = m_folders[f].parent)
                chain.push_back(f);
            for (size_t i = chain.size(); i-- > 0;) {
                const Folder& part = m_folders[chain[i]];
                if (i + 1 < chain.size())
                    path += " / ";
                path += part.name;
                unconvertible += part.unconvertible;
            }
        }
        const auto found = m_groupIndex.find(path);
        size_t group;
        if (found != m_groupIndex.end()) {
            group = found->second;
        } else {
            group = m_file.groups.size();
            m_groupIndex.emplace(path, group);
            m_file.groups.push_back(NetscapeFile::Group{std::move(path), unconvertible});
        }
        m_folders[folder].group = group;
        return group;
    }

    // Folders nested deep repeat their long paths in every link: a bound
    // as for the file itself keeps a small file from filling the memory.
    void Spend(size_t bytes)
    {
        m_spent += bytes;
        if (m_spent > kMaxImportFileSize)
            throw std::bad_alloc();
    }

    TagStream m_stream;
    TextCollector m_collector;
    TextCollector m_url;
    NetscapeFile m_file;
    std::vector<Folder> m_folders;  // [0] is the top, outside every folder
    std::vector<size_t> m_levels;   // the folder of each open list, the top first
    NoCaseIndex m_groupIndex;
    Capture m_capture = Capture::None;
    bool m_folderPending = false;  // an <H3> waits for its <DL>
    std::string m_pendingName;
    size_t m_pendingUnconvertible = 0;
    size_t m_lastLink = kNone;  // the link a <DD> would describe
    size_t m_describedLink = kNone;
    uint64_t m_spent = 0;
};

// The charset a META names: from its charset attribute, or from the
// "charset=" in a Content-Type's content.
std::string_view MetaCharset(std::string_view attributes)
{
    std::string_view value;
    if (FindAttribute(attributes, "charset", value))
        return value;
    if (!FindAttribute(attributes, "content", value))
        return std::string_view();
    const size_t at = FindNoCase(value, "charset=");
    if (at == kNone)
        return std::string_view();
    value.remove_prefix(at + 8);
    size_t end = 0;
    while (end < value.size() && !IsBlank(value[end]) && value[end] != ';' && value[end] != '"' && value[end] != '\'')
        ++end;
    return value.substr(0, end);
}

// The first charset a META names before the bookmarks begin; empty for none.
std::string_view DeclaredCharset(std::string_view text)
{
    TagStream stream(text);
    Piece piece;
    while (stream.Next(piece)) {
        if (piece.kind != Piece::StartTag)
            continue;
        if (EqualsNoCase(piece.text, "a") || EqualsNoCase(piece.text, "h3") || EqualsNoCase(piece.text, "dl"))
            break;
        if (EqualsNoCase(piece.text, "meta")) {
            const std::string_view charset = MetaCharset(piece.attributes);
            if (!charset.empty())
                return charset;
        }
    }
    return std::string_view();
}

// The code page of a charset label; 0 for one taken byte for byte.
unsigned CodePageOfCharset(std::string_view label)
{
    while (!label.empty() && IsBlank(label.front()))
        label.remove_prefix(1);
    while (!label.empty() && IsBlank(label.back()))
        label.remove_suffix(1);
    if (label.empty() || EqualsNoCase(label, "utf-8") || EqualsNoCase(label, "utf8"))
        return kCodePageUtf8;
    // Browsers read these two as windows-1252.
    if (EqualsNoCase(label, "iso-8859-1") || EqualsNoCase(label, "us-ascii"))
        return 1252;
    if (EqualsNoCase(label, "iso-8859-15"))
        return 28605;
    if (label.size() == 12 && StartsNoCase(label, "windows-125") && label[11] >= '0' && label[11] <= '8')
        return 1250 + static_cast<unsigned>(label[11] - '0');
    return 0;
}

// "1 bookmark", "2 bookmarks".
std::string Counted(size_t count, CoreText one, CoreText many)
{
    return FormatText(UserText(count == 1 ? one : many), {std::to_string(count)});
}

std::string Summary(size_t imported, size_t groups, size_t stored, size_t repeated, size_t unconvertible,
                    size_t skipped)
{
    std::string text = FormatText(UserText(CoreText::ImportedInto),
                                  {Counted(imported, CoreText::BookmarkOne, CoreText::BookmarkMany),
                                   Counted(groups, CoreText::GroupOne, CoreText::GroupMany)}) +
                       " " + Counted(stored, CoreText::StoredOne, CoreText::StoredMany);
    if (repeated != 0)
        text += " " + Counted(repeated, CoreText::RepeatedOne, CoreText::RepeatedMany);
    if (unconvertible != 0)
        text += "\n" + Counted(unconvertible, CoreText::UnconvertibleOne, CoreText::UnconvertibleMany);
    if (skipped != 0)
        text += "\n" + Counted(skipped, CoreText::SkippedOne, CoreText::SkippedMany);
    return text;
}

// Puts the file's new links into the store: everything that can fail (the
// copies, the room in both arrays) comes first, then only moves.
std::string AddToStore(CBookmarkDoc& doc, NetscapeFile& file)
{
    std::vector<const std::string*> urls(file.links.size());
    for (size_t i = 0; i < file.links.size(); ++i)
        urls[i] = &file.links[i].item.m_strURL;
    const std::vector<UrlDuplicate> duplicate = DuplicateUrls(doc, urls);

    NoCaseIndex stored;
    for (size_t g = 0; g < doc.m_arrGroups.size(); ++g)
        stored.emplace(doc.m_arrGroups[g], g);
    std::vector<std::string> groupNames(file.groups.size());
    std::vector<bool> received(file.groups.size());
    std::vector<std::string> newGroups;
    std::vector<BookmarkItem> added;
    size_t receiving = 0;
    size_t repeated = 0;
    size_t unconvertible = 0;
    for (size_t i = 0; i < file.links.size(); ++i) {
        if (duplicate[i] != UrlDuplicate::None) {
            repeated += duplicate[i] == UrlDuplicate::Repeated;
            continue;
        }
        NetscapeFile::Link& link = file.links[i];
        if (!received[link.group]) {
            received[link.group] = true;
            ++receiving;
            const NetscapeFile::Group& group = file.groups[link.group];
            const auto found = stored.find(group.name);
            if (found != stored.end()) {
                groupNames[link.group] = doc.m_arrGroups[found->second];  // as the store spells it
            } else {
                groupNames[link.group] = group.name;
                newGroups.push_back(group.name);
                unconvertible += group.unconvertible;
            }
        }
        link.item.m_strGroup = groupNames[link.group];
        unconvertible += link.unconvertible;
        added.push_back(std::move(link.item));
    }
    const std::string summary = Summary(added.size(), receiving, file.links.size() - added.size() - repeated, repeated,
                                        unconvertible, file.skipped);
    if (added.empty())
        return summary;
    std::string current = added.front().m_strGroup;
    doc.m_arrGroups.reserve(doc.m_arrGroups.size() + newGroups.size());
    doc.m_arrItems.reserve(doc.m_arrItems.size() + added.size());

    for (std::string& group : newGroups)
        doc.m_arrGroups.push_back(std::move(group));
    for (BookmarkItem& item : added)
        doc.m_arrItems.push_back(std::move(item));
    doc.Selection().currentGroup.swap(current);
    doc.Commit(nullptr);
    return summary;
}

} // namespace

NetscapeFile ParseNetscapeFile(const char* data, size_t size, const std::string& topGroup)
{
    std::string_view text(data, size);
    // A byte-order mark outweighs what the file declares, as in browsers.
    const bool marked = text.compare(0, 3, "\xEF\xBB\xBF") == 0;
    if (marked)
        text.remove_prefix(3);
    const unsigned codePage = marked ? kCodePageUtf8 : CodePageOfCharset(DeclaredCharset(text));
    std::string converted;
    bool utf8 = codePage != 0;
    if (codePage != 0 && codePage != kCodePageUtf8) {
        utf8 = CodePageToUtf8(text.data(), text.size(), codePage, converted);
        if (utf8)
            text = converted;
    }
    return NetscapeReader(text, utf8, topGroup).Read();
}

bool ImportNetscapeFile(const std::string& path, CBookmarkDoc& doc, IPrompt& prompt)
{
    return ImportNetscapeFile(path, doc, prompt, kMaxImportFileSize);
}

bool ImportNetscapeFile(const std::string& path, CBookmarkDoc& doc, IPrompt& prompt, uint64_t limit)
{
    bool tooLarge = false;
    bool recognised = true;
    std::string summary;
    const bool read = RunFileOperation(prompt, path, FileReport::General, [&] {
        NetscapeFile file;
        {
            InputFile input(path);
            std::string text;
            tooLarge = !ReadWithoutIcons(input, limit, text);
            if (tooLarge)
                return;
            file = ParseNetscapeFile(text.data(), text.size(), GroupNameOfPath(path));
        }
        recognised = file.recognised;
        if (recognised)
            summary = AddToStore(doc, file);
    });
    if (!read)
        return false;
    if (tooLarge) {
        const std::string megabytes = std::to_string(limit >> 20);
        prompt.ShowMessage(FormatText(UserText(CoreText::BrowserFileTooLarge), {path, megabytes}),
                           MessageStyle::StopOk);
        return false;
    }
    if (!recognised) {
        prompt.ShowMessage(UserText(CoreText::NotBrowserFile), MessageStyle::StopOk);
        return false;
    }
    prompt.ShowMessage(summary, MessageStyle::InformationOk);
    return true;
}
