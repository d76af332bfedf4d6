// import-html, import-csv, import-mbx: the imports from the command line.

#include "cli/CliSession.h"
#include "exchange/AddressBookImport.h"
#include "exchange/HtmlImport.h"
#include "exchange/MbxImport.h"
#include "store/FileError.h"
#include "store/FileIO.h"

namespace {

// Opens STORE as the program opens a file; a STORE that does not exist yet
// is a new, empty collection that the import will create.
bool LoadStore(CliSession& session, const std::string& path)
{
    try {
        InputFile probe(path);
    } catch (const FileError& error) {
        if (error.cause() == FileError::NotFound)
            return true;
    }
    return session.Open(path);
}

int ImportIntoStore(const CliArgs& args, bool (*import)(const std::string&, CMB15Doc&, IPrompt&))
{
    CliSession session;
    const std::string& store = args.positional[0];
    if (!LoadStore(session, store))
        return kCliFailed;
    const bool ran = import(args.positional[1], session.doc, session.prompt);
    if (session.doc.IsModified() && !session.doc.OnSaveDocument(store))
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
    if (session.doc.IsModified() && !session.doc.OnSaveDocument(args.positional[1]))
        return kCliFailed;
    return kCliOk;
}
