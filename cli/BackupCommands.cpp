// backups, restore: the versions a collection's saves have kept.

#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "store/Backups.h"
#include "store/FileError.h"

#include <cstdio>

namespace {

bool IsIndex(const std::string& word)
{
    return !word.empty() && word.size() <= 9 && word.find_first_not_of("0123456789") == std::string::npos;
}

} // namespace

int CliBackups(const CliArgs& args)
{
    std::string out;
    for (const BackupEntry& entry : BackupShelf(args.positional[0]).List()) {
        out += BackupTimeText(entry.time) + '\t';
        out += entry.damaged ? "?\t?" : std::to_string(entry.groups) + '\t' + std::to_string(entry.bookmarks);
        out += '\t' + EscapeField(entry.path) + '\n';
    }
    WriteOut(out);
    return kCliOk;
}

int CliRestore(const CliArgs& args)
{
    const std::string& store = args.positional[0];
    BackupShelf shelf(store);
    std::string backup = args.positional[1];
    if (IsIndex(backup)) {
        const std::vector<BackupEntry> entries = shelf.List();
        const size_t index = std::stoul(backup);
        if (index == 0 || index > entries.size()) {
            std::fprintf(stderr, "%s has no backup %s\n", store.c_str(), backup.c_str());
            return kCliFailed;
        }
        backup = entries[index - 1].path;
    }
    // Only a collection the program can open goes back in the file's place.
    CliSession check;
    if (!check.Open(backup))
        return kCliFailed;
    try {
        shelf.Restore(backup);
        return kCliOk;
    } catch (const FileError& error) {
        // Named as it failed: the collection, or the backup kept of it first.
        const std::string& path = error.path().empty() ? store : error.path();
        CliPrompt().ShowMessage(GeneralFileErrorMessage(error, path), MessageStyle::StopOk);
    }
    return kCliFailed;
}
