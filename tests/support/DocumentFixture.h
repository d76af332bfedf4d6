// A document with panes, a scripted prompt and clipboard, and a folder.
#pragma once

#include "store/CBookmarkDoc.h"
#include "tests/support/DocContent.h"
#include "tests/support/Fakes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A document with both panes registered, a scripted prompt and clipboard,
// and a folder of its own.
class DocumentFixture : public ::testing::Test {
protected:
    DocumentFixture() : doc(selection, marks, prompt, clipboard)
    {
        doc.AddView(&groupPane);
        doc.AddView(&itemPane);
        doc.SetPanes(&groupPane, &itemPane);
    }

    void Add(const std::string& name, const std::string& url, const std::string& group,
             const std::string& description = "")
    {
        AppendItem(doc, MakeItem(name, url, group, description));
    }

    // "name|URL|group|description" of every item, in store order.
    std::vector<std::string> Items() const { return ItemTexts(doc.Items()); }

    std::string WriteFile(const std::string& name, const std::string& bytes)
    {
        WriteBytes(dir.Path(name), bytes);
        return dir.Path(name);
    }

    CurrentSelection selection;
    ClipboardMarks marks;
    FakePrompt prompt;
    FakeClipboard clipboard;
    CBookmarkDoc doc;
    CountingView groupPane;
    CountingView itemPane;
    TempDir dir;
};

