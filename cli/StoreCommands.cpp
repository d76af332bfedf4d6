// dump, convert, stats, find, open, duplicates, merge: the data file from the command line.

#include "cli/Commands.h"
#include "cli/CliPrompt.h"
#include "cli/CliSession.h"
#include "launch/OpenUrl.h"
#include "launch/SystemLauncher.h"
#include "query/BookmarkDuplicates.h"
#include "query/BookmarkSearch.h"
#include "query/QuickOpen.h"
#include "store/CodePage.h"
#include "store/CollectionMerge.h"

#include <cstdio>
#include <utility>

namespace {

const size_t kOutputChunk = 1 << 20;

// Prints the items at `indices` as dump does, a chunk at a time; with
// `setStarts` (ascending positions in `indices`), an empty line between sets.
void WriteItems(const CBookmarkDoc& doc, const std::vector<size_t>* indices,
                const std::vector<size_t>* setStarts = nullptr)
{
    std::string out;
    const size_t count = indices ? indices->size() : doc.Items().size();
    size_t nextSet = 0;
    for (size_t n = 0; n < count; ++n) {
        if (setStarts && nextSet < setStarts->size() && (*setStarts)[nextSet] == n) {
            if (n > 0)
                out += '\n';
            ++nextSet;
        }
        AppendItemLine(out, doc.Items()[indices ? (*indices)[n] : n]);
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
    for (const std::string& group : session.doc.Groups())
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
    WriteOut("groups " + std::to_string(session.doc.Groups().size()) + " items " +
             std::to_string(session.doc.Items().size()) + "\n");
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
        FindBookmarks(session.doc.Content(), WellFormedUtf8(args.positional[1]),
                      args.Has("--group") ? &args.Value("--group") : nullptr);
    WriteItems(session.doc, &found);
    return found.empty() ? kCliNothingFound : kCliOk;
}

// Quick Open from the command line: the best match's URL (escaped as dump
// escapes it), or with --launch handed to the browser as Item > Open does.
// As find: 1 when nothing matches (silently) or the launch failed.
int CliOpen(const CliArgs& args)
{
    CliSession session;
    if (!session.Open(args.positional[0]))
        return kCliUsage;
    std::string text;
    for (size_t n = 1; n < args.positional.size(); ++n)
        text += (n > 1 ? " " : "") + args.positional[n];
    const std::vector<size_t> best = QuickOpenBest(session.doc.Content(), QuickOpenQuery(WellFormedUtf8(text)), 1);
    if (best.empty())
        return kCliNothingFound;
    const std::string& url = session.doc.Items()[best.front()].m_strURL;
    if (args.Has("--launch")) {
        SystemLauncher launcher;
        CliPrompt prompt;
        return OpenInBrowserOrShell(launcher, prompt, url, false) ? kCliOk : kCliFailed;
    }
    WriteOut(EscapeField(url) + "\n");
    return kCliOk;
}

// As find: 0 when some URL is shared, 1 when none is (silently), 2 usage or
// an unreadable STORE.
int CliDuplicates(const CliArgs& args)
{
    CliSession session;
    if (!session.Open(args.positional[0]))
        return kCliUsage;
    const DuplicateSets sets = FindDuplicates(session.doc.Content(), args.Has("--similar"));
    WriteItems(session.doc, &sets.items, &sets.setStarts);
    return sets.items.empty() ? kCliNothingFound : kCliOk;
}

// git's merge driver (BASE OURS THEIRS, the merge written into OURS): 0 when
// nothing was kept in two versions, 1 when something was (written all the
// same, with the summary on stderr), 2 for wrong usage or a file that cannot
// be read or written.
int CliMerge(const CliArgs& args)
{
    CliSession sessions[3];
    for (size_t n = 0; n < 3; ++n) {
        if (!sessions[n].Open(args.positional[n]))
            return kCliUsage;
    }
    MergeOutcome outcome =
        MergeThreeWay(sessions[0].doc.Content(), sessions[1].doc.Content(), sessions[2].doc.Content());
    CBookmarkDoc& ours = sessions[1].doc;
    ours.LoadContent(std::move(outcome.merged));
    if (!ours.OnSaveDocument(args.positional[1]))
        return kCliUsage;
    if (outcome.keptTwice == 0)
        return kCliOk;
    std::fputs((MergeSummary(outcome) + "\n").c_str(), stderr);
    return kCliKeptTwice;
}
