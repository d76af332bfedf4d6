// The HTML import: a page's http:// links as a new group.
#include "exchange/HtmlImport.h"

#include "exchange/ImportFile.h"
#include "exchange/LinkImport.h"
#include "exchange/HtmlExport.h"
#include "store/CBookmarkDoc.h"
#include "store/CoreText.h"
#include "store/Prompt.h"

#include <cstring>
#include <string_view>

namespace {

const char* Find(const char* from, const char* end, char c)
{
    const void* found = std::memchr(from, c, static_cast<size_t>(end - from));
    return found ? static_cast<const char*>(found) : end;
}

} // namespace

TextEncoding HtmlPageEncoding(std::string_view& page)
{
    const TextEncoding guessed = GuessTextEncoding(page);
    // The pages this program writes say so when they are UTF-8.
    return page.find(kUtf8PageCharset) != std::string_view::npos ? TextEncoding::Utf8 : guessed;
}

void ScanHtmlLinks(const char* text, size_t size, std::vector<LinkSpan>& links)
{
    const std::string_view all(text, size);
    size_t pos = 0;
    // Looking for "http://" across lines finds the first one of the next line
    // that has one, since every search starts at the beginning of a line.
    for (;;) {
        const size_t scheme = all.find("http://", pos);
        if (scheme == std::string_view::npos)
            return;
        const char* tail = text + scheme;
        const char* feed = Find(tail, text + size, '\n');
        const char* lineEnd = feed;
        if (feed != text + size && feed[-1] == '\r')
            --lineEnd;
        pos = static_cast<size_t>(feed - text) + 1;  // past the end after the last line: find gives npos

        const char* quote = Find(tail, lineEnd, '"');
        if (quote == lineEnd)
            continue;
        const char* close = Find(quote, lineEnd, '>');
        const char* nameBegin = close == lineEnd ? quote : close + 1;
        const char* nameEnd = Find(nameBegin, lineEnd, '<');
        if (nameEnd == lineEnd)
            nameEnd = nameBegin;
        CheckImportItems(links.size());
        links.push_back(LinkSpan{scheme, static_cast<size_t>(quote - tail), static_cast<size_t>(nameBegin - text),
                                 static_cast<size_t>(nameEnd - nameBegin)});
    }
}

bool ImportHtml(const std::string& path, CBookmarkDoc& doc, IPrompt& prompt)
{
    return ReadAndImport(path, prompt, UserText(CoreText::ReadHtmlFailed).c_str(), [&](const std::string& text) {
        const std::string group = GroupNameOfPath(path);
        std::vector<BookmarkItem> candidates;
        {
            std::string_view page(text);
            const TextEncoding encoding = HtmlPageEncoding(page);
            std::vector<LinkSpan> links;
            ScanHtmlLinks(page.data(), page.size(), links);
            candidates.resize(links.size());
            for (size_t i = 0; i < links.size(); ++i) {
                candidates[i].m_strURL = StoreTextOf(page.substr(links[i].urlBegin, links[i].urlLength), encoding);
                candidates[i].m_strName = StoreTextOf(page.substr(links[i].nameBegin, links[i].nameLength), encoding);
                candidates[i].m_strGroup = group;
            }
        }
        CommitLinks(doc, prompt, group, candidates, UserText(CoreText::NoHtmlUrls).c_str());
        return true;
    });
}
