// linkhive-cli: the core's operations from the command line.
// Exit status: 0 done, 1 the operation failed (message on stderr), 2 usage.

#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "store/CodePage.h"

#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

const char kUsageText[] =
    "usage: linkhive-cli dump FILE [--v20]\n"
    "       linkhive-cli convert IN OUT [--v20]\n"
    "       linkhive-cli stats FILE\n"
    "       linkhive-cli find STORE TEXT [--group NAME]\n"
    "       linkhive-cli open STORE WORDS... [--launch]\n"
    "       linkhive-cli duplicates STORE [--similar]\n"
    "       linkhive-cli merge BASE OURS THEIRS\n"
    "       linkhive-cli check STORE [--group NAME] [--jobs N] [--timeout SECONDS]\n"
    "       linkhive-cli import-html STORE FILE\n"
    "       linkhive-cli import-csv STORE FILE\n"
    "       linkhive-cli import-mbx FILE OUT\n"
    "       linkhive-cli import-netscape STORE FILE\n"
    "       linkhive-cli import-chromium STORE FILE\n"
    "       linkhive-cli import-firefox STORE FILE\n"
    "       linkhive-cli import-xbel STORE FILE\n"
    "       linkhive-cli import-folder STORE DIR [--delete-source]\n"
    "       linkhive-cli drop STORE FILE... [--delete-source] [--group NAME]\n"
    "       linkhive-cli export-html STORE OUT\n"
    "       linkhive-cli export-group-html STORE OUT [--group NAME]\n"
    "       linkhive-cli export-netscape STORE OUT\n"
    "       linkhive-cli export-xbel STORE OUT\n"
    "       linkhive-cli export-chromium STORE OUT\n"
    "       linkhive-cli write-url URL OUT\n"
    "       linkhive-cli backups STORE\n"
    "       linkhive-cli restore STORE BACKUP\n"
    "       linkhive-cli --version\n";

const CliCommand kCommands[] = {
    {"dump", 1, 1, "--v20", CliDump},
    {"convert", 2, 2, "--v20", CliConvert},
    {"stats", 1, 1, "", CliStats},
    {"find", 2, 2, "--group=", CliFind},
    {"open", 2, static_cast<size_t>(-1), "--launch", CliOpen},
    {"duplicates", 1, 1, "--similar", CliDuplicates},
    {"merge", 3, 3, "", CliMerge},
    {"check", 1, 1, "--group= --jobs= --timeout=", CliCheck},
    {"import-html", 2, 2, "", CliImportHtml},
    {"import-csv", 2, 2, "", CliImportCsv},
    {"import-mbx", 2, 2, "", CliImportMbx},
    {"import-netscape", 2, 2, "", CliImportNetscape},
    {"import-chromium", 2, 2, "", CliImportChromium},
    {"import-firefox", 2, 2, "", CliImportFirefox},
    {"import-xbel", 2, 2, "", CliImportXbel},
    {"import-folder", 2, 2, "--delete-source", CliImportFolder},
    {"drop", 2, static_cast<size_t>(-1), "--delete-source --group=", CliDrop},
    {"export-html", 2, 2, "", CliExportHtml},
    {"export-group-html", 2, 2, "--group=", CliExportGroupHtml},
    {"export-netscape", 2, 2, "", CliExportNetscape},
    {"export-xbel", 2, 2, "", CliExportXbel},
    {"export-chromium", 2, 2, "", CliExportChromium},
    {"write-url", 2, 2, "", CliWriteUrl},
    {"backups", 1, 1, "", CliBackups},
    {"restore", 2, 2, "", CliRestore},
};

// Finds `word` among the command's options; sets takesValue for "name=".
bool KnownOption(const CliCommand& command, const std::string& word, bool& takesValue)
{
    std::istringstream known(command.options);
    std::string option;
    while (known >> option) {
        takesValue = !option.empty() && option.back() == '=';
        if (takesValue)
            option.pop_back();
        if (option == word)
            return true;
    }
    return false;
}

bool ParseArgs(const CliCommand& command, int argc, char** argv, CliArgs& args)
{
    bool optionsEnded = false;
    for (int i = 2; i < argc; ++i) {
        const std::string word = argv[i];
        if (!optionsEnded && word == "--") {
            optionsEnded = true;  // every word after "--" is a plain one, as `find STORE -- --TEXT` needs
        } else if (!optionsEnded && word.size() > 2 && word.compare(0, 2, "--") == 0) {
            bool takesValue = false;
            if (!KnownOption(command, word, takesValue))
                return false;
            args.options.push_back(word);
            if (takesValue) {
                if (++i >= argc)
                    return false;
                // Texts (group names) go into the store: only well-formed UTF-8.
                args.values[word] = WellFormedUtf8(argv[i]);
            }
        } else {
            args.positional.push_back(word);
        }
    }
    return args.positional.size() >= command.positional && args.positional.size() <= command.maxPositional;
}

} // namespace

int main(int argc, char** argv)
{
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::fputs("linkhive-cli " LINKHIVE_VERSION "\n", stdout);
        return 0;
    }
    if (argc >= 2) {
        for (const CliCommand& command : kCommands) {
            if (std::strcmp(argv[1], command.name) != 0)
                continue;
            CliArgs args;
            if (!ParseArgs(command, argc, argv, args))
                break;
            const int status = command.run(args);
            std::fflush(stdout);
            return status;
        }
    }
    std::fputs(kUsageText, stderr);
    return kCliUsage;
}
