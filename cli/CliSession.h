// A store opened from the command line, as the program opens it.
#pragma once

#include "cli/CliPrompt.h"
#include "store/CBookmarkDoc.h"

#include <map>
#include <string>
#include <vector>

const int kCliOk = 0;
const int kCliFailed = 1;
const int kCliUsage = 2;
const int kCliNothingFound = 1;  // find: grep's status for no match
const int kCliKeptTwice = 1;      // merge: git's status for a conflict

struct CliArgs {
    std::vector<std::string> positional;
    std::vector<std::string> options;  // every "--name" word, in order, as given
    // The word after each option that takes one ("--group NAME").
    std::map<std::string, std::string> values;
    bool Has(const char* option) const;
    // The word given after `option`; empty when it was not given.
    const std::string& Value(const char* option) const;
};

// The document and the records around it, as the program has them.
struct CliSession {
    CliSession() : doc(selection, marks, prompt, clipboard) {}

    // Opens `path` through the document's open path; `v20` reads a 2.0 file.
    bool Open(const std::string& path, bool v20 = false);
    // As Open, but a STORE that does not exist yet is a new, empty collection.
    bool OpenStore(const std::string& path);
    // Writes STORE back through the safe save when the operation changed it.
    bool SaveIfModified(const std::string& path);

    CurrentSelection selection;
    ClipboardMarks marks;
    CliPrompt prompt;
    CliClipboard clipboard;
    CBookmarkDoc doc;
};

void WriteOut(const std::string& text);

// One bookmark as `dump` prints it: "item", name, URL, group and description,
// tab-separated and escaped, and a line feed.
void AppendItemLine(std::string& out, const BookmarkItem& item);

// One subcommand: its name, how many plain words it takes (exactly, or from
// `positional` to `maxPositional`), the options it knows and its body.
struct CliCommand {
    const char* name;
    size_t positional;
    size_t maxPositional;
    const char* options;  // space-separated, e.g. "--v20" or "--group= --delete-source"; "=" takes a value
    int (*run)(const CliArgs&);
};
