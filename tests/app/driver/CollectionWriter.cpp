// Another Linkhive writing a collection in a loop, for the tests of the
// window's save while someone else saves the same file:
//   collection_writer COLLECTION NAME COUNT
// opens COLLECTION and COUNT times adds the bookmark "NAME n" (n from 1) to
// group "Writer" and saves, as the program does. Exit status 1 when an open
// or a save failed (the message on stderr).
#include "store/CBookmarkDoc.h"
#include "tests/support/Fakes.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 4)
        return 2;
    const std::string path = argv[1];
    const std::string name = argv[2];
    const int count = std::atoi(argv[3]);
    CurrentSelection selection;
    ClipboardMarks marks;
    FakePrompt prompt;
    FakeClipboard clipboard;
    CBookmarkDoc doc(selection, marks, prompt, clipboard);
    bool ok = doc.OnOpenDocument(path);
    for (int n = 1; ok && n <= count; ++n) {
        const std::string text = name + " " + std::to_string(n);
        doc.AddItems({MakeItem(text, "http://writer/" + std::to_string(n), "Writer")});
        ok = doc.OnSaveDocument(path);
        Sleep(static_cast<DWORD>(n % 7));
    }
    // The merges' notices are no failures.
    for (size_t n = 0; n < prompt.shown.size(); ++n) {
        if (prompt.styles[n] != MessageStyle::InformationOk)
            std::fprintf(stderr, "%s\n", prompt.shown[n].c_str());
    }
    return ok ? 0 : 1;
}
