// The sync services' conflict copies, found by their names.
#include "store/ConflictCopies.h"

#include "store/Backups.h"
#include "store/PathNames.h"
#include "store/TextCompare.h"

#include <algorithm>
#include <cctype>

namespace {

bool EndsWithNoCase(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() && TextEqual(text.substr(text.size() - suffix.size()), suffix);
}

bool ContainsNoCase(const std::string& text, const std::string& part)
{
    for (size_t at = 0; at + part.size() <= text.size(); ++at) {
        if (TextEqual(text.substr(at, part.size()), part))
            return true;
    }
    return false;
}

bool Digits(const std::string& text, size_t at, size_t count)
{
    if (at + count > text.size())
        return false;
    return std::all_of(text.begin() + static_cast<std::ptrdiff_t>(at), text.begin() + static_cast<std::ptrdiff_t>(at + count),
                       [](char c) { return c >= '0' && c <= '9'; });
}

// "YYYYMMDD-HHMMSS-DEVICE", the device's short id in letters and digits.
bool SyncConflictStamp(const std::string& text)
{
    if (!Digits(text, 0, 8) || text.size() < 17 || text[8] != '-' || !Digits(text, 9, 6) || text[15] != '-')
        return false;
    const std::string device = text.substr(16);
    return !device.empty() &&
           std::all_of(device.begin(), device.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

} // namespace

bool IsConflictCopyName(const std::string& collectionName, const std::string& name, const std::string& computerName)
{
    // The services keep the extension and mark the part before it.
    const size_t dot = collectionName.rfind('.');
    const std::string extension = dot == std::string::npos || dot == 0 ? std::string() : collectionName.substr(dot);
    const std::string stem = collectionName.substr(0, collectionName.size() - extension.size());
    if (name.size() <= collectionName.size() || !EndsWithNoCase(name, extension))
        return false;
    const std::string marked = name.substr(0, name.size() - extension.size());
    if (!StartsWithNoCase(marked, stem))
        return false;
    const std::string mark = marked.substr(stem.size());
    if (StartsWithNoCase(mark, " (") && mark.back() == ')')
        return ContainsNoCase(mark, "conflicted copy");
    if (StartsWithNoCase(mark, ".sync-conflict-"))
        return SyncConflictStamp(mark.substr(15));
    return !computerName.empty() && TextEqual(mark, "-" + computerName);
}

std::vector<std::string> ConflictCopiesOf(const std::string& path, const std::string& computerName)
{
    const std::string folder = FolderOf(path);
    const std::string collectionName = FileTitleOf(path);
    std::vector<std::string> names = FileNamesIn(folder);
    names.erase(std::remove_if(names.begin(), names.end(),
                               [&](const std::string& name) {
                                   return !IsConflictCopyName(collectionName, name, computerName);
                               }),
                names.end());
    std::sort(names.begin(), names.end());
    std::vector<std::string> copies;
    for (const std::string& name : names)
        copies.push_back(JoinPath(folder, name));
    return copies;
}
