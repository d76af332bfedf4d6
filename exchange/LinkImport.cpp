// What the HTML and address-book imports share once their file is read.
#include "exchange/LinkImport.h"

#include "exchange/ImportFile.h"
#include "query/UrlIdentity.h"
#include "store/CBookmarkDoc.h"
#include "store/FileError.h"
#include "store/FileIO.h"
#include "store/FileOperation.h"
#include "store/Prompt.h"
#include "store/TextCompare.h"

#include <cstdint>
#include <memory>
#include <new>
#include <vector>

namespace {

// Candidate URL -> how many stored items hold it, by the given rule of
// equal URLs. Indexing the few
// candidates and walking the store once beats indexing a store of a million
// items; the table is flat and small, eight bytes a slot, so that walk stays
// in the cache.
class MatchCounts {
public:
    using Hash = size_t (*)(const std::string&);
    using Equal = bool (*)(const std::string&, const std::string&);

    MatchCounts(const std::vector<const std::string*>& urls, Hash hash, Equal equal)
        : m_urls(urls), m_hash(hash), m_equal(equal)
    {
        size_t capacity = 16;
        while (capacity < urls.size() + urls.size() / 2)
            capacity *= 2;
        m_slots.resize(capacity);
        m_mask = capacity - 1;
        m_counts.resize(urls.size());
    }

    // The count of `url`, or null when no candidate has it.
    size_t* Find(const std::string& url) { return Probe(url, false); }
    void Insert(uint32_t candidate) { *Probe(*m_urls[candidate], true, candidate) = 0; }

private:
    struct Slot {
        uint32_t hash = 0;
        uint32_t candidate = kEmpty;
    };
    static const uint32_t kEmpty = UINT32_MAX;

    size_t* Probe(const std::string& url, bool insert, uint32_t candidate = kEmpty)
    {
        const size_t full = m_hash(url);
        const uint32_t hash = static_cast<uint32_t>(full ^ (full >> 31));
        for (size_t i = hash & m_mask;; i = (i + 1) & m_mask) {
            Slot& slot = m_slots[i];
            if (slot.candidate == kEmpty) {
                if (!insert)
                    return nullptr;
                slot.hash = hash;
                slot.candidate = candidate;
                return &m_counts[candidate];
            }
            if (slot.hash == hash && m_equal(*m_urls[slot.candidate], url))
                return &m_counts[slot.candidate];
        }
    }

    const std::vector<const std::string*>& m_urls;
    Hash m_hash;
    Equal m_equal;
    std::vector<Slot> m_slots;
    std::vector<size_t> m_counts;
    size_t m_mask;
};

MatchCounts CountStoredMatches(const CBookmarkDoc& doc, const std::vector<const std::string*>& urls,
                               MatchCounts::Hash hash, MatchCounts::Equal equal)
{
    MatchCounts counts(urls, hash, equal);
    if (urls.empty())
        return counts;
    for (size_t i = 0; i < urls.size(); ++i)
        counts.Insert(static_cast<uint32_t>(i));
    for (const BookmarkItem& item : doc.Items()) {
        if (size_t* count = counts.Find(item.m_strURL))
            ++*count;
    }
    return counts;
}

} // namespace

std::vector<UrlDuplicate> DuplicateUrls(const CBookmarkDoc& doc, const std::vector<const std::string*>& urls)
{
    const size_t kInFile = SIZE_MAX;  // no stored item, but an earlier entry
    MatchCounts counts = CountStoredMatches(doc, urls, HashAddress, SameAddress);
    std::vector<UrlDuplicate> duplicate(urls.size());
    for (size_t i = 0; i < urls.size(); ++i) {
        size_t& matches = *counts.Find(*urls[i]);
        if (matches == 0)
            matches = kInFile;  // later copies in the same file meet this one
        else
            duplicate[i] = matches == kInFile ? UrlDuplicate::Repeated : UrlDuplicate::Stored;
    }
    return duplicate;
}

void CommitLinks(CBookmarkDoc& doc, IPrompt& prompt, const std::string& group, const std::vector<BookmarkItem>& candidates,
                 const char* noUrlsMessage)
{
    std::vector<const std::string*> urls(candidates.size());
    for (size_t i = 0; i < candidates.size(); ++i)
        urls[i] = &candidates[i].m_strURL;
    MatchCounts counts = CountStoredMatches(doc, urls, HashNoCase, TextEqual);
    std::vector<BookmarkItem> added;
    added.reserve(candidates.size());
    for (const BookmarkItem& candidate : candidates) {
        size_t& matches = *counts.Find(candidate.m_strURL);
        if (matches == 0) {
            added.push_back(candidate);
            matches = 1;  // later copies in the same file meet this one
            continue;
        }
        const std::string notice = "The following URL exists already in your database:\n" + candidate.m_strURL;
        for (size_t i = 0; i < matches; ++i)
            prompt.ShowMessage(notice, MessageStyle::InformationOk);
    }
    // A page without links still leaves its new, empty group current.
    doc.AddItems(std::move(added), {group}, nullptr, &group, true);
    if (candidates.empty())
        prompt.ShowMessage(noUrlsMessage, MessageStyle::StopOk);
}

bool ReadAndImport(const std::string& path, IPrompt& prompt, const char* readFailure,
                   const std::function<bool(const std::string& text)>& scan)
{
    std::unique_ptr<InputFile> file;
    if (!RunFileOperation(prompt, path, FileReport::General, [&] { file = std::make_unique<InputFile>(path); }))
        return false;
    bool imported = false;
    const bool read = RunFileOperation(prompt, readFailure, [&] {
        const std::string text = ReadImportFile(*file);
        file.reset();
        imported = scan(text);
    });
    return read && imported;
}
