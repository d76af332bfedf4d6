// import-html, import-csv, import-mbx, import-netscape and the other browser files: the imports from the command line.

#include "cli/Commands.h"
#include "cli/CliSession.h"
#include "exchange/AddressBookImport.h"
#include "exchange/HtmlImport.h"
#include "exchange/MbxImport.h"
#include "exchange/BrowserImport.h"
#include "exchange/NetscapeImport.h"

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

// The summary of an import goes to stdout, once the store is saved; every
// other message to stderr as always.
class SummaryPrompt : public IPrompt {
public:
    explicit SummaryPrompt(IPrompt& messages) : m_messages(messages) {}

    MessageAnswer ShowMessage(const std::string& text, MessageStyle style) override
    {
        if (style != MessageStyle::InformationOk)
            return m_messages.ShowMessage(text, style);
        summary += EscapeField(text) + "\n";
        return MessageAnswer::Ok;
    }

    std::string summary;

private:
    IPrompt& m_messages;
};

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

namespace {

int ImportBrowserFile(const CliArgs& args,
                      bool (*import)(const std::string& path, CBookmarkDoc& doc, IPrompt& prompt))
{
    CliSession session;
    const std::string& store = args.positional[0];
    if (!session.OpenStore(store))
        return kCliFailed;
    SummaryPrompt prompt(session.prompt);
    if (!import(args.positional[1], session.doc, prompt) || !session.SaveIfModified(store))
        return kCliFailed;
    WriteOut(prompt.summary);
    return kCliOk;
}

} // namespace

int CliImportNetscape(const CliArgs& args)
{
    return ImportBrowserFile(args, ImportNetscapeFile);
}

int CliImportChromium(const CliArgs& args)
{
    return ImportBrowserFile(args, ImportChromiumFile);
}

int CliImportFirefox(const CliArgs& args)
{
    return ImportBrowserFile(args, ImportFirefoxBackup);
}

int CliImportXbel(const CliArgs& args)
{
    return ImportBrowserFile(args, ImportXbelFile);
}
