#include "tests/app/AppFixture.h"

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

HWND WaitForWindow(const char* title)
{
    for (int attempt = 0; attempt < 300; ++attempt) {
        if (HWND window = FindWindowA(nullptr, title))
            return window;
        Sleep(100);
    }
    return nullptr;
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
        const HWND window = WaitForWindow("Linkhive");
        ASSERT_NE(window, nullptr);

        PROCESS_INFORMATION second = StartLinkhive(file);
        ASSERT_NE(second.hProcess, nullptr);
        EXPECT_EQ(WaitForSingleObject(second.hProcess, 30000), WAIT_OBJECT_0);
        Finish(second);
        EXPECT_EQ(WaitForSingleObject(first.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));
        EXPECT_EQ(FindWindowA(nullptr, "Linkhive"), window);

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
