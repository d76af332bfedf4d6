#pragma once

#include "store/CMB15Doc.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

class CountingView : public IView {
public:
    void OnUpdate() override { ++updates; }
    int updates = 0;
};

// A prompt whose save dialog picks `savePath`, or cancels when it is empty.
class SavingPrompt : public FakePrompt {
public:
    bool ChooseFile(const FileDialogRequest&, std::string& path) override
    {
        path = savePath;
        return !savePath.empty();
    }
    std::string savePath;
};

// A document with one view, a scripted prompt and a folder of its own.
class ImportFixture : public ::testing::Test {
protected:
    ImportFixture() : doc(selection, marks, prompt, clipboard) { doc.AddView(&view); }

    static BookmarkItem Item(const std::string& name, const std::string& url, const std::string& group)
    {
        BookmarkItem item;
        item.m_strName = name;
        item.m_strURL = url;
        item.m_strGroup = group;
        return item;
    }

    // (name, URL, group) of every item, in store order.
    std::vector<std::vector<std::string>> Items() const
    {
        std::vector<std::vector<std::string>> rows;
        for (const BookmarkItem& item : doc.m_arrItems)
            rows.push_back({item.m_strName, item.m_strURL, item.m_strGroup});
        return rows;
    }

    std::string WriteFile(const std::string& name, const std::string& bytes)
    {
        WriteBytes(dir.Path(name), bytes);
        return dir.Path(name);
    }

    CurrentSelection selection;
    ClipboardMarks marks;
    SavingPrompt prompt;
    FakeClipboard clipboard;
    CMB15Doc doc;
    CountingView view;
    TempDir dir;
};
