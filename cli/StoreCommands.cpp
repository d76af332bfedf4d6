// dump, convert, stats, find: the data file from the command line.

#include "cli/Commands.h"
#include "cli/CliSession.h"
#include "exchange/BookmarkSearch.h"

namespace {

const size_t kOutputChunk = 1 << 20;

// Prints the items at `indices` as dump does, a chunk at a time.
void WriteItems(const CBookmarkDoc& doc, const std::vector<size_t>* indices)
{
    std::string out;
    const size_t count = indices ? indices->size() : doc.m_arrItems.size();
    for (size_t n = 0; n < count; ++n) {
        AppendItemLine(out, doc.m_arrItems[indices ? (*indices)[n] : n]);
        if (out.size() >= kOutputChunk) {
            WriteOut(out);
            out.clear();
        }
    }
    WriteOut(out);
}

} // namespace

int CliDump(const CliArgs& args)
{
    CliSession session;
    if (!session.Open(args.positional[0], args.Has("--v20")))
        return kCliFailed;
    std::string groups;
    for (const std::string& group : session.doc.m_arrGroups)
        groups += "group\t" + EscapeField(group) + "\n";
    WriteOut(groups);
    WriteItems(session.doc, nullptr);
    return kCliOk;
}

int CliConvert(const CliArgs& args)
{
    CliSession session;
    if (!session.Open(args.positional[0], args.Has("--v20")))
        return kCliFailed;
    return session.doc.OnSaveDocument(args.positional[1]) ? kCliOk : kCliFailed;
}

int CliStats(const CliArgs& args)
{
    CliSession session;
    if (!session.Open(args.positional[0]))
        return kCliFailed;
    WriteOut("groups " + std::to_string(session.doc.m_arrGroups.size()) + " items " +
             std::to_string(session.doc.m_arrItems.size()) + "\n");
    return kCliOk;
}

// grep's convention: 0 found, 1 nothing found (silently), 2 usage or a
// STORE that does not exist or cannot be read.
int CliFind(const CliArgs& args)
{
    CliSession session;
    if (!session.Open(args.positional[0]))
        return kCliUsage;
    const std::vector<size_t> found =
        FindBookmarks(session.doc, args.positional[1], args.Has("--group") ? &args.Value("--group") : nullptr);
    WriteItems(session.doc, &found);
    return found.empty() ? kCliNothingFound : kCliOk;
}
