// Fakes for tests: a scripted prompt, a counting view, a clipboard, a temporary folder.
#pragma once

#include "store/BookmarkItem.h"
#include "store/CDocument.h"
#include "store/IClipboard.h"
#include "store/Prompt.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

// Answers message boxes from a script (OK when the script runs dry) and
// remembers what was shown. Its file dialog picks `savePath`, or cancels
// when that is empty.
class FakePrompt : public IPrompt {
public:
    bool ChooseFile(const FileDialogRequest&, std::string& path) override
    {
        path = savePath;
        return !savePath.empty();
    }

    MessageAnswer ShowMessage(const std::string& text, MessageStyle style) override
    {
        shown.push_back(text);
        styles.push_back(style);
        MessageAnswer answer = style == MessageStyle::ExclamationYesNoCancel ? MessageAnswer::Yes : MessageAnswer::Ok;
        if (!answers.empty()) {
            answer = answers.front();
            answers.pop_front();
        }
        if (whileShown) {
            const std::function<void()> happen = std::move(whileShown);
            whileShown = nullptr;
            happen();
        }
        return answer;
    }

    std::deque<MessageAnswer> answers;
    // Happens while the next message is up, once: what may reach the
    // program from outside meanwhile. Later messages take later answers.
    std::function<void()> whileShown;
    std::vector<std::string> shown;
    std::vector<MessageStyle> styles;
    std::string savePath;
};

class CountingView : public IView {
public:
    void OnUpdate(const UpdateHint& hint) override
    {
        ++updates;
        last = hint;
    }
    int updates = 0;
    UpdateHint last;
};

class FakeClipboard : public IClipboard {
public:
    void PutText(const std::string& value) override
    {
        if (!broken)
            text = value;
    }
    std::string GetText() override { return broken ? std::string() : text; }
    void Empty() override { text.clear(); }

    std::string text;
    bool broken = false;
};

inline BookmarkItem MakeItem(const std::string& name, const std::string& url, const std::string& group,
                             const std::string& description = "")
{
    BookmarkItem item;
    item.m_strName = name;
    item.m_strURL = url;
    item.m_strGroup = group;
    item.m_strDescription = description;
    return item;
}

// "name|URL|group|description"
inline std::string ItemText(const BookmarkItem& item)
{
    return item.m_strName + "|" + item.m_strURL + "|" + item.m_strGroup + "|" + item.m_strDescription;
}

inline std::vector<std::string> ItemTexts(const std::vector<BookmarkItem>& items)
{
    std::vector<std::string> texts;
    for (const BookmarkItem& item : items)
        texts.push_back(ItemText(item));
    return texts;
}

// A folder of its own under the system's temporary folder, removed afterwards.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string Path(const std::string& name) const;
    const std::string& Root() const { return m_root; }

private:
    std::string m_root;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// The names in a folder, sorted.
std::vector<std::string> FilesIn(const std::string& folder);
