// import-html, import-csv, import-mbx: the imports from the command line.

#include "cli/Commands.h"
#include "cli/CliSession.h"
#include "exchange/AddressBookImport.h"
#include "exchange/HtmlImport.h"
#include "exchange/MbxImport.h"

namespace {

int ImportIntoStore(const CliArgs& args, bool (*import)(const std::string&, CBookmarkDoc&, IPrompt&))
{
    CliSession session;
    const std::string& store = args.positional[0];
    if (!session.OpenStore(store))
        return kCliFailed;
    const bool ran = import(args.positional[1], session.doc, session.prompt);
    if (!session.SaveIfModified(store))
        return kCliFailed;
    return ran ? kCliOk : kCliFailed;
}

} // namespace

int CliImportHtml(const CliArgs& args)
{
    return ImportIntoStore(args, ImportHtml);
}

int CliImportCsv(const CliArgs& args)
{
    return ImportIntoStore(args, ImportAddressBook);
}

int CliImportMbx(const CliArgs& args)
{
    CliSession session;
    if (!ImportMbx(args.positional[0], session.doc, session.prompt))
        return kCliFailed;
    if (!session.SaveIfModified(args.positional[1]))
        return kCliFailed;
    return kCliOk;
}
