// The fixture running the real application in-process.
#pragma once

#include "app/CLinkhiveApp.h"
#include "launch/SystemLauncher.h"
#include "tests/support/Fakes.h"
#include "ui/CMainFrame.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

// A prompt whose file and folder dialogs answer from a script too (cancel
// when dry), or are the real dialogs of `dialogs` when that is set.
class ScriptedPrompt : public FakePrompt {
public:
    bool ChooseFile(const FileDialogRequest& request, std::string& path) override
    {
        requests.push_back(request);
        if (dialogs != nullptr)
            return dialogs->ChooseFile(request, path);
        return Next(files, path);
    }

    bool ChooseFolder(const std::string& title, std::string& path) override
    {
        folderTitles.push_back(title);
        if (dialogs != nullptr)
            return dialogs->ChooseFolder(title, path);
        return Next(folders, path);
    }

    std::deque<std::string> files;
    std::vector<FileDialogRequest> requests;
    std::deque<std::string> folders;
    std::vector<std::string> folderTitles;
    IPrompt* dialogs = nullptr;

private:
    static bool Next(std::deque<std::string>& script, std::string& path)
    {
        if (script.empty())
            return false;
        path = script.front();
        script.pop_front();
        return true;
    }
};

// What a file dialog was asked for, in one line: open or save, title,
// filter, default extension and the name it starts with.
std::string RequestLine(const FileDialogRequest& request);

// The shell's "open" is recorded and answered with `shellResult`; processes
// are recorded and really started.
class RecordingLauncher : public SystemLauncher {
public:
    intptr_t ShellOpen(const std::string& url) override
    {
        opened.push_back(url);
        return shellResult;
    }
    bool StartProcess(const std::string& commandLine) override
    {
        started.push_back(commandLine);
        return SystemLauncher::StartProcess(commandLine);
    }

    intptr_t shellResult = 42;
    std::vector<std::string> opened;
    std::vector<std::string> started;
};

// The browser command registered for web addresses, put back as it was
// when this goes.
class BrowserRegistration {
public:
    BrowserRegistration();
    ~BrowserRegistration();
    BrowserRegistration(const BrowserRegistration&) = delete;
    BrowserRegistration& operator=(const BrowserRegistration&) = delete;

    // An empty command removes the registration.
    void Set(const std::string& command);
    static bool Exists();

private:
    bool m_had = false;
    std::string m_saved;
};

// The registry of the settings, read and written directly.
void ClearProfile();
void SetSetting(const std::string& name, uint32_t value);
bool ReadSetting(const std::string& section, const std::string& name, uint32_t& value);
bool ReadSettingText(const std::string& key, const std::string& name, std::string& value);
void SetRecentFile(const std::string& path);

std::string WindowTitle(HWND hwnd);
// Store text (UTF-8) as the system's wide functions take it.
std::wstring Wide(const std::string& utf8);
// A path as Windows names it: the build's Unix paths live on drive Z:.
std::string WindowsPath(const std::string& path);
// The sample collection, by its Windows path.
std::string SamplePath();
// Opens every submenu of the menu bar as the user would, so the update
// handlers run; then the state of `id` (MF_GRAYED, MF_CHECKED ...).
UINT MenuState(HWND frame, UINT id);
bool IsRadioMarked(HWND frame, UINT id);
// A menu as text: "text=id" entries, "-" separators and "text{...}" popups;
// a grey entry ends in "~", a checked one in "*", the default one in "!".
std::string MenuText(HMENU menu);

// The real application, started in this process with a scripted prompt.
class AppFixture : public ::testing::Test {
protected:
    void SetUp() override { ClearProfile(); }
    void TearDown() override
    {
        if (m_app)
            m_app->Document().SetModifiedFlag(false);
        Close();
    }

    // Runs start-up; false when it ended with failure.
    bool Start(std::vector<std::string> args = {});
    // Closes the window as the user does and lets shutdown run.
    void Close();
    LRESULT Command(UINT id);

    CMainFrame& Frame() { return *static_cast<CMainFrame*>(m_app->MainFrame()); }
    HWND FrameWindow() { return m_app->MainFrame()->GetSafeHwnd(); }
    CLinkhiveApp& App() { return *m_app; }
    CBookmarkDoc& Doc() { return m_app->Document(); }
    bool Enabled(UINT id) { return (MenuState(FrameWindow(), id) & MF_GRAYED) == 0; }
    // The toolbar button, once the idle update has run.
    bool ButtonEnabled(UINT id);
    std::string StatusText(int pane);

    ScriptedPrompt prompt;
    FakeClipboard clipboard;
    // What the application is started with; a test may put the real one.
    IClipboard* appClipboard = &clipboard;

private:
    std::unique_ptr<CLinkhiveApp> m_app;
};
