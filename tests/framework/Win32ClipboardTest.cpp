// Tests of the system clipboard's text.
#include "framework/Win32Clipboard.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <thread>

namespace {

HWND MakeOwner()
{
    return CreateWindowExA(0, "STATIC", "clipboard owner", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

class Win32ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_owner = MakeOwner();
        ASSERT_NE(m_owner, nullptr);
    }
    void TearDown() override { DestroyWindow(m_owner); }

    HWND m_owner = nullptr;
};

}  // namespace

TEST_F(Win32ClipboardTest, TextRoundTripsWithTheFrameAsOwner)
{
    Win32Clipboard clipboard(m_owner);
    const std::string texts[] = {
        "Name\nhttp://example.com/\nDescription",
        "",
        "carriage\r\nreturns\rkept",
        std::string(100000, 'x'),
        "\xC3\xA4\xC3\xB6\xC3\xBC high bytes",
    };
    for (const std::string& text : texts) {
        clipboard.PutText(text);
        EXPECT_EQ(clipboard.GetText(), text) << text.substr(0, 40);
        EXPECT_EQ(GetClipboardOwner(), m_owner);
    }
    // Any face reads what another wrote.
    Win32Clipboard other(nullptr);
    EXPECT_EQ(other.GetText(), texts[4]);

    clipboard.Empty();
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(clipboard.GetText(), "");
}

TEST_F(Win32ClipboardTest, AClipboardHeldByAnotherProgramIsSkipped)
{
    Win32Clipboard clipboard(m_owner);
    clipboard.PutText("before");

    HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([&] {
        HWND window = MakeOwner();
        OpenClipboard(window);
        SetEvent(opened);
        WaitForSingleObject(release, 10000);
        CloseClipboard();
        DestroyWindow(window);
    });
    WaitForSingleObject(opened, 10000);
    clipboard.PutText("while held");
    EXPECT_EQ(clipboard.GetText(), "");
    clipboard.Empty();
    SetEvent(release);
    holder.join();
    CloseHandle(opened);
    CloseHandle(release);

    EXPECT_EQ(clipboard.GetText(), "before");
}

TEST_F(Win32ClipboardTest, TextWithoutAZeroByteIsReadNoFurtherThanItsBlock)
{
    ASSERT_TRUE(OpenClipboard(m_owner));
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 5);
    ASSERT_NE(block, nullptr);
    std::memcpy(GlobalLock(block), "abcde", 5);
    GlobalUnlock(block);
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();

    // Windows hands the block back as it is; Wine ends it with a zero byte.
    const std::string text = Win32Clipboard(m_owner).GetText();
    EXPECT_EQ(text, std::string("abcde").substr(0, text.size()));
    EXPECT_GE(text.size(), 4u);
}
