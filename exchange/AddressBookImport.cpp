// The address book import: CSV rows into e-mail bookmarks.
#include "exchange/AddressBookImport.h"

#include "exchange/ImportFile.h"
#include "exchange/LinkImport.h"
#include "store/CBookmarkDoc.h"
#include "store/CodePage.h"
#include "store/CoreText.h"
#include "store/Prompt.h"

namespace {

const size_t npos = std::string_view::npos;

bool IsHeader(std::string_view line)
{
    const size_t comma = line.find(',');
    const std::string_view first = comma == npos ? std::string_view() : line.substr(0, comma);
    const std::string_view rest = comma == npos ? line : line.substr(comma + 1);
    return first == "Name" || rest == "E-mail Address";
}

// A quoted name runs between the first two double quotes; the address, as for
// an unquoted line, is everything after the next comma, further columns too.
void SplitEntry(std::string_view line, std::string_view& name, std::string_view& address)
{
    const size_t open = line.find('"');
    if (open == npos) {
        const size_t comma = line.find(',');
        name = comma == npos ? std::string_view() : line.substr(0, comma);
        address = comma == npos ? std::string_view() : line.substr(comma + 1);
        return;
    }
    const size_t close = line.find('"', open + 1);
    if (close == npos) {
        name = std::string_view();
        address = std::string_view();
        return;
    }
    name = line.substr(open + 1, close - open - 1);
    const size_t comma = line.find(',', close + 1);
    address = comma == npos ? std::string_view() : line.substr(comma + 1);
}

} // namespace

bool ParseAddressBook(std::string_view text, const std::string& group, std::vector<BookmarkItem>& candidates)
{
    const TextEncoding encoding = GuessTextEncoding(text);
    LineCursor lines(text);
    std::string_view line;
    if (!lines.Next(line))
        return true;
    if (!IsHeader(line))
        return false;
    while (lines.Next(line)) {
        std::string_view name;
        std::string_view address;
        SplitEntry(line, name, address);
        if (name.empty())
            continue;
        CheckImportItems(candidates.size());
        BookmarkItem candidate;
        candidate.m_strName = StoreTextOf(name, encoding);
        candidate.m_strURL = "mailto:";
        candidate.m_strURL += StoreTextOf(address, encoding);
        candidate.m_strGroup = group;
        candidates.push_back(std::move(candidate));
    }
    return true;
}

bool ImportAddressBook(const std::string& path, CBookmarkDoc& doc, IPrompt& prompt)
{
    return ReadAndImport(path, prompt, UserText(CoreText::ReadAddressBookFailed).c_str(), [&](const std::string& text) {
        const std::string group = GroupNameOfPath(path);
        std::vector<BookmarkItem> candidates;
        if (!ParseAddressBook(text, group, candidates)) {
            prompt.ShowMessage(UserText(CoreText::NotAddressBook), MessageStyle::StopOk);
            return false;
        }
        CommitLinks(doc, prompt, group, candidates,
                    UserText(CoreText::NoAddressBookUrls).c_str());
        return true;
    });
}
