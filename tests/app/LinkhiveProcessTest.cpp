// Tests of the program as its own process.
#include "tests/app/AppFixture.h"

#include "res/resource.h"

#include <string>

namespace {

PROCESS_INFORMATION StartLinkhive(const std::string& file = "")
{
    std::string commandLine = "\"" + WindowsPath(LINKHIVE_EXE) + "\"";
    if (!file.empty())
        commandLine += " \"" + file + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
    return process;
}

HWND WaitForWindow(const char* title, const char* windowClass = nullptr)
{
    for (int attempt = 0; attempt < 300; ++attempt) {
        if (HWND window = FindWindowA(windowClass, title))
            return window;
        Sleep(100);
    }
    return nullptr;
}

// The running copy's main window, once shown.
HWND WaitForFrame()
{
    for (int attempt = 0; attempt < 300; ++attempt) {
        const HWND frame = FindWindowA("LinkhiveFrame", nullptr);
        if (frame != nullptr && IsWindowVisible(frame))
            return frame;
        Sleep(100);
    }
    return nullptr;
}

bool WaitForTitle(HWND window, const std::string& title)
{
    for (int attempt = 0; attempt < 300 && WindowTitle(window) != title; ++attempt)
        Sleep(100);
    return WindowTitle(window) == title;
}

void Finish(PROCESS_INFORMATION& process)
{
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

} // namespace

class LinkhiveProcessTest : public ::testing::Test {
protected:
    void SetUp() override { ClearProfile(); }
};

TEST_F(LinkhiveProcessTest, StartsUntitledAndWritesEveryPreferenceOnClose)
{
    PROCESS_INFORMATION process = StartLinkhive();
    ASSERT_NE(process.hProcess, nullptr);
    const HWND window = WaitForWindow("Untitled - Linkhive");
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
    Finish(process);

    for (const char* name : {"View Mode", "bCreateNewProcess", "bDeleteSourceFile", "Quick Edit", "TrayIcon",
                             "LeftPaneWidth", "bSaveLeftWidth", "Open Last File", "Scheme", "Use System Colours",
                             "Use Custom Colours", "One Instance", "BkColour", "TxtColour"}) {
        uint32_t value = 0;
        EXPECT_TRUE(ReadSetting("Settings", name, value)) << name;
    }
    uint32_t width = 0;
    ReadSetting("Settings", "LeftPaneWidth", width);
    EXPECT_EQ(width, 150u);
    std::string text;
    EXPECT_TRUE(ReadSettingText("Software\\Quillmere\\Linkhive\\Settings", "Custom Path", text));
}

TEST_F(LinkhiveProcessTest, ASecondCopyWithOneInstanceExitsAtOnceHandingOverItsFile)
{
    for (const std::string& file : {std::string(), SamplePath()}) {
        ClearProfile();
        SetSetting("One Instance", 1);
        PROCESS_INFORMATION first = StartLinkhive();
        ASSERT_NE(first.hProcess, nullptr);
        const HWND window = WaitForFrame();
        ASSERT_NE(window, nullptr);
        ShowWindow(window, SW_MAXIMIZE);

        PROCESS_INFORMATION second = StartLinkhive(file);
        ASSERT_NE(second.hProcess, nullptr);
        EXPECT_EQ(WaitForSingleObject(second.hProcess, 30000), WAIT_OBJECT_0);
        Finish(second);
        EXPECT_EQ(WaitForSingleObject(first.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));
        EXPECT_EQ(FindWindowA("LinkhiveFrame", nullptr), window);
        // Raised as it was, and named after what it now holds.
        EXPECT_TRUE(IsZoomed(window));
        EXPECT_TRUE(WaitForTitle(window, file.empty() ? "Untitled - Linkhive" : "sample.lkh - Linkhive"))
            << WindowTitle(window);

        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(WaitForSingleObject(first.hProcess, 30000), WAIT_OBJECT_0);
        Finish(first);
        uint32_t oneInstance = 0;
        EXPECT_TRUE(ReadSetting("Settings", "One Instance", oneInstance));
        EXPECT_EQ(oneInstance, 1u);
        // The recent-file list, written at exit, names what the first opened.
        std::string recent;
        ReadSettingText("Software\\Quillmere\\Linkhive\\Recent File List", "File1", recent);
        EXPECT_EQ(lstrcmpiA(recent.c_str(), file.c_str()), 0) << recent;
    }
}

TEST_F(LinkhiveProcessTest, AHandedFileWaitsOutAQuestionTitledLikeTheWindow)
{
    TempDir folder;
    const std::string handed = folder.Path("handed.lkh");
    WriteBytes(handed, ReadBytes(SamplePath()));
    SetSetting("One Instance", 1);
    PROCESS_INFORMATION first = StartLinkhive(SamplePath());
    ASSERT_NE(first.hProcess, nullptr);
    const HWND window = WaitForFrame();
    ASSERT_NE(window, nullptr);
    // The delete question is a top-level window titled "Linkhive" too.
    PostMessageA(window, WM_COMMAND, ID_GROUP_DELETE, 0);
    const HWND question = WaitForWindow("Linkhive", "#32770");
    ASSERT_NE(question, nullptr);

    PROCESS_INFORMATION second = StartLinkhive(handed);
    ASSERT_NE(second.hProcess, nullptr);
    EXPECT_EQ(WaitForSingleObject(second.hProcess, 30000), WAIT_OBJECT_0);
    Finish(second);
    // Opened once the question is answered, not before.
    Sleep(500);
    EXPECT_EQ(WindowTitle(window), "sample.lkh - Linkhive");
    PostMessageA(question, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitForTitle(window, "handed.lkh - Linkhive")) << WindowTitle(window);

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(first.hProcess, 30000), WAIT_OBJECT_0);
    Finish(first);
    std::string recent;
    ReadSettingText("Software\\Quillmere\\Linkhive\\Recent File List", "File1", recent);
    EXPECT_EQ(lstrcmpiA(recent.c_str(), handed.c_str()), 0) << recent;
}
