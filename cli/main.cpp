// linkhive-cli: the core's operations from the command line.
// Exit status: 0 done, 1 the operation failed (message on stderr), 2 usage.

#include "cli/CliPrompt.h"
#include "store/CMB15Doc.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

const int kOk = 0;
const int kFailed = 1;
const int kUsage = 2;

const char kUsageText[] =
    "usage: linkhive-cli dump FILE [--v20]\n"
    "       linkhive-cli convert IN OUT [--v20]\n"
    "       linkhive-cli stats FILE\n";

struct Args {
    std::vector<std::string> positional;
    bool v20 = false;
};

// Splits the words after the command; false on an unknown option.
bool ParseArgs(int argc, char** argv, Args& args, bool allowV20)
{
    for (int i = 2; i < argc; ++i) {
        if (allowV20 && std::strcmp(argv[i], "--v20") == 0)
            args.v20 = true;
        else if (argv[i][0] == '-' && argv[i][1] == '-')
            return false;
        else
            args.positional.push_back(argv[i]);
    }
    return true;
}

class Session {
public:
    Session() : doc(selection, marks, prompt, clipboard) {}

    bool Open(const std::string& path, bool v20)
    {
        Version20Mode = v20;
        return doc.OnOpenDocument(path);
    }

    CurrentSelection selection;
    ClipboardMarks marks;
    CliPrompt prompt;
    CliClipboard clipboard;
    CMB15Doc doc;
};

void WriteOut(const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
}

int Dump(const Args& args)
{
    Session session;
    if (!session.Open(args.positional[0], args.v20))
        return kFailed;
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
    return kOk;
}

int Convert(const Args& args)
{
    Session session;
    if (!session.Open(args.positional[0], args.v20))
        return kFailed;
    return session.doc.OnSaveDocument(args.positional[1]) ? kOk : kFailed;
}

int Stats(const Args& args)
{
    Session session;
    if (!session.Open(args.positional[0], false))
        return kFailed;
    WriteOut("groups " + std::to_string(session.doc.m_arrGroups.size()) + " items " +
             std::to_string(session.doc.m_arrItems.size()) + "\n");
    return kOk;
}

struct Command {
    const char* name;
    size_t positional;
    bool allowV20;
    int (*run)(const Args&);
};

const Command kCommands[] = {
    {"dump", 1, true, Dump},
    {"convert", 2, true, Convert},
    {"stats", 1, false, Stats},
};

} // namespace

int main(int argc, char** argv)
{
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    if (argc >= 2) {
        for (const Command& command : kCommands) {
            if (std::strcmp(argv[1], command.name) != 0)
                continue;
            Args args;
            if (!ParseArgs(argc, argv, args, command.allowV20) || args.positional.size() != command.positional)
                break;
            const int status = command.run(args);
            std::fflush(stdout);
            return status;
        }
    }
    std::fputs(kUsageText, stderr);
    return kUsage;
}
