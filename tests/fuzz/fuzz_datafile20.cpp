// Fuzz target: importing a version 2.0 data file.
#include "exchange/Version20Import.h"
#include "tests/support/DocContent.h"
#include "store/CBookmarkDoc.h"
#include "store/DataFile.h"
#include "tests/fuzz/FuzzFakes.h"
#include "tests/support/Fakes.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

// The import reads a file by name, so each input goes through a file of this
// process's own, removed after each import (libFuzzer ends without exit handlers).
const std::string& InputPath()
{
    static const std::string path = [] {
        const char* tmp = std::getenv("TMPDIR");
        return std::string(tmp && *tmp ? tmp : "/tmp") + "/fuzz_datafile20." + std::to_string(getpid()) + ".lkh";
    }();
    return path;
}

bool SameItems(const std::vector<BookmarkItem>& a, const std::vector<BookmarkItem>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].m_strName != b[i].m_strName || a[i].m_strURL != b[i].m_strURL || a[i].m_strGroup != b[i].m_strGroup ||
            a[i].m_strDescription != b[i].m_strDescription)
            return false;
    }
    return true;
}

} // namespace

// The version-2.0 import: three strings per item, read whole before the
// document is touched; a failure leaves the document as it was, a success
// gives an untitled modified document whose store saves and reads back whole
// in the current format. The mode never outlives the import.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FILE* file = std::fopen(InputPath().c_str(), "wb");
    if (!file)
        return 0;
    const bool written = std::fwrite(data, 1, size, file) == size;
    if (std::fclose(file) != 0 || !written) {
        std::remove(InputPath().c_str());
        return 0;
    }

    CurrentSelection selection;
    ClipboardMarks marks;
    FuzzPrompt prompt;
    FakeClipboard clipboard;
    CBookmarkDoc doc(selection, marks, prompt, clipboard);
    SetGroups(doc, {"Kept"});
    BookmarkItem kept;
    kept.m_strName = "Name";
    kept.m_strURL = "http://kept/";
    kept.m_strGroup = "Kept";
    kept.m_strDescription = "note";
    SetItems(doc, {kept});
    const std::vector<BookmarkItem> before = doc.Items();

    const bool imported = ImportVersion20(InputPath(), doc, prompt);
    std::remove(InputPath().c_str());
    if (Version20Mode)
        __builtin_trap();
    if (!imported) {
        if (prompt.shown != 1 || doc.Groups() != std::vector<std::string>{"Kept"} || !SameItems(doc.Items(), before))
            __builtin_trap();
        return 0;
    }
    if (prompt.shown != 0 || doc.GetTitle() != "No Name" || !doc.IsModified() || !doc.GetPathName().empty())
        __builtin_trap();
    for (const BookmarkItem& item : doc.Items()) {
        if (!item.m_strDescription.empty())
            __builtin_trap();
    }
    const std::string saved = EncodeDataFile(doc.Content());
    StoreContent again;
    ReadDataBytes(saved.data(), saved.size(), again);
    if (again.m_arrGroups != doc.Groups() || !SameItems(again.m_arrItems, doc.Items()))
        __builtin_trap();
    return 0;
}
