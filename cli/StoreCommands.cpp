// dump, convert, stats: the data file from the command line.

#include "cli/CliSession.h"

int Dump(const CliArgs& args)
{
    CliSession session;
    if (!session.Open(args.positional[0], args.Has("--v20")))
        return kCliFailed;
    std::string out;
    for (const std::string& group : session.doc.m_arrGroups)
        out += "group\t" + EscapeField(group) + "\n";
    for (const BookmarkItem& item : session.doc.m_arrItems) {
        out += "item\t";
        out += EscapeField(item.m_strName) + "\t" + EscapeField(item.m_strURL) + "\t" + EscapeField(item.m_strGroup) +
               "\t" + EscapeField(item.m_strDescription) + "\n";
        if (out.size() >= (1 << 20)) {
            WriteOut(out);
            out.clear();
        }
    }
    WriteOut(out);
    return kCliOk;
}

int Convert(const CliArgs& args)
{
    CliSession session;
    if (!session.Open(args.positional[0], args.Has("--v20")))
        return kCliFailed;
    return session.doc.OnSaveDocument(args.positional[1]) ? kCliOk : kCliFailed;
}

int Stats(const CliArgs& args)
{
    CliSession session;
    if (!session.Open(args.positional[0]))
        return kCliFailed;
    WriteOut("groups " + std::to_string(session.doc.m_arrGroups.size()) + " items " +
             std::to_string(session.doc.m_arrItems.size()) + "\n");
    return kCliOk;
}
