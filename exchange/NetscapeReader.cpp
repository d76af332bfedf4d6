// A browser's bookmark file read into folders and links.
#include "exchange/NetscapeReader.h"

#include "exchange/ImportFile.h"
#include "exchange/TagStream.h"
#include "store/CodePage.h"
#include "store/TextCompare.h"

#include <new>
#include <string_view>

namespace {

// The tags' meaning: folders, their lists, links and descriptions.
class NetscapeReader {
public:
    NetscapeReader(std::string_view text, const std::string& topGroup)
        : m_stream(text), m_folders(topGroup, m_file)
    {
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
            m_levels.push_back(m_folders.Add(m_levels.back(), std::move(m_pendingName), m_pendingUnconvertible));
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
        const size_t group = m_folders.GroupOf(m_levels.back());
        Spend(url.size() + name.size() + m_file.groups[group].name.size());
        NetscapeFile::Link link{BookmarkItem(), group, unconvertible};
        link.item.m_strURL = std::move(url);
        link.item.m_strName = std::move(name);
        m_file.links.push_back(std::move(link));
        m_lastLink = m_file.links.size() - 1;
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
    FolderGroups m_folders;        // after m_file, which it fills
    std::vector<size_t> m_levels;  // the folder of each open list, the top first
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

} // namespace

FolderGroups::FolderGroups(const std::string& topGroup, NetscapeFile& file)
    : m_file(file)
{
    m_folders.push_back(Folder{kNone, topGroup, 0, kNone});
}

size_t FolderGroups::Add(size_t parent, std::string name, size_t unconvertible)
{
    m_folders.push_back(Folder{parent, std::move(name), unconvertible, kNone});
    return m_folders.size() - 1;
}

size_t FolderGroups::GroupOf(size_t folder)
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

NetscapeFile ParseNetscapeFile(const char* data, size_t size, const std::string& topGroup)
{
    std::string_view text(data, size);
    // A byte-order mark outweighs what the file declares, as in browsers.
    const bool marked = text.compare(0, 3, "\xEF\xBB\xBF") == 0;
    if (marked)
        text.remove_prefix(3);
    const unsigned codePage = marked ? kCodePageUtf8 : CodePageOfCharset(DeclaredCharset(text));
    // A file naming no charset we know is read as a browser would guess it.
    std::string converted;
    if (codePage != kCodePageUtf8 && !IsAscii(text)) {
        if (codePage == 0 || !CodePageToUtf8(text.data(), text.size(), codePage, converted))
            converted = StoreTextOf(text, GuessTextEncoding(text));
        text = converted;
    }
    return NetscapeReader(text, topGroup).Read();
}
