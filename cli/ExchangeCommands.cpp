// import-folder, drop, export-html, export-group-html, export-netscape,
// write-url: shortcut files and HTML pages from the command line.

#include "cli/Commands.h"
#include "cli/CliSession.h"
#include "exchange/HtmlExport.h"
#include "exchange/LocalFileSystem.h"
#include "exchange/BrowserImport.h"
#include "exchange/NetscapeExport.h"
#include "exchange/ShortcutFile.h"
#include "exchange/ShortcutImport.h"
#include "store/CodePage.h"

namespace {

#ifdef _WIN32
const char kSeparator = '\\';
#else
const char kSeparator = '/';
#endif

// Opens STORE as the program opens a file (a STORE that does not exist yet
// is a new, empty collection) and makes --group NAME current when given.
bool OpenStore(CliSession& session, const CliArgs& args)
{
    if (!session.OpenStore(args.positional[0]))
        return false;
    if (args.Has("--group"))
        session.doc.SetCurrentGroup(args.Value("--group"));
    return true;
}

// The sources go only once the store holding their bookmarks is written.
void DeleteSources(const CliArgs& args, LocalFileSystem& files, const std::vector<std::string>& paths)
{
    if (!args.Has("--delete-source"))
        return;
    for (const std::string& path : paths)
        files.RemoveFile(path);
}

std::string FolderPathOf(const std::string& dir)
{
    std::string folder = LocalFileSystem::AbsolutePath(dir);
    while (!folder.empty() && folder.find_last_of("\\/") == folder.size() - 1)
        folder.pop_back();
    return folder + kSeparator;
}

} // namespace

int CliImportFolder(const CliArgs& args)
{
    CliSession session;
    if (!OpenStore(session, args))
        return kCliFailed;
    LocalFileSystem files;
    std::vector<std::string> imported;
    if (!ImportShortcutFolder(session.doc, files, FolderPathOf(args.positional[1]), false, &imported))
        return kCliFailed;
    if (!session.SaveIfModified(args.positional[0]))
        return kCliFailed;
    DeleteSources(args, files, imported);
    return kCliOk;
}

int CliDrop(const CliArgs& args)
{
    CliSession session;
    if (!OpenStore(session, args))
        return kCliFailed;
    LocalFileSystem files;
    const std::vector<std::string> paths(args.positional.begin() + 1, args.positional.end());
    const std::vector<std::string> imported = DropShortcutFiles(session.doc, files, paths, false);
    if (!session.SaveIfModified(args.positional[0]))
        return kCliFailed;
    DeleteSources(args, files, imported);
    return kCliOk;
}

int CliExportHtml(const CliArgs& args)
{
    CliSession session;
    if (!OpenStore(session, args))
        return kCliFailed;
    return SaveCollectionPage(session.doc, args.positional[1]) ? kCliOk : kCliFailed;
}

int CliExportGroupHtml(const CliArgs& args)
{
    CliSession session;
    if (!OpenStore(session, args))
        return kCliFailed;
    return SaveGroupPage(session.doc, args.positional[1]) ? kCliOk : kCliFailed;
}

int CliExportNetscape(const CliArgs& args)
{
    CliSession session;
    if (!OpenStore(session, args))
        return kCliFailed;
    return SaveNetscapeFile(session.doc, args.positional[1]) ? kCliOk : kCliFailed;
}

int CliExportXbel(const CliArgs& args)
{
    CliSession session;
    if (!OpenStore(session, args))
        return kCliFailed;
    return SaveXbelFile(session.doc, args.positional[1]) ? kCliOk : kCliFailed;
}

int CliExportChromium(const CliArgs& args)
{
    CliSession session;
    if (!OpenStore(session, args))
        return kCliFailed;
    return SaveChromiumFile(session.doc, args.positional[1]) ? kCliOk : kCliFailed;
}

int CliWriteUrl(const CliArgs& args)
{
    CliSession session;
    return SaveShortcutFile(ShortcutFilePath(args.positional[1]), WellFormedUtf8(args.positional[0]), session.prompt)
               ? kCliOk
               : kCliFailed;
}
