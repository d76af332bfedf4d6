// A browser's bookmark file handed over to the store, with its summary.
#include "exchange/NetscapeImport.h"

#include "exchange/IconFilter.h"
#include "exchange/ImportFile.h"
#include "exchange/LinkImport.h"
#include "store/CBookmarkDoc.h"
#include "store/CoreText.h"
#include "store/FileIO.h"
#include "store/FileOperation.h"
#include "store/PathNames.h"
#include "store/Prompt.h"
#include "store/TextCompare.h"
#include "store/TextFormat.h"

#include <cstdint>

namespace {

std::string Summary(size_t imported, size_t groups, size_t stored, size_t repeated, size_t unconvertible,
                    size_t skipped)
{
    std::string text = FormatText(UserText(CoreText::ImportedInto),
                                  {CountedText(imported, CoreText::BookmarkOne, CoreText::BookmarkMany),
                                   CountedText(groups, CoreText::GroupOne, CoreText::GroupMany)}) +
                       " " + CountedText(stored, CoreText::StoredOne, CoreText::StoredMany);
    if (repeated != 0)
        text += " " + CountedText(repeated, CoreText::RepeatedOne, CoreText::RepeatedMany);
    if (unconvertible != 0)
        text += "\n" + CountedText(unconvertible, CoreText::UnconvertibleOne, CoreText::UnconvertibleMany);
    if (skipped != 0)
        text += "\n" + CountedText(skipped, CoreText::SkippedOne, CoreText::SkippedMany);
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
    for (size_t g = 0; g < doc.Groups().size(); ++g)
        stored.emplace(doc.Groups()[g], g);
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
                groupNames[link.group] = doc.Groups()[found->second];  // as the store spells it
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
    const std::string current = added.front().m_strGroup;
    doc.AddItems(std::move(added), std::move(newGroups), nullptr, &current, true);
    return summary;
}

} // namespace

bool ImportNetscapeFile(const std::string& path, CBookmarkDoc& doc, IPrompt& prompt)
{
    return ImportNetscapeFile(path, doc, prompt, kMaxImportFileSize);
}

bool ImportNetscapeFile(const std::string& path, CBookmarkDoc& doc, IPrompt& prompt, uint64_t limit)
{
    return ImportBookmarkFile(path, doc, prompt, limit, ParseNetscapeFile, CoreText::NotBrowserFile, true);
}

bool ImportBookmarkFile(const std::string& path, CBookmarkDoc& doc, IPrompt& prompt, uint64_t limit,
                        BookmarkFileParser parse, CoreText notOfKind, bool withoutIcons)
{
    bool tooLarge = false;
    bool recognised = true;
    std::string summary;
    const bool read = RunFileOperation(prompt, path, FileReport::General, [&] {
        NetscapeFile file;
        {
            InputFile input(path);
            std::string text;
            if (withoutIcons) {
                tooLarge = !ReadWithoutIcons(input, limit, text);
            } else {
                tooLarge = input.Size() > limit;
                if (!tooLarge)
                    text = ReadImportFile(input, limit);
            }
            if (tooLarge)
                return;
            file = parse(text.data(), text.size(), GroupNameOfPath(path));
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
        prompt.ShowMessage(UserText(notOfKind), MessageStyle::StopOk);
        return false;
    }
    prompt.ShowMessage(summary, MessageStyle::InformationOk);
    return true;
}
